// The ranking window driven as a student would: dragging boxes with the
// mouse, moving them with the keyboard, "Снова", hints and "Готов".
#include "session/windows/rang_window.h"

#include "session/presentation.h"
#include "support/grab.h"

#include <QApplication>
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

// A ranking question whose variants carry the given right positions.
Presentation ranking(const QStringList& answerNumbers)
{
    QuestionRow q{"01", "002", "01", "007", QStringLiteral("Расположите по порядку"), "1", "3"};
    AnswerTable answers;
    for (qsizetype i = 0; i < answerNumbers.size(); ++i)
        answers.push_back(AnswerRow{"01", "002", "01", "007", answerNumbers[i], "1",
                                    QStringLiteral("Вариант, чьё место %1").arg(answerNumbers[i])});
    return present(q, answers, TimeSettings{});
}

QWidget* area(TRangForm& w)
{
    return w.OtwetiOtm->widget();
}

// The point `p` of the scroll box's inside, in the coordinates of the mouse
// surface of box `i` as it stands now.
QPoint onBox(TRangForm& w, int i, QPoint p)
{
    QWidget* surface = static_cast<QTextEdit*>(w.box(i))->viewport();
    return surface->mapFromGlobal(area(w)->mapToGlobal(p));
}

// Presses box `i` near its top-left corner, moves the mouse in two steps so
// that the corner comes to `to` (inside coordinates) and lets go there.
void dragBox(TRangForm& w, int i, QPoint to)
{
    QWidget* surface = static_cast<QTextEdit*>(w.box(i))->viewport();
    const QPoint grip(10, 10);
    const QPoint gripInArea = surface->mapTo(area(w), grip);
    const QPoint delta = to - w.box(i)->pos();
    QTest::mousePress(surface, Qt::LeftButton, {}, grip);
    QTest::mouseMove(surface, onBox(w, i, gripInArea + delta / 2));
    QTest::mouseMove(surface, onBox(w, i, gripInArea + delta));
    QTest::mouseRelease(surface, Qt::LeftButton, {}, onBox(w, i, gripInArea + delta));
}

QPoint slotCorner(int slot, int dy = 0)
{
    return QPoint(Ranking::kSlotLeft, Ranking::slotTop(slot) + dy);
}

int boxInSlot(TRangForm& w, int slot)
{
    for (int i = 1; i <= w.count(); ++i)
        if (w.slotOfBox(i) == slot)
            return i;
    return 0;
}

} // namespace

TEST(RangWindow, DraggingBoxesIntoOrderScoresEveryPlace)
{
    TRangForm w;
    QSignalSpy ready(&w, &TRangForm::ready);
    w.showQuestion(ranking({"2", "3", "1"}), true);
    EXPECT_EQ(w.windowTitle(), TRangForm::caption());
    EXPECT_EQ(w.WoprosRE->toPlainText(), QStringLiteral("Расположите по порядку"));
    EXPECT_EQ(w.kolSovpad(), 0);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_TRUE(w.box(i)->isVisible());
        EXPECT_EQ(w.box(i)->pos(), slotCorner(i));
        EXPECT_EQ(w.box(i)->property("tag").toInt(), i);
    }
    EXPECT_FALSE(w.box(4)->isVisible());
    EXPECT_FALSE(w.correctCell(1)->isVisible());
    // Tall enough for the three slots, and not much more.
    QCoreApplication::processEvents();
    EXPECT_GE(w.OtwetiOtm->viewport()->height(), area(w)->height());
    EXPECT_LE(w.OtwetiOtm->viewport()->height(), area(w)->height() + 20);

    // The third box onto the first: they change places.
    dragBox(w, 3, slotCorner(1, 5));
    EXPECT_EQ(w.slotOfBox(3), 1);
    EXPECT_EQ(w.slotOfBox(1), 3);
    EXPECT_EQ(w.box(3)->pos(), slotCorner(1));
    EXPECT_EQ(w.box(1)->pos(), slotCorner(3));
    EXPECT_EQ(w.kolSovpad(), 1);
    EXPECT_EQ(w.Kol_Sovpad->text(), QStringLiteral("1"));

    // The box of slot 2 onto slot 3.
    dragBox(w, boxInSlot(w, 2), slotCorner(3, -5));
    EXPECT_EQ(w.kolSovpad(), 3);
    grabIfAsked(w, QStringLiteral("rang_ordered"));

    QTest::mouseClick(w.Zakrit, Qt::LeftButton);
    EXPECT_FALSE(w.isVisible());
    ASSERT_EQ(ready.count(), 1);
    EXPECT_EQ(ready[0][0].toInt(), 3);
    EXPECT_EQ(ready[0][1].toInt(), 3);

    SessionState s;
    settleRanking(s, w.answer());
    EXPECT_EQ(s.counters.werWop, 1);
    EXPECT_EQ(s.counters.wseBal, 3);
    EXPECT_EQ(s.counters.werBal, 3);
}

