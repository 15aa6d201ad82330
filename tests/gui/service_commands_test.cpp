// The small commands of the main window: question limit, display times,
// fonts, modes, colours, calculator, help and the administrator's views.
#include "main_window_fixture.h"

#include "platform/calculator.h"
#include "platform/open_file.h"
#include "session/windows/answer_rows.h"
#include "session/windows/question_area.h"
#include "storage/colours.h"
#include "storage/text_file.h"

#include <QGroupBox>
#include <QListWidget>
#include <QProgressBar>
#include <QTableWidget>
#include <QTextEdit>

using namespace tavel;
using namespace tavel::test;

namespace {

void typeWord(QDialog& prompt, const QString& word)
{
    auto* box = prompt.findChild<QLineEdit*>(QStringLiteral("NomZamka"));
    ASSERT_TRUE(box);
    QTest::keyClicks(box, word);
    QTest::keyClick(box, Qt::Key_Return);
}

} // namespace

TEST_F(MainWindowTest, QuestionLimitIsTheAdministratorsAndMustBeANumber)
{
    start();
    enter(QStringLiteral("480372"));
    click("MaxKW");
    EXPECT_EQ(script.last()->kind, BoxKind::Warning);
    EXPECT_EQ(script.last()->text, QStringLiteral(" И для начальника. Увы!"));

    script.answerText(QStringLiteral("731946"));
    entry("Polzowatel")->trigger();
    script.answerText(QStringLiteral("двадцать"));
    click("MaxKW");
    EXPECT_EQ(shown(BoxKind::Input, QStringLiteral("Вопросов по теме не больше чем?")), 1);
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("двадцать")), 1);
    EXPECT_EQ(find<QPushButton>("MaxKW")->text(), QStringLiteral("двадцать")); // the caption keeps what was typed
    EXPECT_EQ(state.questionLimit, 500);                                       // the limit does not

    script.answerText(QStringLiteral(" 25 "));
    click("MaxKW");
    EXPECT_EQ(state.questionLimit, 25);
    const QByteArray settings = t.read("Baza/NoKor.qkv");
    EXPECT_TRUE(settings.contains("500")); // the settings file is not changed

    script.answerCancel();
    click("MaxKW");
    EXPECT_EQ(state.questionLimit, 25);
}

TEST_F(MainWindowTest, DisplayTimesApplyForTheRunOnly)
{
    start();
    enter(QStringLiteral("731946"));
    auto* question = find<QLineEdit>("WoprSek");
    auto* variant = find<QLineEdit>("OtwSek");
    question->setText(QStringLiteral("60"));
    variant->setText(QStringLiteral("5"));
    click("WremaZadat");
    EXPECT_EQ(state.questionSeconds, 60);
    EXPECT_EQ(state.variantSeconds, 5);
    EXPECT_EQ(find<QProgressBar>("Gauge3")->maximum(), 60);

    variant->setText(QStringLiteral("пять"));
    question->setText(QStringLiteral("70"));
    click("WremaZadat");
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("пять")), 1);
    EXPECT_EQ(state.questionSeconds, 60); // nothing applies while a box is bad
    EXPECT_EQ(state.variantSeconds, 5);

    question->setText(QStringLiteral("0"));
    click("WremaZadat");
    EXPECT_EQ(state.questionSeconds, 60);
    EXPECT_EQ(shown(BoxKind::Error), 2);
    EXPECT_TRUE(t.read("Baza/NoKor.qkv").contains("900"));
}

TEST_F(MainWindowTest, FontButtonsChangeQuestionAndVariantTexts)
{
    start();
    QuestionArea& area = *form()->questionArea;
    const int question = area.questionPointSize();
    const int variants = form()->answerRows()->textPointSize();
    EXPECT_EQ(variants, 10);
    click("BolBuk");
    EXPECT_EQ(area.questionPointSize(), question + 2);
    EXPECT_EQ(form()->answerRows()->textLine(30)->font().pointSize(), 12);

    area.setQuestionPointSize(8);
    click("MalBuk");
    EXPECT_EQ(area.questionPointSize(), 6);
    click("MalBuk");
    EXPECT_EQ(area.questionPointSize(), 6); // below 8 points nothing more
    EXPECT_EQ(form()->answerRows()->textLine(1)->font().pointSize(), 10);
}

TEST_F(MainWindowTest, ModeListSwitchesHintsAndOrderAndClearsTheCounters)
{
    start();
    enter(QStringLiteral("731946"));
    find<QLineEdit>("WerBal")->setText(QStringLiteral("7"));
    auto* modes = find<QListWidget>("Regim");
    modes->item(0)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(state.hintMode, kHintsOff);
    EXPECT_TRUE(find<QLineEdit>("KPraw")->isHidden());
    EXPECT_EQ(find<QLineEdit>("WerBal")->text(), QStringLiteral("0"));
    modes->item(1)->setCheckState(Qt::Checked);
    EXPECT_FALSE(state.shuffle);
    modes->item(0)->setCheckState(Qt::Checked);
    modes->item(1)->setCheckState(Qt::Unchecked);
    EXPECT_EQ(state.hintMode, kHintsOn);
    EXPECT_TRUE(state.shuffle);
}

