// The explanation window: the answer form of letters and terms, restoring the
// text, the answer code and its hint, rich text, font steps, opening the file
// with its program, placement and unreadable files.
#include "session/windows/explanation_window.h"

#include "platform/open_file.h"
#include "platform/windows/message_box.h"
#include "support/temp_home.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QToolButton>

#include <gtest/gtest.h>

using namespace tavel;
using tavel::dialogs::testing::BoxKind;
using tavel::dialogs::testing::Script;
using tavel::test::cp;
using tavel::test::TempHome;

namespace {

// A Windows-1251 text with three markers, (Б) twice, and a term list.
const QString kReformText = QStringLiteral(
    "В 1861 году Александр II подписал манифест об отмене (А).\r\n"
    "За полученную землю крестьяне вносили (Б).\r\n"
    "Пока (Б) не начинались, крестьяне были временнообязанными.\r\n"
    "Для местного самоуправления в 1864 году были созданы (В).\r\n"
    "\r\n"
    "Список терминов\r\n"
    "1 земства\r\n"
    "2 крепостного права\r\n"
    "3 выкупные платежи\r\n"
    "4 рекрутская повинность\r\n");

template <class W>
W* child(const QWidget& window, const char* name)
{
    W* widget = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

QString text(const TTeksti& window)
{
    return window.Poyasnen->toPlainText();
}

void clickCell(QTableWidget* grid, int row, int column)
{
    const QRect cell = grid->visualItemRect(grid->item(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
}

// Picks the term with the given 1-based number from the open list, as a
// person does with the mouse.
void chooseTerm(QComboBox* terms, int number)
{
    terms->showPopup();
    QAbstractItemView* list = terms->view();
    const QRect item = list->visualRect(terms->model()->index(number - 1, 0));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    ASSERT_FALSE(list->isVisible());
}

struct Fixture {
    TempHome home;
    TTeksti window;

    QString write(const QString& name, const QByteArray& bytes)
    {
        home.write(QStringLiteral("Istoriy/Foto/") + name, bytes);
        return home.path(QStringLiteral("Istoriy/Foto/") + name);
    }
    QString foto() const { return home.path(QStringLiteral("Istoriy/Foto")); }
};

} // namespace

TEST(ExplanationWindow, MarkedTextWithTermListShowsTheAnswerForm)
{
    Fixture f;
    const QString path = f.write(QStringLiteral("reformy.txt"), cp(kReformText));
    EXPECT_EQ(f.window.objectName(), QStringLiteral("TTeksti"));
    EXPECT_EQ(f.window.windowTitle(), QStringLiteral("Пояснения к вопросу"));

    f.window.showExplanation(path, f.foto());

    EXPECT_TRUE(f.window.isVisible());
    EXPECT_EQ(f.window.windowTitle(), QStringLiteral("Пояснения к вопросу из файла: ") + QDir::toNativeSeparators(path));
    EXPECT_TRUE(text(f.window).startsWith(QStringLiteral("В 1861 году")));
    EXPECT_TRUE(f.window.Poyasnen->isReadOnly());

    auto* group = child<QGroupBox>(f.window, "UprProp");
    ASSERT_TRUE(group);
    EXPECT_TRUE(group->isVisible());
    EXPECT_EQ(group->title(), QStringLiteral("Выберите клетку под нужной буквой. Туда будет вставлен код ответа."
                                             "                     Для выбранной буквы укажите нужный термин."));
    EXPECT_TRUE(f.window.noteLabel->isVisible());
    EXPECT_EQ(f.window.noteLabel->text(), QStringLiteral("Терминов может быть больше, чем нужно."));

    auto* grid = child<QTableWidget>(f.window, "BukCif");
    ASSERT_TRUE(grid);
    ASSERT_EQ(grid->rowCount(), 2);
    ASSERT_EQ(grid->columnCount(), 3);
    EXPECT_EQ(grid->item(0, 0)->text(), QStringLiteral("(А)"));
    EXPECT_EQ(grid->item(0, 1)->text(), QStringLiteral("(Б)"));
    EXPECT_EQ(grid->item(0, 2)->text(), QStringLiteral("(В)"));
    EXPECT_EQ(f.window.chosenNumbers(), QStringList({"", "", ""}));
    EXPECT_EQ(f.window.letterCount(), 3);

    auto* terms = child<QComboBox>(f.window, "SpisTerm");
    ASSERT_TRUE(terms);
    EXPECT_EQ(terms->count(), 4);
    EXPECT_EQ(terms->itemText(2), QStringLiteral("3 выкупные платежи"));
    EXPECT_EQ(terms->currentIndex(), -1);
    EXPECT_EQ(terms->placeholderText(), QStringLiteral("Список терминов"));

    EXPECT_EQ(child<QLineEdit>(f.window, "WibrBuk")->text(), QStringLiteral("(А)"));
    auto* nwb = child<QLineEdit>(f.window, "NWB");
    EXPECT_FALSE(nwb->isVisible());
    EXPECT_EQ(nwb->text(), QStringLiteral("0"));

    EXPECT_EQ(child<QPushButton>(f.window, "TekstPlusSim1")->toolTip(), QStringLiteral("Вставить правильные ответы"));
    EXPECT_EQ(child<QPushButton>(f.window, "Wosstan")->toolTip(), QStringLiteral("Восстановить текст"));
    EXPECT_EQ(child<QPushButton>(f.window, "Zakrit")->text(), QStringLiteral("Готов"));
    EXPECT_EQ(child<QPushButton>(f.window, "BitBtn1")->toolTip(), QStringLiteral("Напечатать из редактора"));
    EXPECT_EQ(child<QWidget>(f.window, "SpinButton1")->toolTip(), QStringLiteral("Размер шрифта"));
}

TEST(ExplanationWindow, GroupOnlyForMarkersFromAWithATermListAfterTheFirstLine)
{
    Fixture f;
    // (В) is missing: the letters stop at (Б), so two columns.
    f.window.showExplanation(f.write(QStringLiteral("gap.txt"),
                                     cp(QStringLiteral("(А) и (Б), потом (Г).\nСписок терминов\n1 первый\n2 второй\n"))),
                             f.foto());
    EXPECT_TRUE(f.window.UprProp->isVisible());
    EXPECT_EQ(f.window.BukCif->columnCount(), 2);
    EXPECT_EQ(f.window.SpisTerm->count(), 2);

    // The term list on the very first line: no answer form.
    f.window.close();
    f.window.showExplanation(f.write(QStringLiteral("first.txt"),
                                     cp(QStringLiteral("Список терминов: (А), (Б)\n1 первый\n"))),
                             f.foto());
    EXPECT_TRUE(f.window.isVisible());
    EXPECT_FALSE(f.window.UprProp->isVisible());

    // No markers at all: a plain explanation.
    f.window.close();
    f.window.showExplanation(f.write(QStringLiteral("plain.txt"), cp(QStringLiteral("Просто пояснение.\n"))), f.foto());
    EXPECT_EQ(f.window.letterCount(), 0);
    EXPECT_FALSE(f.window.UprProp->isVisible());
    EXPECT_EQ(text(f.window), QStringLiteral("Просто пояснение."));
}

TEST(ExplanationWindow, ChoosingATermWritesItsNumberAndNamesTheLetterInCapitals)
{
    Fixture f;
    const QString path = f.write(QStringLiteral("reformy.txt"), cp(kReformText));
    f.window.showExplanation(path, f.foto());

    clickCell(f.window.BukCif, 1, 1);
    EXPECT_EQ(f.window.WibrBuk->text(), QStringLiteral("(Б)"));
    EXPECT_EQ(f.window.NWB->text(), QStringLiteral("1"));

    chooseTerm(f.window.SpisTerm, 3);
    EXPECT_EQ(f.window.chosenNumbers(), QStringList({"", "3", ""}));
    EXPECT_EQ(text(f.window).count(QStringLiteral("ВЫКУПНЫЕ ПЛАТЕЖИ")), 2);
    EXPECT_FALSE(text(f.window).contains(QStringLiteral("(Б)")));
    EXPECT_TRUE(text(f.window).contains(QStringLiteral("(А)")));
    EXPECT_TRUE(text(f.window).contains(QStringLiteral("вносили ВЫКУПНЫЕ ПЛАТЕЖИ.")));

    // "Восстановить текст": the file's text again, the numbers stay.
    QTest::mouseClick(f.window.Wosstan, Qt::LeftButton);
    EXPECT_EQ(text(f.window).count(QStringLiteral("(Б)")), 2);
    EXPECT_FALSE(text(f.window).contains(QStringLiteral("ВЫКУПНЫЕ")));
    EXPECT_EQ(f.window.chosenNumbers(), QStringList({"", "3", ""}));

    // The other letters, then "Готов": the numbers joined, the window closed.
    clickCell(f.window.BukCif, 0, 0); // a marker cell selects its column as well
    chooseTerm(f.window.SpisTerm, 2);
    clickCell(f.window.BukCif, 1, 2);
    chooseTerm(f.window.SpisTerm, 1);
    EXPECT_TRUE(text(f.window).contains(QStringLiteral("отмене КРЕПОСТНОГО ПРАВА.")));
    EXPECT_TRUE(text(f.window).contains(QStringLiteral("созданы ЗЕМСТВА.")));

    QSignalSpy chosen(&f.window, &TTeksti::answerChosen);
    QTest::mouseClick(f.window.Zakrit, Qt::LeftButton);
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), QStringLiteral("231"));
    EXPECT_FALSE(f.window.isVisible());
}

TEST(ExplanationWindow, AnswerHintFillsTheNumbersFromTheExactAnswer)
{
    Fixture f;
    f.window.showExplanation(f.write(QStringLiteral("reformy.txt"), cp(kReformText)), f.foto());
    // The main window's part of the hint: it answers with the exact answer.
    QObject::connect(&f.window, &TTeksti::hintRequested, &f.window, [&] { f.window.fillHint(QStringLiteral("2314")); });

    QTest::mouseClick(f.window.TekstPlusSim1, Qt::LeftButton);
    EXPECT_EQ(f.window.chosenNumbers(), QStringList({"2", "3", "1"}));

    // A shorter answer leaves the columns past its end empty.
    f.window.fillHint(QStringLiteral("4"));
    EXPECT_EQ(f.window.chosenNumbers(), QStringList({"4", "", ""}));

    f.window.setHintButtonVisible(false);
    EXPECT_FALSE(f.window.TekstPlusSim1->isVisible());
    f.window.setHintButtonVisible(true);
    EXPECT_TRUE(f.window.TekstPlusSim1->isVisible());
}

TEST(ExplanationWindow, NewTextStartsWithItsFirstLetterSelected)
{
    Fixture f;
    f.window.showExplanation(f.write(QStringLiteral("reformy.txt"), cp(kReformText)), f.foto());
    clickCell(f.window.BukCif, 1, 2); // (В), the third column
    f.window.close();

    f.window.showExplanation(f.write(QStringLiteral("two.txt"),
                                     cp(QStringLiteral("(А) и (Б).\nСписок терминов\n1 первый\n2 второй\n"))),
                             f.foto());
    EXPECT_EQ(f.window.WibrBuk->text(), QStringLiteral("(А)"));
    EXPECT_EQ(f.window.NWB->text(), QStringLiteral("0"));
    chooseTerm(f.window.SpisTerm, 2);
    EXPECT_EQ(f.window.chosenNumbers(), QStringList({"2", ""}));
}

TEST(ExplanationWindow, RichTextKeepsItsFormatsAndFollowsTheFontButtons)
{
    Fixture f;
    const QString path = f.write(QStringLiteral("pifagor.rtf"),
                                 "{\\rtf1\\ansi\\ansicpg1251 {\\fonttbl{\\f0 Arial;}}\\f0\\fs24 "
                                 "{\\b \\'d2\\'e5\\'ee\\'f0\\'e5\\'ec\\'e0} \\i c*c = a*a + b*b\\i0\\par}");
    f.window.showExplanation(path, f.foto());
    ASSERT_TRUE(f.window.isVisible());
    EXPECT_TRUE(text(f.window).startsWith(QStringLiteral("Теорема")));

    const auto formatAt = [&](const QString& what) {
        QTextCursor cursor = f.window.Poyasnen->document()->find(what);
        EXPECT_FALSE(cursor.isNull()) << what.toStdString();
        return cursor.charFormat();
    };
    EXPECT_EQ(formatAt(QStringLiteral("Теорема")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatAt(QStringLiteral("a*a")).fontItalic());
    EXPECT_EQ(formatAt(QStringLiteral("a*a")).fontWeight(), QFont::Normal);
    EXPECT_EQ(formatAt(QStringLiteral("Теорема")).fontPointSize(), 12);

    // Up adds 2 points to the text, sizes of its own included; down takes
    // 2 off only while the size is above 7.
    const int start = f.window.Poyasnen->font().pointSize();
    QTest::mouseClick(f.window.SpinButton1Up, Qt::LeftButton);
    EXPECT_EQ(f.window.Poyasnen->font().pointSize(), start + 2);
    EXPECT_EQ(formatAt(QStringLiteral("Теорема")).fontPointSize(), 14);
    // "Восстановить текст" keeps the size chosen.
    f.window.WosstanClick();
    EXPECT_EQ(formatAt(QStringLiteral("Теорема")).fontPointSize(), 14);
    for (int i = 0; i < 10; ++i)
        QTest::mouseClick(f.window.SpinButton1Down, Qt::LeftButton);
    EXPECT_EQ(f.window.Poyasnen->font().pointSize(), 6);
    EXPECT_GE(formatAt(QStringLiteral("Теорема")).fontPointSize(), 1);
}

TEST(ExplanationWindow, LongPathIsReloadedAndOpenedFromTheKeptPath)
{
    Fixture f;
    const QString name = QStringLiteral("poyasnenie_k_voprosu_o_reformah.txt");
    const QString path = f.write(name, cp(QStringLiteral("Первая редакция.")));
    ASSERT_GE(QDir::toNativeSeparators(path).size(), 70);
    f.window.showExplanation(path, f.foto());
    EXPECT_EQ(text(f.window), QStringLiteral("Первая редакция."));
    EXPECT_EQ(f.window.filePath(), path);

    f.write(name, cp(QStringLiteral("Вторая редакция.")));
    QTest::mouseClick(f.window.Wosstan, Qt::LeftButton);
    EXPECT_EQ(text(f.window), QStringLiteral("Вторая редакция."));

    QList<QUrl> opened;
    setOpenUrlHook([&](const QUrl& url) {
        opened.append(url);
        return true;
    });
    Script script;
    QTest::mouseClick(f.window.BitBtn1, Qt::LeftButton);
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.front().toLocalFile(), QFileInfo(path).canonicalFilePath());
    EXPECT_EQ(script.shown().size(), 0u);

    // A file outside the subject's Foto folder is not handed to a program.
    const QString outside = f.home.path(QStringLiteral("Istoriy/notes.txt"));
    f.home.write(QStringLiteral("Istoriy/notes.txt"), cp(QStringLiteral("Заметки")));
    f.window.showExplanation(outside, f.foto());
    QTest::mouseClick(f.window.BitBtn1, Qt::LeftButton);
    EXPECT_EQ(opened.size(), 1);
    ASSERT_EQ(script.count(BoxKind::Warning), 1);
    EXPECT_TRUE(script.last()->text.contains(QStringLiteral("notes.txt")));
    setOpenUrlHook({});
}

TEST(ExplanationWindow, UnreadableFileIsReportedAndTheWindowStaysClosed)
{
    Fixture f;
    Script script;
    const QString missing = f.home.path(QStringLiteral("Istoriy/Foto/netu.txt"));
    f.window.showExplanation(missing, f.foto());
    EXPECT_FALSE(f.window.isVisible());
    ASSERT_EQ(script.count(BoxKind::Error), 1);
    EXPECT_TRUE(script.last()->text.contains(QDir::toNativeSeparators(missing)));

    // A damaged rich text still shows what could be read.
    f.window.showExplanation(f.write(QStringLiteral("broken.rtf"), "{\\rtf1 {\\b Obryv \\'e0\\'"), f.foto());
    EXPECT_TRUE(f.window.isVisible());
    EXPECT_EQ(script.count(BoxKind::Error), 1);
}

TEST(ExplanationWindow, PlacedBelowTheMainWindow)
{
    TTeksti window;
    const int designHeight = window.height();
    const QRect workArea(0, 0, 1280, 1000);

    // Room below a short main window: the explanation fills it.
    window.FormCreate(400, workArea);
    EXPECT_EQ(window.geometry(), QRect(0, 401, 1280, 1000 - 400 - 1));

    // A tall main window: the design height at the bottom of the work area.
    TTeksti other;
    other.FormCreate(900, QRect(0, 30, 1280, 1000));
    EXPECT_EQ(other.geometry(), QRect(0, 30 + 1000 - designHeight - 1, 1280, designHeight));
}

TEST(ExplanationWindow, DemoQuestionIsAnsweredWithTheTermsOfItsText)
{
    // The demo's question 1_3_1_9 refers to File#reforma1861.txt#; its exact
    // answer is the code of the right terms.
    const QDir demo(QStringLiteral(TAVEL_DEMO_DIR));
    TTeksti window;
    window.showExplanation(demo.filePath(QStringLiteral("Istoriy/Foto/reforma1861.txt")),
                           demo.filePath(QStringLiteral("Istoriy/Foto")));
    ASSERT_TRUE(window.UprProp->isVisible());
    EXPECT_EQ(window.letterCount(), 3);
    EXPECT_EQ(window.SpisTerm->count(), 5);
    const int right[] = {2, 3, 1};
    for (int column = 0; column < 3; ++column) {
        clickCell(window.BukCif, 1, column);
        chooseTerm(window.SpisTerm, right[column]);
    }
    EXPECT_TRUE(text(window).contains(QStringLiteral("об отмене КРЕПОСТНОГО ПРАВА.")));
    QSignalSpy chosen(&window, &TTeksti::answerChosen);
    window.ZakritClick();
    ASSERT_EQ(chosen.count(), 1);
    EXPECT_EQ(chosen.at(0).at(0).toString(), QStringLiteral("231"));
}
