// The answer area `OtwetiOtm` of the main window: a scroll box with 30 answer
// rows, created once and reused for every question. Row i (1 to 30) is
//   OtwCheck<i>  tick box       left 8,  top 43i-31, width 25, hint "Мышкой щёлкни для изменения"
//   OtwText<i>   variant text   left 32, top 43i-41, 850 x 41, bold 10 point, read-only rich text
//   OtwNum<i>    number box     left 4,  top 43i-31, width 25, hint "Введите число от 1 и далее",
//                               bold 10 point, tooltip background
// All are hidden until a question shows them. A question with more variants
// than rows gets further rows of the same pattern (ensureRows), so that no
// variant is ever left out; the rows made stay for the rest of the run.
#pragma once

#include <QScrollArea>
#include <vector>

class QCheckBox;
class QLineEdit;
class QTextEdit;

namespace tavel {

class AnswerRows : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kRows = 30; // rows made at start-up

    explicit AnswerRows(QWidget* parent);

    // Makes rows until there are at least `count`.
    void ensureRows(int count);
    int rowCount() const { return int(ticks_.size()); }

    // Row i, counted from 1 (up to rowCount()).
    QCheckBox* tickBox(int i) const { return ticks_.at(size_t(i - 1)); }
    QTextEdit* textLine(int i) const { return texts_.at(size_t(i - 1)); }
    QLineEdit* numberBox(int i) const { return numbers_.at(size_t(i - 1)); }

    // Every row: tick box hidden and unticked, number box hidden and empty,
    // text hidden and empty.
    void clearRows();
    // Background of the area behind the rows (the colour "Otwet").
    void setAreaColour(const QColor& colour);
    QColor areaColour() const;
    // Font size of the variant texts, in points.
    int textPointSize() const;
    void setTextPointSize(int points);

private:
    void makeRow(int i);

    QWidget* area_;
    std::vector<QCheckBox*> ticks_;
    std::vector<QTextEdit*> texts_;
    std::vector<QLineEdit*> numbers_;
    int textPoints_ = 10;
};

} // namespace tavel
