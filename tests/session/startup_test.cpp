// The start-up loading sequence: defaults for missing files, and a failing
// step that stops the sequence with what was loaded kept.
#include "session/startup.h"

#include "storage/shared_files.h"
#include "storage/text_file.h"
#include "support/small_home.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::cp;
using tavel::test::TempHome;

namespace {

StartupLoad load(const TempHome& t, AppState& state)
{
    state.home = t.home();
    return loadSharedFiles(state, QDate(2024, 9, 1));
}

void writeSettings(const TempHome& t, const QStringList& lines)
{
    writeTextLines(t.path("Baza/NoKor.qkv"), lines);
}

QStringList settingsWith(int line, const QString& value)
{
    QStringList lines = settingsLines(Settings{});
    lines[line - 1] = value;
    return lines;
}

} // namespace

TEST(Startup, SmallHomeLoadsEverything)
{
    TempHome t;
    test::writeSmallHome(t);
    t.write("baza/CwetFona.qkv", cp(QStringLiteral("Form1 $00FF0000\r\nOtwet clAqua\r\n")));
    AppState state;
    const StartupLoad l = load(t, state);
    ASSERT_FALSE(l.error) << l.error->toStdString();
    EXPECT_EQ(state.catalogue.size(), 3u);
    EXPECT_EQ(state.subjectFolder, QStringLiteral("Istoriy"));
    EXPECT_EQ(state.users.size(), 4u);
    EXPECT_EQ(state.questionLimit, 500);
    EXPECT_EQ(state.codeTable.source, QStringLiteral("abv"));
    ASSERT_TRUE(l.windowColour);
    EXPECT_EQ(colourToRgb(*l.windowColour), 0xDBD9D2u);
    ASSERT_TRUE(l.coloursRead);
    EXPECT_EQ(colourToRgb(*l.colours.form1), 0x0000FFu);
    EXPECT_TRUE(l.colours.otwet);
    EXPECT_EQ(state.hintMode, kHintsOn);
    EXPECT_TRUE(state.shuffle);
}

TEST(Startup, EmptyFolderGetsDefaultsUntilTheMissingCodeTable)
{
    TempHome t;
    AppState state;
    const StartupLoad l = load(t, state);
    ASSERT_TRUE(l.error);
    EXPECT_TRUE(l.error->contains(QStringLiteral("Win_Dos.qkv"))) << l.error->toStdString();
    EXPECT_TRUE(l.catalogueRead && l.usersRead && l.settingsApplied);
    EXPECT_FALSE(l.codeTableRead);
    EXPECT_EQ(state.subjectFolder, QStringLiteral("Istoriy"));
    EXPECT_EQ(state.users.size(), 4u);
    EXPECT_EQ(state.questionSeconds, 900);
    EXPECT_TRUE(t.exists("Baza/Papka.dat") && t.exists("Baza/Dostup.dat") && t.exists("Baza/NoKor.qkv"));
    // The colour file comes after the failing step.
    EXPECT_FALSE(t.exists("baza/CwetFona.qkv"));
}

TEST(Startup, EmptyCatalogueStopsBeforeTheUsers)
{
    TempHome t;
    test::writeSmallHome(t);
    t.write("Baza/Papka.dat", {});
    AppState state;
    const StartupLoad l = load(t, state);
    ASSERT_TRUE(l.error);
    EXPECT_TRUE(l.error->contains(QStringLiteral("Papka.dat"))) << l.error->toStdString();
    EXPECT_FALSE(l.catalogueRead);
    EXPECT_FALSE(l.usersRead);
    EXPECT_TRUE(state.users.empty());
}

TEST(Startup, SettingsLineThatIsNotANumberKeepsTheLinesBeforeIt)
{
    TempHome t;
    test::writeSmallHome(t);
    QStringList lines = settingsWith(5, QStringLiteral("45"));
    lines[6] = QStringLiteral("пятьдесят"); // line 7
    writeSettings(t, lines);
    AppState state;
    const StartupLoad l = load(t, state);
    ASSERT_TRUE(l.error);
    EXPECT_TRUE(l.error->contains(QStringLiteral("NoKor.qkv"))) << l.error->toStdString();
    EXPECT_TRUE(l.settingsApplied);
    EXPECT_EQ(state.questionSeconds, 45);
    EXPECT_FALSE(l.codeTableRead);
}

TEST(Startup, BadColourOnLineThreeStopsBeforeTheNumbers)
{
    TempHome t;
    test::writeSmallHome(t);
    QStringList lines = settingsWith(3, QStringLiteral("зелёный"));
    lines[4] = QStringLiteral("45");
    writeSettings(t, lines);
    AppState state;
    const StartupLoad l = load(t, state);
    ASSERT_TRUE(l.error);
    EXPECT_TRUE(l.error->contains(QStringLiteral("строка 3"))) << l.error->toStdString();
    EXPECT_FALSE(l.settingsApplied);
    EXPECT_EQ(state.questionSeconds, 900);
}

TEST(Startup, MissingInstallationFolderIsReportedFirst)
{
    TempHome t;
    AppState state;
    state.home = InstallFolder(t.path("nowhere"));
    const StartupLoad l = loadSharedFiles(state, QDate(2024, 9, 1));
    ASSERT_TRUE(l.error);
    EXPECT_TRUE(l.error->contains(QStringLiteral("nowhere")));
    EXPECT_FALSE(l.catalogueRead);
    EXPECT_FALSE(QFileInfo::exists(t.path("nowhere")));
}
