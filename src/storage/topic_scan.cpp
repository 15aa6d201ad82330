// Topic selection over raw record bytes.
#include "storage/topic_scan.h"

#include "storage/cp1251.h"
#include "storage/text.h"

namespace tavel {

quint32 packedCode(QStringView code)
{
    const QByteArray bytes = cp1251::encode(trimmed(code));
    if (bytes.size() > 3)
        return ~quint32(0); // the top byte of a field's value is at most 3
    quint32 packed = quint32(bytes.size()) << 24;
    for (qsizetype i = 0; i < bytes.size(); ++i)
        packed |= quint32(static_cast<unsigned char>(bytes[i])) << (8 * i);
    return packed;
}

TopicCodes::TopicCodes(const RecordLayout& layout, int subjectField, int topicField, QStringView subjectCode,
                       QStringView topicCode)
    : subjectField_(layout.field(subjectField)), topicField_(layout.field(topicField)),
      subject_(packedCode(subjectCode)), topic_(packedCode(topicCode))
{
}

std::vector<QuestionRecord> questionsOfTopic(const QString& woprosPath, QStringView subjectCode,
                                             QStringView topicCode, const ScanProgress& progress)
{
    const TopicCodes codes(layouts::wopros, wopros::SubjectCode, wopros::TopicCode, subjectCode, topicCode);
    std::vector<QuestionRecord> out;
    RecordScanner(layouts::wopros).scan(woprosPath, [&](int, const RecordView& r) {
        if (codes.matches(r))
            out.push_back(QuestionRecord::decode(r));
    }, progress);
    return out;
}

std::vector<AnswerRecord> answersOfTopic(const QString& otwetPath, QStringView subjectCode,
                                         QStringView topicCode, const ScanProgress& progress)
{
    const TopicCodes codes(layouts::otwet, otwet::SubjectCode, otwet::TopicCode, subjectCode, topicCode);
    std::vector<AnswerRecord> out;
    RecordScanner(layouts::otwet).scan(otwetPath, [&](int, const RecordView& r) {
        if (codes.matches(r))
            out.push_back(AnswerRecord::decode(r));
    }, progress);
    return out;
}

} // namespace tavel
