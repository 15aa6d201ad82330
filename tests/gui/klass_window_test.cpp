// The classification window driven as a student would: term lists, "Ok",
// hints, "Готов", many items and the font buttons.
#include "session/windows/klass_window.h"

#include "session/presentation.h"
#include "support/grab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::grabIfAsked;

namespace {

// A question of the subject "01", topic "001", made of (mark, number, text)
// variants, as the presenter gathers it.
struct Variant {
    QString mark;
    QString number;
    QString text;
};

Presentation question(const QString& text, const std::vector<Variant>& variants)
{
    QuestionRow q{"01", "001", "01", "001", text, "1", "2"};
    AnswerTable answers;
    for (const Variant& v : variants)
        answers.push_back(AnswerRow{"01", "001", "01", "001", v.number, v.mark, v.text});
    return present(q, answers, TimeSettings{});
}

// Items A and B; terms X, Y, Z; A belongs to Y (2), B to Z (3).
Presentation abXyz()
{
    return question(QStringLiteral("Сопоставьте"),
                    {{"+", "2", "A"}, {"-", "1", "X"}, {"+", "3", "B"}, {"-", "2", "Y"}, {"-", "3", "Z"}});
}

// Picks entry `entry` of the row's term list with the keyboard.
void choose(TKlass& w, int row, int entry)
{
    QComboBox* terms = w.termList(row);
    terms->setFocus();
    QTest::keyClick(terms, Qt::Key_Home);
    for (int i = 0; i < entry; ++i)
        QTest::keyClick(terms, Qt::Key_Down);
    ASSERT_EQ(terms->currentIndex(), entry);
}

} // namespace