TEST(RangWindow, ABoxLetGoOverEmptySpaceGoesBack)
{
    TRangForm w;
    w.showQuestion(ranking({"1", "3", "2"}), true);
    dragBox(w, 2, slotCorner(6)); // below the last box
    EXPECT_EQ(w.box(2)->pos(), slotCorner(2));
    EXPECT_EQ(w.slotOfBox(2), 2);
    EXPECT_EQ(w.kolSovpad(), 1);

    // A box dropped onto itself stays too.
    dragBox(w, 1, slotCorner(1, 3));
    EXPECT_EQ(w.box(1)->pos(), slotCorner(1));
    EXPECT_EQ(w.kolSovpad(), 1);
}

TEST(RangWindow, ARightOrderLeftAloneScoresInFull)
{
    TRangForm w;
    QSignalSpy ready(&w, &TRangForm::ready);
    w.showQuestion(ranking({"1", "2", "3", "4"}), false);
    EXPECT_FALSE(w.Podskazat1->isVisible()); // no hints outside hint mode
    QTest::mouseClick(w.Zakrit, Qt::LeftButton);
    ASSERT_EQ(ready.count(), 1);
    EXPECT_EQ(ready[0][0].toInt(), 4);
    EXPECT_EQ(ready[0][1].toInt(), 4);
}

TEST(RangWindow, TheKeyboardMovesTheFocusedBox)
{
    TRangForm w;
    w.showQuestion(ranking({"3", "1", "2"}), true);
    QApplication::setActiveWindow(&w);
    QTextEdit* first = static_cast<QTextEdit*>(w.box(1));
    EXPECT_EQ(w.focusWidget(), first); // the keyboard starts at the top

    QTest::keyClick(first, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(w.slotOfBox(1), 2);
    QTest::keyClick(first, Qt::Key_Down, Qt::AltModifier);
    EXPECT_EQ(w.slotOfBox(1), 3);
    EXPECT_EQ(w.kolSovpad(), 3);
    QTest::keyClick(first, Qt::Key_Down, Qt::ControlModifier); // already at the bottom
    EXPECT_EQ(w.slotOfBox(1), 3);
    QTest::keyClick(first, Qt::Key_Down); // without Ctrl or Alt nothing moves
    EXPECT_EQ(w.slotOfBox(1), 3);

    // Tab goes down the slots as they stand: box 2, box 3, then box 1.
    w.box(2)->setFocus();
    QTest::keyClick(w.box(2), Qt::Key_Tab);
    EXPECT_EQ(w.focusWidget(), w.box(3));
    QTest::keyClick(w.box(3), Qt::Key_Tab);
    EXPECT_EQ(w.focusWidget(), w.box(1));
    QTest::keyClick(first, Qt::Key_Up, Qt::ControlModifier);
    EXPECT_EQ(w.slotOfBox(1), 2);
    EXPECT_EQ(w.box(1)->pos(), slotCorner(2));
}

TEST(RangWindow, StartAgainRestoresTheOrderAndKeepsTheHints)
{
    TRangForm w;
    QSignalSpy hints(&w, &TRangForm::hintUsed);
    w.showQuestion(ranking({"2", "3", "1"}), true);
    EXPECT_TRUE(w.Podskazat1->isVisible());

    QTest::mouseClick(w.Podskazat1, Qt::LeftButton);
    EXPECT_EQ(hints.count(), 1);
    EXPECT_TRUE(w.correctCell(1)->isVisible());
    EXPECT_EQ(w.correctCell(1)->text(), QStringLiteral("2"));
    EXPECT_FALSE(w.correctCell(2)->isVisible());

    dragBox(w, 3, slotCorner(1, 5));
    EXPECT_EQ(w.correctCell(1)->text(), QStringLiteral("1")); // the cell follows its box
    QTest::mouseClick(w.Snova, Qt::LeftButton);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(w.slotOfBox(i), i);
        EXPECT_EQ(w.box(i)->pos(), slotCorner(i));
    }
    EXPECT_EQ(w.correctCell(1)->text(), QStringLiteral("2"));
    EXPECT_EQ(w.kolSovpad(), 0);
    EXPECT_TRUE(w.correctCell(1)->isVisible());

    // One cell per press, then nothing more.
    for (int press = 0; press < 3; ++press)
        QTest::mouseClick(w.Podskazat1, Qt::LeftButton);
    EXPECT_EQ(hints.count(), 3);
    EXPECT_TRUE(w.correctCell(3)->isVisible());
    grabIfAsked(w, QStringLiteral("rang_hinted"));

    // Shown again, nothing is revealed.
    w.showQuestion(ranking({"2", "1"}), true);
    EXPECT_FALSE(w.correctCell(1)->isVisible());
    EXPECT_FALSE(w.box(3)->isVisible());
}

