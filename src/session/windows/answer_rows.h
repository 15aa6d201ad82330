// The answer area `OtwetiOtm` of the main window: a scroll box with one
// answer row per variant of the question shown. Row i (from 1) is
//   OtwCheck<i>  tick box       left 8,  top 43i-31, width 25, hint "Мышкой щёлкни для изменения"
//   OtwText<i>   variant text   left 32, top 43i-41, 850 x 41, bold 10 point, read-only rich text
//   OtwNum<i>    number box     left 4,  top 43i-31, width 25, hint "Введите число от 1 и далее",
//                               bold 10 point, tooltip background
// No row is made at start-up (thirty rows of rich text boxes would cost the
// program's start a fifth of its time behind a start screen that hides them).
//
// A question's rows are given whole (showLines): the area gets the height of
// exactly its rows, so no empty row can be scrolled to. A row's widgets are
// made and filled when the row is first needed: the first 30 when a question
// shows them, the others when they come near the view (scrolled to, or
// reached by Tab, which scrolls) or when tickBox/textLine/numberBox asks for
// them. Showing a question
// of 1 000 variants therefore fills about a screenful of rows, and a row made
// for an earlier, longer question stays hidden and costs nothing: clearing
// touches only the rows filled for the question shown.
//
// Tab goes from row to row in variant order, rows made later included.
#pragma once

#include <QScrollArea>
#include <QString>
#include <vector>

class QCheckBox;
class QLineEdit;
class QTextEdit;

namespace tavel {

class AnswerRows : public QScrollArea {
    Q_OBJECT
public:
    static constexpr int kRows = 30; // rows filled at once, and rows of a block
    static constexpr int kRowHeight = 43;

    // One row of a question: the variant's text and whether its tick box and
    // text are shown (a ranking variant keeps its text, hidden).
    struct Line {
        QString text;
        bool shown = true;
    };

    explicit AnswerRows(QWidget* parent);

    // The rows of the question shown, in variant order; the rows of the one
    // before are cleared first. Scrolls to the top.
    void showLines(std::vector<Line> lines);
    // The rows in use: the variants of the question shown (0 when none).
    int rowCount() const { return int(lines_.size()); }

    // Row i, counted from 1, up to max(rowCount(), kRows); the row is made
    // and filled with its variant when it was not yet.
    QCheckBox* tickBox(int i);
    QTextEdit* textLine(int i);
    QLineEdit* numberBox(int i);

    // Without making the row: its tick box is ticked (a row never filled is
    // not), its text is shown (a row never filled as its line says).
    bool isTicked(int i) const;
    bool isTextShown(int i) const;
    // Row i's widgets hold the variant of the question shown.
    bool isFilled(int i) const;

    // Every row in use: tick box hidden and unticked, number box hidden and
    // empty, text hidden (and left as it was: clearing the text of a long
    // question's rows would cost as much as filling them); then no row is in
    // use. Rows after the first 30 go out of sight with their block at once
    // and are cleared when the block is shown again.
    void clearRows();
    // Background of the area behind the rows (the colour "Otwet").
    void setAreaColour(const QColor& colour);
    QColor areaColour() const;
    // Font size of the variant texts, in points.
    int textPointSize() const;
    void setTextPointSize(int points);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Row {
        QCheckBox* tick = nullptr;
        QTextEdit* text = nullptr;
        QLineEdit* number = nullptr;
        bool filled = false; // holds lines_[i - 1]
    };

    QWidget* block(int b); // rows b * kRows + 1 to (b + 1) * kRows, made
    Row& row(int i);     // made (not filled)
    Row& filled(int i);  // made and, when in use, filled
    void makeRow(int i);
    void hideRow(Row& r);
    // Shows block b, clearing first the rows left in it by an earlier question.
    void showBlock(int b);
    void fillRow(int i);
    // Fills the rows in view, the one above and a screenful below them.
    void fillRowsInView();
    void setAreaHeight(int rows);

    QWidget* area_;
    std::vector<QWidget*> blocks_; // null until made
    std::vector<std::vector<int>> staleRows_; // per block: rows to clear before it shows
    std::vector<Row> rows_;        // index i - 1; widgets null until made
    std::vector<Line> lines_;      // the question shown
    std::vector<int> filledRows_;  // the rows filled for it
    int textPoints_ = 10;
};

} // namespace tavel
