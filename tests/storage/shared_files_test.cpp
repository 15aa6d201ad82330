// Default shared files, users and the files of a subject folder.
#include "storage/error.h"
#include "storage/shared_files.h"
#include "support/temp_home.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

TEST(SharedFiles, MissingCatalogueAndUsersAreCreatedWithDefaultsAndKeptOtherwise)
{
    TempHome t;
    EXPECT_TRUE(ensureCatalogue(t.home()));
    EXPECT_TRUE(ensureUsers(t.home(), QDate(2026, 12, 8)));
    const auto subjects = readRecords<SubjectRecord>(t.path("Baza/Papka.dat"));
    ASSERT_EQ(subjects.size(), 1u);
    EXPECT_EQ(subjects[0].folderNo, 1);
    EXPECT_EQ(subjects[0].subjectName, QStringLiteral("История"));
    EXPECT_EQ(subjects[0].folderName, QStringLiteral("Istoriy"));
    EXPECT_EQ(subjects[0].topicCount, 52);
    EXPECT_EQ(subjects[0].questionCount, 2562);
    EXPECT_EQ(subjects[0].answerCount, 9600);

    const auto users = loadUsers(t.path("Baza/Dostup.dat"));
    ASSERT_EQ(users.size(), 4u);
    EXPECT_EQ(users[0].accessLevel, QStringLiteral("Z"));
    EXPECT_EQ(users[3].fullName, QStringLiteral("Пользователь 3"));
    QStringList passwords;
    for (const UserRecord& u : users) {
        EXPECT_EQ(u.password.size(), 6);
        passwords << u.password;
    }
    passwords.removeDuplicates();
    EXPECT_EQ(passwords.size(), 4) << "each default user has a password of its own";

    const QByteArray before = t.read("Baza/Papka.dat");
    EXPECT_FALSE(ensureCatalogue(t.home()));
    EXPECT_EQ(t.read("Baza/Papka.dat"), before);
}

TEST(SharedFiles, OnlyTheFirstTenUsersAreLoaded)
{
    TempHome t;
    std::vector<UserRecord> many;
    for (int i = 0; i < 12; ++i)
        many.push_back({QString::number(i), 0, "U", QString::number(100000 + i), "W"});
    writeRecords(t.path("Dostup.dat"), many);
    EXPECT_EQ(loadUsers(t.path("Dostup.dat")).size(), 10u);
}

TEST(SharedFiles, SubjectNamesMatchTrimmedAndTheFirstMatchWins)
{
    const std::vector<SubjectRecord> catalogue{
        {1, QStringLiteral("  История  "), "First", 0, 0, 0},
        {2, QStringLiteral("История"), "Second", 0, 0, 0},
    };
    ASSERT_TRUE(findSubject(catalogue, QStringLiteral("История ")).has_value());
    EXPECT_EQ(findSubject(catalogue, QStringLiteral("История"))->folderName, QStringLiteral("First"));
    EXPECT_FALSE(findSubject(catalogue, QStringLiteral("история")).has_value());
}

TEST(SubjectFiles, OpeningASubjectCreatesEmptyFilesAndTheDefaultPackage)
{
    TempHome t;
    QDir(t.root()).mkdir("Inform");
    writeRecords(t.path("Inform/Tema.dat"),
                 std::vector<TopicRecord>{{"2", "1", QStringLiteral("Алгоритмы")}, {"2", "2", QStringLiteral("Сети")}});
    ensureSubjectFiles(t.path("Inform"));
    for (const char* name : {"Otwet.dat", "Wopros.dat", "Predmet.dat"}) {
        EXPECT_TRUE(t.exists(QString("Inform/") + name)) << name;
        EXPECT_EQ(t.read(QString("Inform/") + name).size(), 0) << name;
    }
    const auto package = readRecords<PackageRecord>(t.path("Inform/Exam.dat"));
    ASSERT_EQ(package.size(), 2u);
    EXPECT_EQ(package[1].topicName, QStringLiteral("Сети"));
    EXPECT_EQ(package[1].totalCount, QStringLiteral("5"));
    EXPECT_EQ(package[1].wantedCount, QStringLiteral("1"));

    // An existing package is never rebuilt.
    writeRecords(t.path("Inform/Exam.dat"), std::vector<PackageRecord>{package[0]});
    EXPECT_FALSE(ensureDefaultPackage(t.path("Inform")));
    EXPECT_EQ(readRecords<PackageRecord>(t.path("Inform/Exam.dat")).size(), 1u);
}

TEST(SubjectFiles, SubjectWithoutTopicsGetsAnEmptyPackageAndMissingFolderFails)
{
    TempHome t;
    QDir(t.root()).mkdir("Empty");
    ensureSubjectFiles(t.path("Empty"));
    EXPECT_TRUE(t.exists("Empty/Exam.dat"));
    EXPECT_EQ(t.read("Empty/Exam.dat").size(), 0);
    EXPECT_THROW(ensureSubjectFiles(t.path("Nowhere")), Error);
}

TEST(SubjectFiles, FilesCopiedFromWindowsKeepTheirSpelling)
{
    TempHome t;
    t.write("Istoriy/TEMA.DAT", TopicRecord{"1", "1", "T"}.encode());
    ensureSubjectFiles(t.path("Istoriy"));
    EXPECT_FALSE(t.exists("Istoriy/Tema.dat"));
    EXPECT_EQ(subjectFile(t.path("Istoriy"), subject_files::topics), t.path("Istoriy/TEMA.DAT"));
    EXPECT_EQ(readRecords<PackageRecord>(t.path("Istoriy/Exam.dat")).size(), 1u);
}
