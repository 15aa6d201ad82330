// The classification and ranking answer models.
#include "session/matching.h"

#include "session/checking.h"
#include "storage/text.h"

namespace tavel {
namespace {

// The integer value of a code; 0 when it is not a whole number.
int numberOf(const QString& code)
{
    bool ok = false;
    const int value = trimmed(code).toInt(&ok);
    return ok ? value : 0;
}

} // namespace

Classification::Classification(const QStringList& rightTexts, const QStringList& rightCodes,
                               const QStringList& leftTexts)
    : terms_(leftTexts)
{
    rows_.reserve(size_t(rightTexts.size()));
    for (qsizetype i = 0; i < rightTexts.size(); ++i) {
        Row row;
        row.text = rightTexts[i];
        const int right = i < rightCodes.size() ? numberOf(rightCodes[i]) : 0;
        row.right = right >= 1 && right <= leftTexts.size() ? right : 0;
        rows_.push_back(row);
    }
}

Classification Classification::fromPresentation(const Presentation& p)
{
    return Classification(p.rightTexts, p.rightCodes, p.leftTexts);
}

QStringList Classification::entries() const
{
    QStringList list{kUndetermined};
    list += terms_;
    return list;
}

void Classification::select(int row, int entry)
{
    rows_[size_t(row - 1)].selected = entry >= 0 && entry <= termCount() ? entry : 0;
}

int Classification::score() const
{
    int n = 0;
    for (const Row& row : rows_)
        if (row.right != 0 && row.selected == row.right)
            ++n;
    return n;
}

int Classification::hint()
{
    if (hintPosition_ >= rowCount())
        return 0;
    ++hintPosition_;
    Row& row = rows_[size_t(hintPosition_ - 1)];
    row.selected = row.right;
    return hintPosition_;
}

Ranking::Ranking(const QStringList& correctNumbers) : cells_(correctNumbers), initialCells_(correctNumbers)
{
    restart();
}

Ranking Ranking::fromPresentation(const Presentation& p)
{
    QStringList cells;
    for (const RankingRow& row : p.rankingRows)
        cells.push_back(row.correctNumber);
    return Ranking(cells);
}

QRect Ranking::boxRect(int box) const
{
    return QRect(position_[size_t(box - 1)], QSize(boxWidth_, kBoxHeight));
}

int Ranking::boxInSlot(int slot) const
{
    for (int box = 1; box <= count(); ++box)
        if (slotOf_[size_t(box - 1)] == slot)
            return box;
    return 0;
}

void Ranking::press(int box, QPoint mouse)
{
    if (box < 1 || box > count())
        return;
    pressed_ = true;
    dragged_ = box;
    pressMouse_ = mouse;
    pressPosition_ = position_[size_t(box - 1)];
    pressSlot_ = slotAtTop(pressPosition_.y());
}

void Ranking::move(QPoint mouse)
{
    if (pressed_)
        position_[size_t(dragged_ - 1)] = pressPosition_ + (mouse - pressMouse_);
}

bool Ranking::release(QPoint mouse)
{
    if (!pressed_)
        return false;
    move(mouse);
    pressed_ = false;
    const QRect dropped(position_[size_t(dragged_ - 1)], QSize(kDropSize, kDropSize));
    // Boxes are tried in the order of the second number cells.
    int target = 0;
    for (int j = 1; j <= count() && target == 0; ++j) {
        const int box = slotOf_[size_t(j - 1)];
        if (box != dragged_ && boxRect(box).intersects(dropped))
            target = box;
    }
    if (target == 0) {
        position_[size_t(dragged_ - 1)] = pressPosition_;
        return false;
    }
    const int targetSlot = slotAtTop(position_[size_t(target - 1)].y());
    position_[size_t(dragged_ - 1)] = position_[size_t(target - 1)];
    position_[size_t(target - 1)] = pressPosition_;
    cells_.swapItemsAt(targetSlot - 1, pressSlot_ - 1);
    updateSlots();
    return true;
}

bool Ranking::moveBox(int box, int direction)
{
    if (pressed_ || box < 1 || box > count() || (direction != -1 && direction != 1))
        return false;
    const int slot = slotOfBox(box);
    const int other = boxInSlot(slot + direction);
    if (other == 0)
        return false;
    std::swap(position_[size_t(box - 1)], position_[size_t(other - 1)]);
    cells_.swapItemsAt(slot - 1, slot + direction - 1);
    updateSlots();
    return true;
}

void Ranking::restart()
{
    const int n = int(initialCells_.size());
    position_.assign(size_t(n), QPoint());
    for (int box = 1; box <= n; ++box)
        position_[size_t(box - 1)] = QPoint(kSlotLeft, slotTop(box));
    cells_ = initialCells_;
    updateSlots();
    pressed_ = false;
    dragged_ = 1;
}

int Ranking::score() const
{
    int n = 0;
    for (int slot = 1; slot <= count(); ++slot)
        if (numberOf(cells_[slot - 1]) == slot)
            ++n;
    return n;
}

int Ranking::hint()
{
    if (hintPosition_ >= count())
        return 0;
    return ++hintPosition_;
}

int Ranking::slotAtTop(int top) const
{
    for (int slot = 1; slot <= count(); ++slot)
        if (slotTop(slot) == top)
            return slot;
    return 1;
}

void Ranking::updateSlots()
{
    slotOf_.resize(position_.size());
    for (size_t i = 0; i < position_.size(); ++i)
        slotOf_[i] = slotAtTop(position_[i].y());
}

void settleItems(SessionCounters& c, int right, int items)
{
    c.wseBal += items;
    c.werBal = partialPoints(c.werBal + right, c.tekBal, right, items);
}

void settleMatching(SessionState& state, const Classification& answer)
{
    settleItems(state.counters, answer.score(), answer.rowCount());
}

void settleRanking(SessionState& state, const Ranking& answer)
{
    const int score = answer.score();
    state.rankingRight = score == answer.count();
    if (state.rankingRight)
        ++state.counters.werWop;
    settleItems(state.counters, score, answer.count());
}

} // namespace tavel