TEST(RangWindow, ManyVariantsAndANarrowWindowStayUsable)
{
    QStringList numbers;
    for (int i = 32; i >= 1; --i)
        numbers << QString::number(i);
    TRangForm w;
    w.showQuestion(ranking(numbers), true);
    ASSERT_EQ(w.count(), 32);
    EXPECT_TRUE(w.box(32)->isVisible());
    EXPECT_EQ(w.box(32)->pos(), slotCorner(32));
    EXPECT_GE(area(w)->height(), w.box(32)->geometry().bottom());

    // The last box onto the first, though far below.
    w.OtwetiOtm->ensureWidgetVisible(w.box(32));
    dragBox(w, 32, slotCorner(1, 4));
    EXPECT_EQ(w.slotOfBox(32), 1);
    EXPECT_EQ(w.kolSovpad(), 2); // slots 1 and 32

    // Narrower than the boxes: they shrink so that nothing hides sideways.
    w.resize(640, 480);
    QCoreApplication::processEvents();
    EXPECT_LT(w.box(1)->width(), Ranking::kBoxWidth);
    EXPECT_LE(area(w)->width(), w.OtwetiOtm->viewport()->width());
    EXPECT_FALSE(w.OtwetiOtm->horizontalScrollBar()->isVisible());
    EXPECT_EQ(w.answer().boxWidth(), w.box(1)->width());
    grabIfAsked(w, QStringLiteral("rang_narrow"));
}

TEST(RangWindow, FontButtonsChangeQuestionAndBoxes)
{
    TRangForm w;
    w.showQuestion(ranking({"1", "2"}), true);
    const int box = w.box(1)->font().pointSize();
    const int question = w.WoprosRE->font().pointSize();
    QTest::mouseClick(w.SpinButton1Up, Qt::LeftButton);
    EXPECT_EQ(w.box(1)->font().pointSize(), box + 2);
    EXPECT_EQ(w.box(30)->font().pointSize(), box + 2);
    EXPECT_EQ(w.WoprosRE->font().pointSize(), question + 2);
    for (int press = 0; press < 10; ++press)
        QTest::mouseClick(w.SpinButton1Down, Qt::LeftButton);
    EXPECT_GE(w.box(1)->font().pointSize(), 6);
    EXPECT_LE(w.box(1)->font().pointSize(), 7);
}
