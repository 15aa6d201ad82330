// Whole record files: bulk reading of damaged files, append, atomic rewrite.
#include "storage/atomic_save.h"
#include "storage/error.h"
#include "storage/records.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

namespace {

std::vector<TopicRecord> threeTopics()
{
    return {{"1", "1", QStringLiteral("Древняя Русь")},
            {"1", "2", QStringLiteral("Смута")},
            {"1", "3", QStringLiteral("Петровские реформы")}};
}

} // namespace

TEST(RecordFile, TrailingPartialRecordIsIgnoredAndReported)
{
    TempHome t;
    const QString path = t.path("Tema.dat");
    writeRecords(path, threeTopics());
    QByteArray bytes = t.read("Tema.dat");
    bytes.chop(50); // the third record is cut short
    t.write("Tema.dat", bytes);

    const RecordFile file = RecordFile::read(path, layouts::tema);
    EXPECT_EQ(file.count(), 2);
    EXPECT_EQ(file.trailingBytes(), 128 - 50);
    EXPECT_EQ(TopicRecord::decode(file.at(1)).topicName, QStringLiteral("Смута"));
    EXPECT_EQ(RecordFile::countOnDisk(path, layouts::tema), 2);
}

TEST(RecordFile, EmptyAndMissingFiles)
{
    TempHome t;
    t.write("Wopros.dat", {});
    EXPECT_EQ(RecordFile::read(t.path("Wopros.dat"), layouts::wopros).count(), 0);
    try {
        RecordFile::read(t.path("Nothing.dat"), layouts::wopros);
        FAIL() << "a missing file must fail";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("Nothing.dat")) << e.message().toStdString();
    }
    ensureFileExists(t.path("Nothing.dat"));
    EXPECT_TRUE(t.exists("Nothing.dat"));
    EXPECT_EQ(t.read("Nothing.dat").size(), 0);
}

TEST(RecordFile, AppendStartsOnARecordBoundary)
{
    TempHome t;
    const QString path = t.path("Exam.dat");
    appendRecord(path, layouts::exam, PackageRecord{"1", "1", "A", "5", "1"}.encode());
    QByteArray bytes = t.read("Exam.dat");
    bytes += "xyz"; // a damaged tail
    t.write("Exam.dat", bytes);
    appendRecord(path, layouts::exam, PackageRecord{"1", "2", "B", "5", "1"}.encode());
    const auto records = readRecords<PackageRecord>(path);
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[1].topicName, QStringLiteral("B"));
    EXPECT_EQ(t.read("Exam.dat").size(), 2 * 138);
}

TEST(RecordFile, RewriteReplacesTheWholeFileAndCutsIt)
{
    TempHome t;
    const QString path = t.path("Tema.dat");
    writeRecords(path, threeTopics());
    writeRecords(path, std::vector<TopicRecord>{threeTopics()[1]});
    EXPECT_EQ(t.read("Tema.dat").size(), 128);
    EXPECT_EQ(readRecords<TopicRecord>(path).at(0).topicCode, QStringLiteral("2"));
}

TEST(RecordFile, ASaveThatFailsMidwayLeavesTheFormerFileWhole)
{
    TempHome t;
    const QString path = t.path("Tema.dat");
    writeRecords(path, threeTopics());
    const QByteArray before = t.read("Tema.dat");

    // The writer fails after half of the new contents.
    EXPECT_THROW(saveAtomically(path,
                                [](QIODevice& device) {
                                    device.write(QByteArray(200, 'x'));
                                    return false;
                                }),
                 Error);
    EXPECT_EQ(t.read("Tema.dat"), before);

    // A folder that does not exist: the error names the file, nothing is created.
    try {
        writeRecords(t.path("missing/Tema.dat"), threeTopics());
        FAIL() << "writing into a missing folder must fail";
    } catch (const Error& e) {
        EXPECT_TRUE(e.message().contains("Tema.dat"));
    }
    EXPECT_FALSE(t.exists("missing/Tema.dat"));
}

TEST(RecordFile, RecordsAreReadUpToALimit)
{
    TempHome t;
    const QString path = t.path("Tema.dat");
    writeRecords(path, threeTopics());
    EXPECT_EQ(readRecords<TopicRecord>(path, 2).size(), 2u);
    EXPECT_EQ(readRecords<TopicRecord>(path, 10).size(), 3u);
}
