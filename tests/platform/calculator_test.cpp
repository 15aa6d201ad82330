// Finding a desktop calculator on PATH, and opening help files.
#include "platform/calculator.h"
#include "platform/help.h"
#include "platform/open_file.h"

#include "support/temp_home.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;

namespace {

void writeProgram(const TempHome& t, const QString& name, bool executable)
{
    t.write(QStringLiteral("bin/") + name, "#!/bin/sh\n");
    QFile file(t.path(QStringLiteral("bin/") + name));
    file.setPermissions(executable ? (QFileDevice::ReadOwner | QFileDevice::ExeOwner) : QFileDevice::ReadOwner);
}

} // namespace

TEST(Calculator, FirstInstalledCalculatorInTheOrderOfPreference)
{
    TempHome t;
    writeProgram(t, QStringLiteral("xcalc"), true);
    writeProgram(t, QStringLiteral("kcalc"), false); // not a program
    writeProgram(t, QStringLiteral("galculator"), true);
    const QString path = t.path("empty") + QStringLiteral(":") + t.path("bin");
    EXPECT_EQ(findCalculator(calculatorNames(), path), t.path("bin/galculator"));
    QFile::remove(t.path("bin/galculator"));
    EXPECT_EQ(findCalculator(calculatorNames(), path), t.path("bin/xcalc"));
    QFile::remove(t.path("bin/xcalc"));
    EXPECT_TRUE(findCalculator(calculatorNames(), path).isEmpty());
}

TEST(Help, CompiledHelpFirstThenTheHtmlHelp)
{
    TempHome t;
    EXPECT_TRUE(helpFile(t.home()).isEmpty());
    QUrl opened;
    setOpenUrlHook([&](const QUrl& url) {
        opened = url;
        return true;
    });
    EXPECT_FALSE(openHelp(t.home()));
    t.write("help/index.html", "<html></html>");
    EXPECT_EQ(helpFile(t.home()), t.path("help/index.html"));
    t.write("help/Tavel_help.chm", "ITSF");
    EXPECT_EQ(helpFile(t.home()), t.path("help/Tavel_help.chm"));
    EXPECT_TRUE(openHelp(t.home()));
    EXPECT_EQ(opened, QUrl::fromLocalFile(t.path("help/Tavel_help.chm")));
    setOpenUrlHook({});
}
