// Damaged record files, LevelDB's way: flipped bytes, truncated tails and
// length bytes beyond their field are read with a note naming the file and
// the record, and saving what was read never makes the file worse.
#include "storage/records.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

namespace {

std::vector<QuestionRecord> threeQuestions()
{
    return {{"1", "1", "1", "1", QStringLiteral("Когда была Куликовская битва?"), "", "5", ""},
            {"1", "1", "1", "2", QStringLiteral("Кто основал Москву? File#moskwa.txt#"), "", "3", ""},
            {"1", "2", "1", "1", QStringLiteral("Год реформы"), "", "10", ""}};
}

// The records as they decode, in their own bytes.
QList<QByteArray> decoded(const QString& path)
{
    QList<QByteArray> out;
    for (const QuestionRecord& r : readRecords<QuestionRecord>(path))
        out.push_back(r.encode());
    return out;
}

} // namespace

TEST(Corruption, EveryFlippedByteIsReadAndASaveKeepsWhatWasRead)
{
    TempHome t;
    t.write("S/Wopros.dat", {});
    const QString path = t.path("S/Wopros.dat");
    writeRecords(path, threeQuestions());
    const QByteArray sound = t.read("S/Wopros.dat");
    // Every fifth byte, each field's length byte among them, flipped two ways
    // (each save syncs to the disk: every byte would take a minute).
    for (qsizetype at = 0; at < sound.size(); at += at % 236 < 20 ? 1 : 5) {
        for (const unsigned char flip : {0x80, 0xFF}) {
            QByteArray bytes = sound;
            bytes[at] = char(bytes[at] ^ flip);
            t.write("S/Wopros.dat", bytes);
            const RecordFile file = RecordFile::read(path, layouts::wopros);
            ASSERT_EQ(file.count(), 3);
            const int record = int(at / 236) + 1;
            for (const QString& note : file.damage()) {
                EXPECT_TRUE(note.contains(QStringLiteral("Wopros.dat"))) << note.toStdString();
                EXPECT_TRUE(note.contains(QStringLiteral("запись %1,").arg(record))) << note.toStdString();
            }
            // The records other than the damaged one decode as before.
            const QList<QByteArray> before = decoded(path);
            for (int r = 0; r < 3; ++r) {
                if (r != record - 1) {
                    ASSERT_EQ(before[r], threeQuestions()[size_t(r)].encode()) << "byte " << at;
                }
            }
            // Saving what was read and reading it again changes nothing more.
            writeRecords(path, readRecords<QuestionRecord>(path));
            ASSERT_EQ(decoded(path), before) << "byte " << at;
            ASSERT_TRUE(RecordFile::read(path, layouts::wopros).damage().isEmpty()) << "byte " << at;
        }
    }
}

TEST(Corruption, ATruncatedTailIsNamedAndTheWholeRecordsStay)
{
    TempHome t;
    t.write("S/Wopros.dat", {});
    const QString path = t.path("S/Wopros.dat");
    writeRecords(path, threeQuestions());
    const QByteArray sound = t.read("S/Wopros.dat");
    for (qsizetype size = 0; size < sound.size(); size += 7) {
        t.write("S/Wopros.dat", sound.left(size));
        const RecordFile file = RecordFile::read(path, layouts::wopros);
        const int whole = int(size / 236);
        EXPECT_EQ(file.count(), whole);
        if (size % 236 == 0) {
            EXPECT_TRUE(file.damage().isEmpty());
            continue;
        }
        ASSERT_EQ(file.damage().size(), 1) << size;
        EXPECT_TRUE(file.damage()[0].contains(QStringLiteral("Wopros.dat, запись %1: неполная").arg(whole + 1)))
            << file.damage()[0].toStdString();
        writeRecords(path, readRecords<QuestionRecord>(path));
        EXPECT_EQ(t.read("S/Wopros.dat"), sound.left(whole * 236));
    }
}

TEST(Corruption, ALengthByteBeyondItsFieldNamesFileRecordAndField)
{
    TempHome t;
    t.write("S/Wopros.dat", {});
    const QString path = t.path("S/Wopros.dat");
    writeRecords(path, threeQuestions());
    QByteArray bytes = t.read("S/Wopros.dat");
    bytes[236 + 14] = char(250); // QuestionText of record 2 holds at most 210
    t.write("S/Wopros.dat", bytes);
    const RecordFile file = RecordFile::read(path, layouts::wopros);
    ASSERT_EQ(file.damage().size(), 1);
    const QString note = file.damage()[0];
    EXPECT_TRUE(note.contains(QStringLiteral("Wopros.dat, запись 2, поле QuestionText: длина 250"))) << note.toStdString();
    EXPECT_EQ(QuestionRecord::decode(file.at(1)).questionText.size(), 210);

    // Many damaged records: the notes stop at the cap and count the rest.
    QByteArray many;
    for (int i = 0; i < 30; ++i)
        many += bytes.mid(236, 236);
    t.write("S/Wopros.dat", many);
    const QStringList notes = RecordFile::read(path, layouts::wopros).damage();
    ASSERT_EQ(notes.size(), RecordFile::kMaxDamageNotes);
    EXPECT_TRUE(notes.last().contains(QStringLiteral("ещё повреждений: 11"))) << notes.last().toStdString();
}
