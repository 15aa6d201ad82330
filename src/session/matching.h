// The answers of the classification (matching) window and of the ranking
// window, as models the windows drive: selections and their score, slots and
// the drag-and-drop rule, hints, and the counters settled by "Готов".
//
// Contracts:
// - Classification rows and ranking boxes and slots are numbered from 1, as
//   the windows show them. Any number of rows, boxes and slots is supported.
// - Classification: the term list of every row is "Не определено" (entry 0)
//   followed by the "-" variants (entries 1..); row i is right when its
//   selected entry equals the integer value of RightCodes[i]. Entry 0 never
//   scores, nor does a code that is not a number of an existing entry.
// - Ranking: the correct-number cell of slot s holds the AnswerNo of the
//   variant standing in slot s; the score (Kol_Sovpad) is the number of slots
//   s whose cell holds the number s, always computed from the order that
//   stands, so a right order that was never touched scores in full.
// - Geometry is in the coordinates of the scroll box holding the variant
//   boxes; the window forwards mouse positions in those coordinates.
#pragma once

#include "session/presentation.h"
#include "session/session_state.h"

#include <QPoint>
#include <QRect>
#include <QString>
#include <QStringList>
#include <vector>

namespace tavel {

inline const QString kUndetermined = QStringLiteral("Не определено");

class Classification {
public:
    Classification() = default;
    Classification(const QStringList& rightTexts, const QStringList& rightCodes, const QStringList& leftTexts);
    static Classification fromPresentation(const Presentation& p);

    int rowCount() const { return int(rows_.size()); } // KlassRightCount
    int termCount() const { return int(terms_.size()); } // KlassLeftCount
    const QString& itemText(int row) const { return rows_[size_t(row - 1)].text; }
    // "Не определено" followed by the terms: the list of every row.
    QStringList entries() const;

    int selected(int row) const { return rows_[size_t(row - 1)].selected; }
    // Selects entry `entry` in row `row`; an entry outside the list selects 0.
    void select(int row, int entry);
    // The entry that makes row `row` right; 0 when none can.
    int rightEntry(int row) const { return rows_[size_t(row - 1)].right; }

    int score() const; // Nabrano

    // OtvWstavinClick: the next row not yet given gets its right entry.
    // Returns that row (count one hint), or 0 when every row has been given.
    int hint();
    int hintPosition() const { return hintPosition_; }

private:
    struct Row {
        QString text;
        int right = 0;
        int selected = 0;
    };
    std::vector<Row> rows_;
    QStringList terms_;
    int hintPosition_ = 0;
};

class Ranking {
public:
    static constexpr int kFirstSlotTop = 2;
    static constexpr int kSlotStep = 50;
    static constexpr int kSlotLeft = 25;
    static constexpr int kBoxWidth = 920;
    static constexpr int kBoxHeight = 41;
    static constexpr int kDropSize = 40; // a released box is tested at 40 × 40

    static int slotTop(int slot) { return kFirstSlotTop + kSlotStep * (slot - 1); }

    Ranking() = default;
    // `correctNumbers[i]` is the correct-number cell of variant i + 1.
    explicit Ranking(const QStringList& correctNumbers);
    static Ranking fromPresentation(const Presentation& p);

    int count() const { return int(cells_.size()); } // KolOtw

    QRect boxRect(int box) const; // where box `box` stands now
    // The width the window gives the boxes (kBoxWidth unless the window is
    // narrower); a drop is tested against the boxes as they are drawn.
    void setBoxWidth(int width) { boxWidth_ = width > 0 ? width : kBoxWidth; }
    int boxWidth() const { return boxWidth_; }
    int slotOfBox(int box) const { return slotOf_[size_t(box - 1)]; }
    int boxInSlot(int slot) const;
    const QString& correctCell(int slot) const { return cells_[size_t(slot - 1)]; }
    bool revealed(int slot) const { return slot <= hintPosition_; }

    // Dragging with the mouse.
    void press(int box, QPoint mouse);
    void move(QPoint mouse);
    // Drops the box: swaps it with the first box it lands on, or puts it back.
    // Returns true when a swap took place.
    bool release(QPoint mouse);
    bool dragging() const { return pressed_; }
    int draggedBox() const { return dragged_; }

    // The keyboard's move: box `box` changes places with its neighbour one
    // slot up (-1) or down (+1). False at the top or bottom.
    bool moveBox(int box, int direction);

    // "Снова": every box back to its first slot, the cells as at the start.
    // Revealed cells stay revealed.
    void restart();

    int score() const; // Kol_Sovpad
    bool allInPlace() const { return score() == count(); }

    // Podskazat1Click: reveals the correct-number cell of the next slot.
    // Returns that slot (count one hint), or 0 when all are revealed.
    int hint();
    int hintPosition() const { return hintPosition_; }

private:
    int slotAtTop(int top) const; // the slot whose top is `top`, else 1
    void updateSlots();

    std::vector<QPoint> position_; // top-left of each box
    std::vector<int> slotOf_;      // second number cells: the slot of each box
    QStringList cells_;            // correct-number cell of each slot
    QStringList initialCells_;
    int hintPosition_ = 0;
    int boxWidth_ = kBoxWidth;

    bool pressed_ = false;
    int dragged_ = 1;
    QPoint pressMouse_;
    QPoint pressPosition_;
    int pressSlot_ = 1;
};

// The points of a matching or ranking answer with `right` of `items` items
// in place, for a question worth TekBal: WseBal += items (the question's
// Points were added at the start), WerBal := round-half-even(WerBal + right
// + TekBal × right ÷ items). A fully right answer so earns everything the
// question added to WseBal (its Points and its items); a partly right one
// its items and its Points in proportion, rounded as tick boxes are.
void settleItems(SessionCounters& counters, int right, int items);

// The classification window's "Готов": settleItems with Nabrano of
// KlassRightCount (the verdict follows in the checker).
void settleMatching(SessionState& state, const Classification& answer);

// The ranking window's "Готов": settleItems with the score of n, WerWop + 1
// when every variant is in place; the verdict is kept for the checker.
void settleRanking(SessionState& state, const Ranking& answer);

} // namespace tavel