TEST_F(MainWindowTest, BackgroundColoursAreSavedInTheColourFile)
{
    start();
    enter(QStringLiteral("731946"));
    script.answerColour(QColor(0x10, 0x20, 0x30));
    entry("CwetForm1")->trigger();
    EXPECT_EQ(form()->windowColour(), QColor(0x10, 0x20, 0x30));
    script.answerColour(QColor(0xA0, 0xB0, 0xC0));
    entry("CwetOtwet")->trigger();
    EXPECT_EQ(form()->answerRows()->areaColour(), QColor(0xA0, 0xB0, 0xC0));
    script.answerCancel();
    entry("CwetForm1")->trigger();
    EXPECT_EQ(form()->windowColour(), QColor(0x10, 0x20, 0x30));

    const ColourFile file = readColourFile(t.home().path(paths::colours));
    ASSERT_TRUE(file.form1 && file.otwet);
    EXPECT_EQ(colourToRgb(*file.form1), 0x102030u);
    EXPECT_EQ(colourToRgb(*file.otwet), 0xA0B0C0u);
    EXPECT_EQ(shown(BoxKind::Error), 0);
}

TEST_F(MainWindowTest, ColourFileOfAFormerRunIsApplied)
{
    writeTextLines(t.home().path(paths::colours), {QStringLiteral("Form1 $00112233"), QStringLiteral("Otwet clWhite")});
    start();
    EXPECT_EQ(form()->windowColour(), QColor(0x33, 0x22, 0x11));
    EXPECT_EQ(form()->answerRows()->areaColour(), QColor(Qt::white));
}

TEST_F(MainWindowTest, CalculatorFromPathOrAMessage)
{
    start();
    enter(QStringLiteral("731946"));
    const QByteArray path = qgetenv("PATH");
    QString started;
    setStartProgramHook([&](const QString& program) {
        started = program;
        return true;
    });
    t.write("bin/xcalc", "#!/bin/sh\n");
    QFile(t.path("bin/xcalc")).setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    qputenv("PATH", t.path("bin").toLocal8Bit());
    entry("Kalkulator")->trigger();
    EXPECT_EQ(started, t.path("bin/xcalc"));
    EXPECT_EQ(script.shown().size(), 0u);

    qputenv("PATH", t.path("nothing").toLocal8Bit());
    entry("Kalkulator")->trigger();
    EXPECT_EQ(shown(BoxKind::Warning, QStringLiteral("Калькулятор")), 1);
    qputenv("PATH", path);
    setStartProgramHook({});
}

TEST_F(MainWindowTest, HelpOpensTheHtmlHelpOrSaysItIsMissing)
{
    start();
    QList<QUrl> opened;
    setOpenUrlHook([&](const QUrl& url) {
        opened << url;
        return true;
    });
    click("dxfColorButton2");
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_EQ(shown(BoxKind::Warning, QStringLiteral("Описание программы")), 1);

    t.write("Help/index.html", "<html><body>Тавел</body></html>");
    click("dxfColorButton2");
    entry("N18")->trigger();
    ASSERT_EQ(opened.size(), 2);
    EXPECT_EQ(opened[0], QUrl::fromLocalFile(t.path("Help/index.html")));
    setOpenUrlHook({});
}

TEST_F(MainWindowTest, AnswerTableAndSystemNumberNeedTheAdministratorsWord)
{
    start();
    enter(QStringLiteral("731946"));
    script.drive([](QDialog& prompt) { typeWord(prompt, QStringLiteral("vintor")); });
    entry("N5")->trigger();
    // The table is made when first needed: before that it cannot be shown.
    const auto* notShown = form()->findChild<QTableWidget*>(QStringLiteral("OtwTek"));
    EXPECT_TRUE(!notShown || notShown->isHidden());

    script.drive([](QDialog& prompt) { typeWord(prompt, QStringLiteral("Vintor")); });
    entry("N5")->trigger();
    EXPECT_FALSE(find<QTableWidget>("OtwTek")->isHidden());
    EXPECT_EQ(find<QTableWidget>("OtwTek")->horizontalHeaderItem(6)->text(), QStringLiteral("Nazwan"));

    EXPECT_TRUE(find<QLineEdit>("NomerWoprosa")->isHidden());
    script.drive([](QDialog& prompt) { typeWord(prompt, QStringLiteral("Vintor")); });
    entry("N16")->trigger();
    EXPECT_FALSE(find<QLineEdit>("NomerWoprosa")->isHidden());
    EXPECT_EQ(script.count(BoxKind::Modal), 3);
}

TEST_F(MainWindowTest, TenPointGradeSwitchesOnAndOff)
{
    start();
    auto* group = find<QGroupBox>("DesBalWkl");
    EXPECT_TRUE(group->isHidden());
    entry("N101")->trigger();
    EXPECT_FALSE(group->isHidden());
    entry("N101")->trigger();
    EXPECT_TRUE(group->isHidden());
}
