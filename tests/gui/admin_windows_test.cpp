// The subject list and the settings window as an administrator uses them from
// the menu "Сервис   ": editing and saving the catalogue, the settings for
// the next start, the unlock word, the colour, and printing the window.
#include "main_window_fixture.h"
#include "support/grab.h"

#include "authoring/subject_table.h"
#include "platform/windows/window_print.h"
#include "storage/text_file.h"

#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QRegularExpression>
#include <QTableView>

using namespace tavel;
using namespace tavel::test;

namespace {

QTableView* table(QDialog& window)
{
    return window.findChild<QTableView*>(QStringLiteral("Papki"));
}

void press(QDialog& window, const char* button)
{
    QTest::mouseClick(window.findChild<QPushButton*>(QString::fromLatin1(button)), Qt::LeftButton);
}

void clickRow(QDialog& window, int row)
{
    QTableView* view = table(window);
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
}

void setCell(QDialog& window, int row, int column, const QString& text)
{
    QAbstractItemModel* model = table(window)->model();
    model->setData(model->index(row, column), text);
}

QLineEdit* box(QDialog& window, const char* name)
{
    return window.findChild<QLineEdit*>(QString::fromLatin1(name));
}

// The page size of the first page of a PDF written by Qt, in points.
QSizeF pdfPageSize(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QRegularExpression box(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"));
    const auto match = box.match(QString::fromLatin1(file.readAll()));
    return match.hasMatch() ? QSizeF(match.captured(1).toDouble(), match.captured(2).toDouble()) : QSizeF();
}

} // namespace

class AdminWindowsTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        setPrintOrientation(QPageLayout::Portrait);
        start();
        enter(QStringLiteral("731946"));
    }
    void TearDown() override { setPrintOrientation(QPageLayout::Portrait); }

    void open(const char* menuEntry, std::function<void(QDialog&)> steps)
    {
        script.drive(std::move(steps));
        entry(menuEntry)->trigger();
    }
};

TEST_F(AdminWindowsTest, SubjectListShowsTheCatalogueAndDeletesTheClickedRowLeavingTheGap)
{
    open("N30", [](QDialog& w) {
        QTableView* view = table(w);
        ASSERT_TRUE(view);
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Список предметов"));
        EXPECT_EQ(view->model()->rowCount(), 3);
        EXPECT_EQ(view->model()->headerData(4, Qt::Horizontal).toString(), QStringLiteral("Вопросов"));
        EXPECT_EQ(view->columnWidth(1), 212);
        EXPECT_EQ(view->model()->index(1, 1).data().toString(), QStringLiteral("  Математика "));
        auto* udal = w.findChild<QPushButton*>(QStringLiteral("Udal"));
        EXPECT_EQ(udal->text(), QStringLiteral("0"));
        grabIfAsked(w, QStringLiteral("TSpisPredm"));
        EXPECT_EQ(udal->toolTip(), QStringLiteral("Удалить эту строку в таблице"));
        clickRow(w, 1);
        EXPECT_EQ(udal->text(), QStringLiteral("2"));
        press(w, "Udal");
        EXPECT_EQ(view->model()->rowCount(), 2);
        EXPECT_EQ(view->model()->index(1, 0).data().toString(), QStringLiteral("3"));
        EXPECT_EQ(udal->text(), QStringLiteral("2"));
    });
    // Not saved: the next showing reads the file again.
    open("N30", [](QDialog& w) { EXPECT_EQ(table(w)->model()->rowCount(), 3); });
}

