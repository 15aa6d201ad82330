// Windows-style paths resolved under the installation folder.
#include "storage/install_folder.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

TEST(InstallFolder, ComponentsMatchExistingSpellingWhateverTheCase)
{
    TempHome t;
    t.write("Baza/Papka.dat", "x");
    const InstallFolder& home = t.home();
    EXPECT_EQ(home.path(u"Baza\\Papka.dat"), t.path("Baza/Papka.dat"));
    EXPECT_EQ(home.path(u"baza\\PAPKA.dat"), t.path("Baza/Papka.dat"));
    EXPECT_EQ(home.path(u"Baza/Papka.dat"), t.path("Baza/Papka.dat"));
    EXPECT_EQ(home.path(u"C:\\Tavel\\Baza\\Papka.dat"), t.path("Baza/Papka.dat"));
    EXPECT_EQ(home.path(u"c:\\tavel\\baza\\papka.dat"), t.path("Baza/Papka.dat"));
}

TEST(InstallFolder, MissingComponentsKeepTheirSpellingAndFoldersAreCreatedOnRequest)
{
    TempHome t;
    const InstallFolder& home = t.home();
    const QString colours = home.path(u"baza\\CwetFona.qkv");
    EXPECT_EQ(colours, t.path("baza/CwetFona.qkv"));
    EXPECT_FALSE(QFileInfo(t.path("baza")).isDir());

    const QString created = home.path(u"C:\\Tavel\\Istoriy\\Foto\\1_1_1_1.gif", true);
    EXPECT_EQ(created, t.path("Istoriy/Foto/1_1_1_1.gif"));
    EXPECT_TRUE(QFileInfo(t.path("Istoriy/Foto")).isDir());
    EXPECT_FALSE(QFileInfo::exists(created));

    // Once "Baza" exists, "baza" names it.
    QDir(t.root()).mkdir("Baza");
    EXPECT_EQ(home.path(u"baza\\CwetFona.qkv"), t.path("Baza/CwetFona.qkv"));
}

TEST(InstallFolder, SubjectFolderIsTrimmedAndCreatedOnRequest)
{
    TempHome t;
    const QString folder = t.home().subjectFolder(QStringLiteral(" Inform "), true);
    EXPECT_EQ(folder, t.path("Inform"));
    EXPECT_TRUE(QFileInfo(folder).isDir());
}
