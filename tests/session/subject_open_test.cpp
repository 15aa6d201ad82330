// Choosing a subject by name and opening its files.
#include "session/subject_open.h"

#include "storage/error.h"
#include "support/small_home.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

namespace {

struct Home {
    TempHome t;
    AppState state;
    Home()
    {
        test::writeSmallHome(t);
        state.home = t.home();
        state.subjectFolder = QStringLiteral("Istoriy");
    }
};

} // namespace

TEST(SubjectOpen, NamesMatchTrimmedAndTheFirstOfTwoWins)
{
    Home h;
    writeRecords(h.state.home.path(paths::catalogue),
                 std::vector<SubjectRecord>{{1, QStringLiteral(" Алгебра  "), QStringLiteral(" Alg1 "), 0, 0, 0},
                                            {2, QStringLiteral("Алгебра"), QStringLiteral("Alg2"), 0, 0, 0}});
    const auto chosen = chooseSubject(h.state, QStringLiteral("Алгебра "));
    ASSERT_TRUE(chosen);
    EXPECT_EQ(chosen->folderNo, 1);
    EXPECT_EQ(h.state.subjectFolder, QStringLiteral("Alg1"));
    EXPECT_TRUE(QFileInfo(h.t.path("Alg1")).isDir());
    EXPECT_FALSE(QFileInfo::exists(h.t.path("Alg2")));
}

TEST(SubjectOpen, NoMatchKeepsTheCurrentSubject)
{
    Home h;
    EXPECT_FALSE(chooseSubject(h.state, QStringLiteral("Гуманитарные")));
    EXPECT_EQ(h.state.subjectFolder, QStringLiteral("Istoriy"));
}

TEST(SubjectOpen, FolderNamesThatLeaveTheInstallationFolderAreRefused)
{
    for (const QString& folder : {QStringLiteral(".."), QString(), QStringLiteral("a\\b"), QStringLiteral("../x")}) {
        Home h;
        writeRecords(h.state.home.path(paths::catalogue),
                     std::vector<SubjectRecord>{{1, QStringLiteral("Плохой"), folder, 0, 0, 0}});
        EXPECT_THROW(chooseSubject(h.state, QStringLiteral("Плохой")), Error) << folder.toStdString();
        EXPECT_EQ(h.state.subjectFolder, QStringLiteral("Istoriy"));
    }
}

TEST(SubjectOpen, FirstSubjectWhoseFolderLeavesTheInstallationFolderIsNotOpened)
{
    Home h;
    h.state.subjectFolder = QStringLiteral(" .. ");
    EXPECT_THROW(openCurrentSubject(h.state), Error);
    EXPECT_FALSE(QFileInfo::exists(QDir(h.t.root()).filePath(QStringLiteral("../Tema.dat"))));
    h.state.subjectFolder = QStringLiteral("Istoriy ");
    EXPECT_EQ(openCurrentSubject(h.state).topics.size(), 3u);
}

TEST(SubjectOpen, MissingSubjectFolderIsCreatedWithEmptyFiles)
{
    Home h;
    ASSERT_TRUE(chooseSubject(h.state, QStringLiteral("Физика")));
    const SubjectContents contents = openSubject(h.state.subjectFolderPath());
    EXPECT_TRUE(contents.topics.empty());
    EXPECT_EQ(contents.questionCount, 0);
    for (const char* file : {"Fizika/Tema.dat", "Fizika/Exam.dat", "Fizika/Otwet.dat", "Fizika/Wopros.dat",
                             "Fizika/Predmet.dat"})
        EXPECT_TRUE(h.t.exists(file)) << file;
    EXPECT_TRUE(packageCounts(h.state.subjectFolderPath()).isEmpty());
}

TEST(SubjectOpen, OpensTopicsCountsAndBuildsAMissingPackage)
{
    Home h;
    SubjectContents contents = openSubject(h.state.subjectFolderPath());
    ASSERT_EQ(contents.topics.size(), 3u);
    EXPECT_EQ(contents.topics[1].topicName, QStringLiteral("Смута"));
    EXPECT_EQ(contents.questionCount, 12);
    EXPECT_EQ(packageCounts(h.state.subjectFolderPath()),
              (QStringList{QStringLiteral("5"), QStringLiteral("4"), QStringLiteral("3")}));

    QFile::remove(h.t.path("Istoriy/Exam.dat"));
    contents = openSubject(h.state.subjectFolderPath());
    EXPECT_EQ(packageCounts(h.state.subjectFolderPath()),
              (QStringList{QStringLiteral("5"), QStringLiteral("5"), QStringLiteral("5")}));
}

TEST(SubjectOpen, OpeningAFolderThatIsGoneFails)
{
    Home h;
    EXPECT_THROW(openSubject(h.t.path("Fizika")), Error);
}
