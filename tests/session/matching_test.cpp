// Classification and ranking answers: scores, hints, dragging and "Готов".
#include "session/matching.h"

#include <gtest/gtest.h>

using namespace tavel;

namespace {

const QStringList kTerms{QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")};

// Drags box `box` so that its top-left lands at `to`.
bool drag(Ranking& r, int box, QPoint to)
{
    const QPoint grip = r.boxRect(box).topLeft() + QPoint(10, 10);
    const QPoint delta = to - r.boxRect(box).topLeft();
    r.press(box, grip);
    r.move(grip + delta / 2);
    return r.release(grip + delta);
}

QPoint slotPoint(int slot, int dy = 0)
{
    return QPoint(Ranking::kSlotLeft, Ranking::slotTop(slot) + dy);
}

} // namespace

TEST(Classification, ScoresRowsWhoseEntryIsTheirCode)
{
    Classification c({QStringLiteral("A"), QStringLiteral("B")}, {QStringLiteral("2"), QStringLiteral("3")}, kTerms);
    EXPECT_EQ(c.entries(), QStringList({kUndetermined, "X", "Y", "Z"}));
    EXPECT_EQ(c.score(), 0);
    c.select(1, 2); // Y for A
    c.select(2, 3); // Z for B
    EXPECT_EQ(c.score(), 2);

    SessionState s;
    settleMatching(s, c);
    EXPECT_EQ(s.counters.wseBal, 2);
    EXPECT_EQ(s.counters.werBal, 2);
}

TEST(Classification, UndeterminedAndUnusableCodesNeverScore)
{
    Classification c({"A", "B", "C"}, {"0", "x", "7"}, kTerms);
    for (int row = 1; row <= 3; ++row)
        c.select(row, 0);
    c.select(3, 7); // no such entry: falls back to 0
    EXPECT_EQ(c.selected(3), 0);
    EXPECT_EQ(c.score(), 0);
    EXPECT_EQ(c.rightEntry(1), 0);
}

TEST(Classification, HintsFillEachRowOnceThenStop)
{
    Classification c({"A", "B"}, {"2", "1"}, kTerms);
    EXPECT_EQ(c.hint(), 1);
    EXPECT_EQ(c.hint(), 2);
    EXPECT_EQ(c.hint(), 0);
    EXPECT_EQ(c.score(), 2);
}

TEST(Classification, MoreThanTenItemsAreAllAnswered)
{
    QStringList texts, codes, terms;
    for (int i = 1; i <= 15; ++i) {
        texts << QStringLiteral("item %1").arg(i);
        codes << QString::number(i);
        terms << QStringLiteral("term %1").arg(i);
    }
    Classification c(texts, codes, terms);
    EXPECT_EQ(c.rowCount(), 15);
    for (int row = 1; row <= 15; ++row)
        c.select(row, row);
    EXPECT_EQ(c.score(), 15);
}

TEST(Ranking, DraggingSwapsBoxesAndTheirCells)
{
    Ranking r({"2", "3", "1"});
    EXPECT_EQ(r.score(), 0);
    EXPECT_TRUE(drag(r, 3, slotPoint(1, 5))); // third onto first
    EXPECT_EQ(r.boxInSlot(1), 3);
    EXPECT_EQ(r.boxInSlot(3), 1);
    EXPECT_EQ(r.score(), 1);
    EXPECT_TRUE(drag(r, r.boxInSlot(2), slotPoint(3, -5))); // second slot onto third
    EXPECT_EQ(r.score(), 3);

    SessionState s;
    settleRanking(s, r);
    EXPECT_EQ(s.counters.werWop, 1);
    EXPECT_EQ(s.counters.wseBal, 3);
    EXPECT_EQ(s.counters.werBal, 3);
    EXPECT_TRUE(s.rankingRight);
}

TEST(Ranking, ARightOrderLeftUntouchedScoresInFull)
{
    Ranking r({"1", "2", "3"});
    SessionState s;
    settleRanking(s, r);
    EXPECT_EQ(s.counters.werBal, 3);
    EXPECT_EQ(s.counters.werWop, 1);
}

TEST(Ranking, ReleasedOverEmptySpaceItGoesBack)
{
    Ranking r({"1", "3", "2"});
    EXPECT_FALSE(drag(r, 2, QPoint(Ranking::kSlotLeft + 2000, 400)));
    EXPECT_EQ(r.boxRect(2).topLeft(), slotPoint(2));
    EXPECT_EQ(r.score(), 1);
    EXPECT_FALSE(r.dragging());
}

TEST(Ranking, TargetsAreTriedInTheOrderOfTheSecondNumberCells)
{
    Ranking r({"1", "2", "3"});
    ASSERT_TRUE(r.moveBox(1, +1));
    ASSERT_TRUE(r.moveBox(1, +1)); // slots now hold boxes 2, 3, 1
    // Dropped across the gap of slots 1 and 2: box 3 (held by the first
    // second-number cell) is tried before box 2.
    EXPECT_TRUE(drag(r, 1, slotPoint(1, 30)));
    EXPECT_EQ(r.boxInSlot(2), 1);
    EXPECT_EQ(r.boxInSlot(3), 3);
    EXPECT_EQ(r.correctCell(2), QStringLiteral("1"));
    EXPECT_EQ(r.correctCell(3), QStringLiteral("3"));
}

TEST(Ranking, KeyboardMovesSwapWithTheNeighbour)
{
    Ranking r({"2", "1", "3"});
    EXPECT_FALSE(r.moveBox(1, -1)); // already at the top
    EXPECT_TRUE(r.moveBox(1, +1));
    EXPECT_EQ(r.score(), 3);
    EXPECT_FALSE(r.moveBox(3, +1));
}

TEST(Ranking, StartAgainRestoresTheOrderButNotTheHints)
{
    Ranking r({"2", "1", "3"});
    EXPECT_EQ(r.hint(), 1);
    r.moveBox(1, +1);
    r.restart();
    EXPECT_EQ(r.boxInSlot(1), 1);
    EXPECT_EQ(r.correctCell(1), QStringLiteral("2"));
    EXPECT_EQ(r.score(), 1);
    EXPECT_TRUE(r.revealed(1));
    EXPECT_EQ(r.hint(), 2);
    EXPECT_EQ(r.hint(), 3);
    EXPECT_EQ(r.hint(), 0);
}

TEST(Ranking, ManyVariantsGetSlotsOfTheirOwn)
{
    QStringList cells;
    for (int i = 35; i >= 1; --i)
        cells << QString::number(i);
    Ranking r(cells);
    EXPECT_EQ(r.boxRect(35).top(), Ranking::slotTop(35));
    EXPECT_TRUE(drag(r, 35, slotPoint(1)));
    EXPECT_EQ(r.correctCell(1), QStringLiteral("1"));
    EXPECT_EQ(r.correctCell(35), QStringLiteral("35"));
    EXPECT_EQ(r.score(), 3); // slots 1, 18 and 35
}

TEST(Ranking, NarrowerBoxesAreMissedBeyondTheirWidth)
{
    Ranking r({"2", "1"});
    r.setBoxWidth(300);
    EXPECT_EQ(r.boxRect(1).width(), 300);
    // Dropped right of the narrowed box 1: nothing there any more.
    EXPECT_FALSE(drag(r, 2, QPoint(Ranking::kSlotLeft + 400, Ranking::slotTop(1))));
    EXPECT_EQ(r.boxInSlot(2), 2);
    EXPECT_TRUE(drag(r, 2, QPoint(Ranking::kSlotLeft + 250, Ranking::slotTop(1))));
    EXPECT_EQ(r.score(), 2);
}

// Mended fault: the Points a matching or ranking question adds to WseBal at
// the start could never be earned; now a full answer earns everything the
// question added and a partial one its Points in proportion.
TEST(ItemScores, AnswersEarnTheQuestionsPointsInProportion)
{
    struct Case {
        int right;
        int werBal; // after a question of Points 4 with 3 items
    };
    // 1: 1 + 4 × 1/3 = 2.33 → 2;  2: 2 + 8/3 = 4.67 → 5;  3: 3 + 4 = 7.
    for (const Case& c : {Case{0, 0}, Case{1, 2}, Case{2, 5}, Case{3, 7}}) {
        SessionCounters counters;
        counters.wseBal = 4; // the question's Points, added at the start
        counters.tekBal = 4;
        settleItems(counters, c.right, 3);
        EXPECT_EQ(counters.wseBal, 7) << c.right;
        EXPECT_EQ(counters.werBal, c.werBal) << c.right;
    }
    // Through the ranking window's model: a right order earns all 7.
    SessionState s;
    s.counters.wseBal = 4;
    s.counters.tekBal = 4;
    settleRanking(s, Ranking({"1", "2", "3"}));
    EXPECT_EQ(s.counters.werBal, s.counters.wseBal);
}