TEST_F(AdminWindowsTest, AddedSubjectIsSavedAndCanBeChosenAtOnce)
{
    open("N30", [](QDialog& w) {
        clickRow(w, 0);
        press(w, "Plus");
        setCell(w, 0, ColumnName, QStringLiteral("Химия"));
        setCell(w, 0, ColumnFolder, QStringLiteral("Himiya"));
        EXPECT_EQ(table(w)->model()->index(3, 0).data().toString(), QStringLiteral("4"));
        press(w, "SaveTab");
    });
    EXPECT_EQ(shown(BoxKind::Information, QStringLiteral("предметов 4")), 1);
    const auto catalogue = readRecords<SubjectRecord>(t.path("Baza/Papka.dat"));
    ASSERT_EQ(catalogue.size(), 4u);
    EXPECT_EQ(catalogue[0].subjectName, QStringLiteral("Химия"));
    EXPECT_EQ(catalogue[3].folderNo, 4);
    QComboBox* subjects = find<QComboBox>("PredmetName");
    ASSERT_EQ(subjects->count(), 4);
    choose(subjects, 0);
    EXPECT_EQ(state.subjectFolder, QStringLiteral("Himiya"));
    EXPECT_TRUE(t.exists("Himiya/Tema.dat"));
}

TEST_F(AdminWindowsTest, CutFolderIsAskedAboutAndABadNumberKeepsTheFormerCatalogue)
{
    const QByteArray before = t.read("Baza/Papka.dat");
    script.answerNo(); // the question about the cut folder name
    open("N30", [](QDialog& w) {
        setCell(w, 2, ColumnFolder, QStringLiteral("Fizika2025"));
        press(w, "SaveTab");
        setCell(w, 1, ColumnAnswers, QStringLiteral("тридцать"));
        press(w, "SaveTab");
    });
    EXPECT_EQ(shown(BoxKind::Question, QStringLiteral("«Fizika2025» длиннее 8 знаков, будет записано «Fizika20»")), 1);
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("Строка 2, столбец «Ответов»: «тридцать» не целое число")), 1);
    EXPECT_EQ(t.read("Baza/Papka.dat"), before);
}

TEST_F(AdminWindowsTest, SettingsSavedWithoutUnlockingWriteTheValuesReadAtStartUp)
{
    writeTextLines(t.path("Baza/NoKor.qkv"),
                   {"своя", "Сидоров", "$00D2D9DB", "2007", "600", "30", "40", "60", "80", "25"});
    windows.reset();
    start();
    const QStringList before = readTextLines(t.path("Baza/NoKor.qkv"));
    open("Nastroika", [this](QDialog& w) {
        EXPECT_EQ(w.findChild<QLabel*>(QStringLiteral("Label11"))->text(), ' ' + form()->windowTitle() + ' ');
        EXPECT_EQ(box(w, "LabeledEditFima")->text(), QStringLiteral("Сидоров"));
        EXPECT_EQ(box(w, "MaxWopr")->text(), QStringLiteral("25"));
        EXPECT_FALSE(w.findChild<QGroupBox*>(QStringLiteral("TimeProc"))->isEnabled());
        box(w, "LabeledEditFima")->setText(QStringLiteral("Кузнецов"));
        press(w, "SaveNastr");
        EXPECT_FALSE(w.isVisible());
    });
    EXPECT_EQ(shown(BoxKind::Warning, QStringLiteral("Закройте программу Тавел и откройте её снова")), 1);
    QStringList expected = before;
    expected[1] = QStringLiteral("Кузнецов");
    EXPECT_EQ(readTextLines(t.path("Baza/NoKor.qkv")), expected);
}

TEST_F(AdminWindowsTest, TheWordWithBlanksUnlocksAndAWrongWordSaysNothing)
{
    script.answerText(QStringLiteral("Vintr"));
    script.answerText(QStringLiteral("  Vintor   "));
    open("Nastroika", [](QDialog& w) {
        auto* group = w.findChild<QGroupBox*>(QStringLiteral("TimeProc"));
        press(w, "BitBtn3");
        EXPECT_FALSE(group->isEnabled());
        press(w, "BitBtn3");
        EXPECT_TRUE(group->isEnabled());
        grabIfAsked(w, QStringLiteral("TNastroika"));
        box(w, "BazWrWopr")->setText(QStringLiteral("45"));
        box(w, "PaytProc")->setText(QStringLiteral("9O"));
        press(w, "SaveNastr");
        EXPECT_TRUE(w.isVisible()); // refused: the window stays for the correction
        box(w, "PaytProc")->setText(QStringLiteral("90"));
        press(w, "SaveNastr");
    });
    EXPECT_EQ(shown(BoxKind::Input, QStringLiteral("Вы кто?")), 2);
    EXPECT_EQ(shown(BoxKind::Error, QStringLiteral("«>=         5» (строка 9 файла настроек) «9O» не целое число")), 1);
    const QStringList lines = readTextLines(t.path("Baza/NoKor.qkv"));
    EXPECT_EQ(lines[4], QStringLiteral("45"));
    EXPECT_EQ(lines[8], QStringLiteral("90"));
    // The running program keeps its values until the next start.
    EXPECT_EQ(state.questionSeconds, 900);
    windows.reset();
    start();
    EXPECT_EQ(state.questionSeconds, 45);
    EXPECT_EQ(state.gradeFive, 90);
    EXPECT_EQ(find<QLineEdit>("WoprSek")->text(), QStringLiteral("45"));
}

