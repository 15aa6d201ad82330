// The command line and the preparation of the installation folder.
#include "app/home_folder.h"

#include "storage/error.h"
#include "support/temp_home.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace tavel;
using namespace tavel::app;
using tavel::test::TempHome;

TEST(CommandLine, HomeAndSeed)
{
    const CommandLine c = parseCommandLine({QStringLiteral("tavel"), QStringLiteral("--home"),
                                            QStringLiteral("/srv/школа"), QStringLiteral("--seed"),
                                            QStringLiteral("42")});
    EXPECT_TRUE(c.error.isEmpty());
    EXPECT_EQ(c.home, QStringLiteral("/srv/школа"));
    EXPECT_EQ(c.seed, 42u);
    const CommandLine none = parseCommandLine({QStringLiteral("tavel")});
    EXPECT_TRUE(none.error.isEmpty() && none.home.isEmpty() && !none.seed);
}

TEST(CommandLine, BadArgumentsAreReported)
{
    const QStringList bad[] = {
        {QStringLiteral("tavel"), QStringLiteral("--seed"), QStringLiteral("x1")},
        {QStringLiteral("tavel"), QStringLiteral("--seed"), QStringLiteral("-3")},
        {QStringLiteral("tavel"), QStringLiteral("--home")},
        {QStringLiteral("tavel"), QStringLiteral("--colour")},
        {QStringLiteral("tavel"), QStringLiteral("extra")},
    };
    for (const QStringList& arguments : bad)
        EXPECT_FALSE(parseCommandLine(arguments).error.isEmpty()) << arguments.join(' ').toStdString();
}

TEST(HomeFolder, OptionThenEnvironmentThenDefault)
{
    EXPECT_EQ(chooseHome(QStringLiteral("/a"), QStringLiteral("/b"), QStringLiteral("/u")).path, QStringLiteral("/a"));
    EXPECT_TRUE(chooseHome(QStringLiteral("/a"), {}, QStringLiteral("/u")).named);
    const HomeChoice env = chooseHome({}, QStringLiteral("/b/"), QStringLiteral("/u"));
    EXPECT_EQ(env.path, QStringLiteral("/b"));
    EXPECT_TRUE(env.named);
    const HomeChoice fallback = chooseHome({}, {}, QStringLiteral("/u"));
    EXPECT_EQ(fallback.path, QStringLiteral("/u/Tavel"));
    EXPECT_FALSE(fallback.named);
}

TEST(HomeFolder, NamedFolderMustExist)
{
    TempHome t;
    EXPECT_THROW(prepareHome({t.path("missing"), true}, {}), Error);
    EXPECT_FALSE(QFileInfo::exists(t.path("missing")));
    EXPECT_NO_THROW(prepareHome({t.root(), true}, {}));
}

TEST(HomeFolder, DefaultFolderIsFilledFromTheFirstDemoFolderFound)
{
    TempHome t;
    t.write("demo/Baza/Papka.dat", "abc");
    t.write("demo/Istoriy/Tema.dat", "xyz");
    const HomeChoice home{t.path("Tavel"), false};
    prepareHome(home, {t.path("no-demo"), t.path("demo")});
    EXPECT_EQ(t.read("Tavel/Baza/Papka.dat"), "abc");
    EXPECT_EQ(t.read("Tavel/Istoriy/Tema.dat"), "xyz");

    // An existing default folder is left as it is.
    t.write("demo/Baza/Papka.dat", "changed");
    prepareHome(home, {t.path("demo")});
    EXPECT_EQ(t.read("Tavel/Baza/Papka.dat"), "abc");
}

TEST(HomeFolder, DefaultFolderWithoutDemoIsCreatedEmpty)
{
    TempHome t;
    prepareHome({t.path("Tavel"), false}, {t.path("no-demo")});
    EXPECT_TRUE(QFileInfo(t.path("Tavel")).isDir());
    EXPECT_TRUE(QDir(t.path("Tavel")).isEmpty());
}

TEST(HomeFolder, TheSourceDemoFolderIsACandidate)
{
    const QStringList candidates = demoFolderCandidates(QStringLiteral("/opt/tavel/bin"));
    ASSERT_GE(candidates.size(), 2);
    EXPECT_EQ(candidates[0], QStringLiteral("/opt/tavel/share/tavel/demo"));
    EXPECT_TRUE(candidates[1].endsWith(QStringLiteral("/demo")));
}
