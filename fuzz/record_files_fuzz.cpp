// Record files of every kind: any bytes are read record by record, and a
// rewrite of what was read reads back to the same records (a later save
// never makes a damaged file worse).
#include "fuzz_support.h"

#include "storage/error.h"
#include "storage/records.h"
#include "storage/shared_files.h"

using namespace tavel;

namespace {

template <class R>
void check(const QString& name, const QByteArray& bytes)
{
    const QString path = fuzz::scratchFile(QStringLiteral("records/") + name, bytes);
    const RecordFile file = RecordFile::read(path, R::layout());
    if (qint64(file.count()) * R::layout().size + file.trailingBytes() != bytes.size())
        fuzz::broken("records and trailing bytes do not add up to the file");
    const std::vector<R> records = readRecords<R>(path);
    const QString copy = fuzz::scratchFile(QStringLiteral("records/copy-") + name, {});
    writeRecords(copy, records);
    const std::vector<R> back = readRecords<R>(copy);
    if (back.size() != records.size())
        fuzz::broken("a rewrite changed the record count");
    for (size_t i = 0; i < records.size(); ++i)
        if (back[i].encode() != records[i].encode())
            fuzz::broken("a rewrite changed a record");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    fuzz::Input in(data, size);
    const uint8_t kind = in.byte();
    const QByteArray bytes = in.rest();
    try {
        switch (kind % 8) {
        case 0: check<SubjectRecord>(QStringLiteral("Papka.dat"), bytes); break;
        case 1: {
            check<UserRecord>(QStringLiteral("Dostup.dat"), bytes);
            if (loadUsers(fuzz::scratchFile(QStringLiteral("records/Dostup.dat"), bytes)).size() > size_t(kMaxUsers))
                fuzz::broken("more than ten users loaded");
            break;
        }
        case 2: check<SectionRecord>(QStringLiteral("Predmet.dat"), bytes); break;
        case 3: check<TopicRecord>(QStringLiteral("Tema.dat"), bytes); break;
        case 4: check<QuestionRecord>(QStringLiteral("Wopros.dat"), bytes); break;
        case 5: check<AnswerRecord>(QStringLiteral("Otwet.dat"), bytes); break;
        case 6: check<PackageRecord>(QStringLiteral("Exam.dat"), bytes); break;
        case 7: check<EgeRecord>(QStringLiteral("EGE.dat"), bytes); break;
        }
    } catch (const Error&) {
    }
    return 0;
}