TEST_F(AdminWindowsTest, ColourChosenHereGoesToLineThreeAndTheColourFileWinsAtTheNextStart)
{
    script.answerColour(QColor(0x12, 0x34, 0x56));
    open("Nastroika", [](QDialog& w) {
        press(w, "BitBtn4");
        press(w, "SaveNastr");
    });
    EXPECT_EQ(form()->windowColour(), QColor(0x12, 0x34, 0x56)); // at once
    EXPECT_EQ(readTextLines(t.path("Baza/NoKor.qkv"))[2], QStringLiteral("$00563412"));
    EXPECT_EQ(readTextLines(t.path("Baza/CwetFona.qkv")), QStringList()); // not touched

    windows.reset();
    start();
    EXPECT_EQ(form()->windowColour(), QColor(0x12, 0x34, 0x56));
    writeColourEntry(t.path("Baza/CwetFona.qkv"), QStringLiteral("Form1"), QStringLiteral("$00FF0000"));
    windows.reset();
    start();
    EXPECT_EQ(form()->windowColour(), QColor(0x00, 0x00, 0xFF));
}

TEST_F(AdminWindowsTest, PrintGoesToTheDefaultPrinterAndScreenPrintTurnsTheRunLandscape)
{
    const QString pdf = t.path("printer.pdf");
    printing::testing::FakePrinter printer(pdf, true);
    open("Nastroika", [](QDialog& w) {
        press(w, "BitBtn1");
        // After printing the text area is green and the window aqua.
        EXPECT_EQ(box(w, "VerOff")->palette().color(QPalette::Base), QColor(0x00, 0xFF, 0x00));
        EXPECT_EQ(w.palette().color(QPalette::Window), QColor(0x00, 0xFF, 0xFF));
        grabIfAsked(w, QStringLiteral("TNastroika-printed"));
    });
    ASSERT_EQ(printer.jobs(), 1);
    QSizeF page = pdfPageSize(pdf);
    EXPECT_LT(page.width(), page.height()) << page.width() << "x" << page.height();

    entry("N15")->trigger();
    EXPECT_EQ(printer.jobs(), 2);
    page = pdfPageSize(pdf);
    EXPECT_GT(page.width(), page.height());
    copyIfAsked(pdf, QStringLiteral("screen-print.pdf"));
    // Later jobs of the run stay landscape.
    open("Nastroika", [](QDialog& w) { press(w, "BitBtn1"); });
    EXPECT_GT(pdfPageSize(pdf).width(), pdfPageSize(pdf).height());
    EXPECT_EQ(script.count(BoxKind::Error), 0);
}

TEST_F(AdminWindowsTest, WithoutAPrinterTheScreenPrintOffersAPdf)
{
    printing::testing::FakePrinter none(QString(), false);
    const QString pdf = t.path("screen.pdf");
    script.answerNo();
    entry("N15")->trigger();
    EXPECT_EQ(shown(BoxKind::Question, QStringLiteral("Принтер не установлен")), 1);
    EXPECT_EQ(script.count(BoxKind::SaveFile), 0);
    script.answerYes();
    script.answerFileName(pdf);
    entry("N15")->trigger();
    EXPECT_EQ(shown(BoxKind::SaveFile, QStringLiteral("PDF")), 1);
    const QSizeF page = pdfPageSize(pdf);
    EXPECT_GT(page.width(), page.height());
}
