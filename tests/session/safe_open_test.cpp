// Which files named by question data may be opened with the desktop's program.
#include "platform/safe_open.h"

#include "support/temp_home.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace tavel;

namespace {

class SafeOpen : public ::testing::Test {
protected:
    void SetUp() override
    {
        home.write(QStringLiteral("Istoriy/Foto/map.gif"), "GIF89a");
        home.write(QStringLiteral("Istoriy/Foto/notes.txt"), "text");
        home.write(QStringLiteral("Baza/Dostup.dat"), "secret");
        foto = home.path(QStringLiteral("Istoriy/Foto"));
    }

    void writeFoto(const QString& name, const QByteArray& bytes, QFile::Permissions permissions = {})
    {
        home.write(QStringLiteral("Istoriy/Foto/") + name, bytes);
        if (permissions)
            QFile::setPermissions(home.path(QStringLiteral("Istoriy/Foto/") + name), permissions);
    }

    test::TempHome home;
    QString foto;
};

constexpr QFile::Permissions kReadWrite = QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther;

} // namespace

TEST_F(SafeOpen, PlainFilesInsideFotoAreAllowedFoundIgnoringCase)
{
    const OpenDecision map = decideQuestionFileOpen(foto, QStringLiteral("map.gif"));
    ASSERT_TRUE(map) << map.reason.toStdString();
    EXPECT_EQ(map.path, QFileInfo(foto + QStringLiteral("/map.gif")).canonicalFilePath());
    const OpenDecision upper = decideQuestionFileOpen(foto, QStringLiteral("MAP.GIF"));
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper.path, map.path);
    EXPECT_TRUE(decideFileOpen(foto, foto + QStringLiteral("/notes.txt")));

    // A link inside Foto to another file inside Foto is fine.
    ASSERT_TRUE(QFile::link(foto + QStringLiteral("/notes.txt"), foto + QStringLiteral("/alias.txt")));
    EXPECT_TRUE(decideQuestionFileOpen(foto, QStringLiteral("alias.txt")));
}

TEST_F(SafeOpen, NamesThatLeaveFotoAreRefused)
{
    for (const QString& name : {QStringLiteral("../../Baza/Dostup.dat"), QStringLiteral(".."),
                                QStringLiteral("a..b.txt"), QStringLiteral("/etc/passwd"),
                                QStringLiteral("sub/notes.txt"), QStringLiteral("C:\\Tavel\\Baza\\Dostup.dat"),
                                QStringLiteral("..\\Baza\\Dostup.dat"), QStringLiteral("  ")}) {
        const OpenDecision decision = decideQuestionFileOpen(foto, name);
        EXPECT_FALSE(decision) << name.toStdString();
        EXPECT_FALSE(decision.reason.isEmpty());
        EXPECT_TRUE(decision.path.isEmpty());
    }
    // A full path outside the folder.
    EXPECT_FALSE(decideFileOpen(foto, home.path(QStringLiteral("Baza/Dostup.dat"))));
    EXPECT_FALSE(decideFileOpen(foto, foto + QStringLiteral("/../../Baza/Dostup.dat")));
}

TEST_F(SafeOpen, LinkPointingOutOfFotoIsRefused)
{
    ASSERT_TRUE(QFile::link(home.path(QStringLiteral("Baza/Dostup.dat")), foto + QStringLiteral("/innocent.txt")));
    const OpenDecision decision = decideQuestionFileOpen(foto, QStringLiteral("innocent.txt"));
    EXPECT_FALSE(decision);
    EXPECT_TRUE(decision.reason.contains(QStringLiteral("вне папки"))) << decision.reason.toStdString();
    ASSERT_TRUE(QFile::link(QDir::tempPath(), foto + QStringLiteral("/tmpdir")));
    EXPECT_FALSE(decideQuestionFileOpen(foto, QStringLiteral("tmpdir")));
}

TEST_F(SafeOpen, ProgramsAndScriptsAreRefused)
{
    writeFoto(QStringLiteral("chart.txt"), "text", kReadWrite | QFile::ExeOwner);
    writeFoto(QStringLiteral("go.sh"), "echo", kReadWrite);
    writeFoto(QStringLiteral("app.DESKTOP"), "[Desktop Entry]\nExec=x\n", kReadWrite);
    writeFoto(QStringLiteral("setup.Exe"), "x", kReadWrite);
    writeFoto(QStringLiteral("tool.AppImage"), "x", kReadWrite);
    writeFoto(QStringLiteral("lib.jar"), "PK", kReadWrite);
    writeFoto(QStringLiteral("plain.dat"), "#!/bin/sh\nrm -rf ~\n", kReadWrite);
    writeFoto(QStringLiteral("binary.dat"), QByteArray("\x7F" "ELF\x02\x01\x01", 7), kReadWrite);
    for (const QString& name : {QStringLiteral("chart.txt"), QStringLiteral("go.sh"), QStringLiteral("app.DESKTOP"),
                                QStringLiteral("setup.Exe"), QStringLiteral("tool.AppImage"), QStringLiteral("lib.jar"),
                                QStringLiteral("plain.dat"), QStringLiteral("binary.dat")}) {
        const OpenDecision decision = decideQuestionFileOpen(foto, name);
        EXPECT_FALSE(decision) << name.toStdString();
        EXPECT_TRUE(decision.reason.contains(name)) << decision.reason.toStdString();
    }
}

TEST_F(SafeOpen, MissingFilesFoldersAndAMissingFotoAreRefused)
{
    EXPECT_FALSE(decideQuestionFileOpen(foto, QStringLiteral("none.gif")));
    QDir(foto).mkdir(QStringLiteral("sub"));
    EXPECT_FALSE(decideQuestionFileOpen(foto, QStringLiteral("sub")));
    EXPECT_FALSE(decideQuestionFileOpen(home.path(QStringLiteral("Matem/Foto")), QStringLiteral("map.gif")));
}