TEST(KlassWindow, RightChoicesScoreAndGotovReportsThem)
{
    TKlass w;
    QSignalSpy ready(&w, &TKlass::ready);
    w.showQuestion(abXyz(), true);

    EXPECT_EQ(w.windowTitle(), TKlass::caption());
    EXPECT_EQ(w.WoprKl->toPlainText(), QStringLiteral("Сопоставьте"));
    EXPECT_TRUE(w.row(1)->isVisible());
    EXPECT_TRUE(w.row(2)->isVisible());
    EXPECT_FALSE(w.row(3)->isVisible());
    EXPECT_EQ(w.itemBox(2)->toPlainText(), QStringLiteral("B"));
    ASSERT_EQ(w.termList(1)->count(), 4);
    EXPECT_EQ(w.termList(1)->itemText(0), QStringLiteral("Не определено"));
    EXPECT_EQ(w.termList(2)->itemText(3), QStringLiteral("Z"));
    EXPECT_EQ(w.Nabrano->text(), QStringLiteral("0"));

    choose(w, 1, 2); // Y for A
    choose(w, 2, 3); // Z for B
    EXPECT_EQ(w.Nabrano->text(), QStringLiteral("0")); // counted by "Ok" only
    QTest::mouseClick(w.Gotovo, Qt::LeftButton);
    EXPECT_EQ(w.Nabrano->text(), QStringLiteral("2"));

    QTest::mouseClick(w.Zakrit, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(ready.count(), 1);
    EXPECT_EQ(ready[0][0].toInt(), 2);
    EXPECT_EQ(ready[0][1].toInt(), 2);

    SessionState s;
    settleMatching(s, w.answer());
    EXPECT_EQ(s.counters.wseBal, 2);
    EXPECT_EQ(s.counters.werBal, 2);
}

TEST(KlassWindow, UndeterminedAndWrongTermsNeverScore)
{
    TKlass w;
    QSignalSpy ready(&w, &TKlass::ready);
    w.showQuestion(abXyz(), false);
    EXPECT_FALSE(w.OtvWstavin->isVisible()); // no hints, no "Ok" outside hint mode
    EXPECT_FALSE(w.Gotovo->isVisible());

    choose(w, 1, 0); // "Не определено"
    choose(w, 2, 1); // X for B: wrong
    QTest::mouseClick(w.Zakrit, Qt::LeftButton);
    ASSERT_EQ(ready.count(), 1);
    EXPECT_EQ(ready[0][0].toInt(), 0);
    EXPECT_EQ(w.nabrano(), 0);

    // Shown again, the window starts afresh.
    w.showQuestion(abXyz(), true);
    EXPECT_EQ(w.termList(1)->currentIndex(), 0);
    EXPECT_EQ(w.answer().selected(2), 0);
    EXPECT_EQ(w.nabrano(), 0);
}

TEST(KlassWindow, HintsFillTheRowsOnceEach)
{
    TKlass w;
    QSignalSpy hints(&w, &TKlass::hintUsed);
    w.showQuestion(abXyz(), true);
    for (int press = 0; press < 3; ++press)
        QTest::mouseClick(w.OtvWstavin, Qt::LeftButton);
    EXPECT_EQ(hints.count(), 2);
    EXPECT_EQ(w.termList(1)->currentText(), QStringLiteral("Y"));
    EXPECT_EQ(w.termList(2)->currentText(), QStringLiteral("Z"));
    EXPECT_EQ(w.Nabrano->text(), QStringLiteral("2"));
    grabIfAsked(w, QStringLiteral("klass_hinted"));
}

TEST(KlassWindow, EveryItemOfALongQuestionIsShownAndScored)
{
    std::vector<Variant> variants;
    for (int i = 1; i <= 12; ++i)
        variants.push_back({"+", QString::number(13 - i), QStringLiteral("Предмет %1").arg(i)});
    for (int i = 1; i <= 12; ++i)
        variants.push_back({"-", QString::number(i), QStringLiteral("Термин %1").arg(i)});
    TKlass w;
    QSignalSpy ready(&w, &TKlass::ready);
    w.showQuestion(question(QStringLiteral("Двенадцать пар"), variants), true);

    ASSERT_EQ(w.rowsMade(), 12);
    for (int i = 1; i <= 12; ++i) {
        EXPECT_TRUE(w.row(i)->isVisibleTo(&w)) << i;
        EXPECT_EQ(w.itemBox(i)->toPlainText(), QStringLiteral("Предмет %1").arg(i));
        EXPECT_EQ(w.termList(i)->count(), 13);
    }
    // Rows keep their places 84 apart, below one another.
    EXPECT_EQ(w.row(12)->y() - w.row(11)->y(), TKlass::kRowStep);
    EXPECT_GE(w.New->widget()->height(), w.row(12)->geometry().bottom());
    // A window taller than the screen is cut to it; the rest scrolls.
    QCoreApplication::processEvents();
    if (w.height() < TKlass::windowHeight(12, 100000)) {
        EXPECT_TRUE(w.New->verticalScrollBar()->isVisible());
        w.New->ensureWidgetVisible(w.row(12));
        EXPECT_GT(w.New->verticalScrollBar()->value(), 0);
    }
    grabIfAsked(w, QStringLiteral("klass_twelve"));

    for (int i = 1; i <= 12; ++i)
        choose(w, i, 13 - i);
    QTest::mouseClick(w.Zakrit, Qt::LeftButton);
    ASSERT_EQ(ready.count(), 1);
    EXPECT_EQ(ready[0][0].toInt(), 12);
    EXPECT_EQ(ready[0][1].toInt(), 12);

    // A shorter question afterwards hides the extra rows.
    w.showQuestion(abXyz(), true);
    EXPECT_FALSE(w.row(3)->isVisibleTo(&w));
    EXPECT_FALSE(w.row(12)->isVisibleTo(&w));
}

TEST(KlassWindow, HeightFollowsTheRowsWithinTheScreen)
{
    EXPECT_EQ(TKlass::windowHeight(2, 1000), 2 * 84 + 115);
    EXPECT_EQ(TKlass::windowHeight(12, 700), 700);

    // The rows of a two-row question fit without scrolling.
    TKlass w;
    w.showQuestion(abXyz(), true);
    QCoreApplication::processEvents();
    EXPECT_GE(w.New->viewport()->height(), w.row(2)->geometry().bottom());
}

TEST(KlassWindow, FontButtonsChangeTheTextsTogether)
{
    TKlass w;
    w.showQuestion(abXyz(), true);
    const int item = w.itemBox(1)->font().pointSize();
    const int questionSize = w.WoprKl->font().pointSize();
    QTest::mouseClick(w.SpinButton1Up, Qt::LeftButton);
    EXPECT_EQ(w.itemBox(1)->font().pointSize(), item + 2);
    EXPECT_EQ(w.termList(2)->font().pointSize(), item + 2);
    EXPECT_EQ(w.WoprKl->font().pointSize(), questionSize + 2);

    // Down stops once the item boxes are at 7 points or less.
    for (int press = 0; press < 10; ++press)
        QTest::mouseClick(w.SpinButton1Down, Qt::LeftButton);
    EXPECT_GE(w.itemBox(1)->font().pointSize(), 6);
    EXPECT_LE(w.itemBox(1)->font().pointSize(), 7);

    EXPECT_TRUE(w.itemBox(1)->font().bold());
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    EXPECT_FALSE(w.itemBox(1)->font().bold());
    EXPECT_FALSE(w.termList(1)->font().bold());
    EXPECT_FALSE(w.WoprKl->font().bold());
    QTest::mouseClick(w.BitBtn1, Qt::LeftButton);
    EXPECT_TRUE(w.termList(2)->font().bold());

    // Rows made later take the fonts the rows have.
    QTest::mouseClick(w.SpinButton1Up, Qt::LeftButton);
    std::vector<Variant> variants;
    for (int i = 1; i <= 11; ++i)
        variants.push_back({"+", "1", QStringLiteral("item %1").arg(i)});
    variants.push_back({"-", "1", "term"});
    w.showQuestion(question(QStringLiteral("q"), variants), true);
    EXPECT_EQ(w.itemBox(11)->font(), w.itemBox(1)->font());
}
