// The classification window `TKlass` ("Соответствие или Классификация. В
// строках со знаком ? выберите подходящие термины"): the student pairs every
// right-hand item of a matching question with one of the left-hand terms.
//
// The window does not know the main window. It is created once and driven
// through:
//
//   showQuestion(p, hintMode)  fill from the presented question and show;
//   hintUsed()                 one row was filled by OtvWstavin: the main
//                              window adds 1 to Podskazano;
//   ready(nabrano, rightCount) "Готов" was pressed; the window is already
//                              hidden. The main window adds rightCount to
//                              WseBal and nabrano to WerBal (settleMatching
//                              over answer() does both) and runs its checker.
//
// Rows: ten are made at creation inside the scroll area `New`; a question with
// more "+" items gets further rows made on demand, so no item is lost. Row i
// is the group box "Row<i>" holding the item box "Item<i>", the mark "Mark<i>"
// ("?") and the term list "Terms<i>" ("Не определено" and the terms).
#pragma once

#include "session/matching.h"

#include <QWidget>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;

namespace tavel {

struct Presentation;

class TKlass : public QWidget {
    Q_OBJECT
public:
    static QString caption();
    static constexpr int kInitialRows = 10;
    static constexpr int kRowStep = 84;      // rows stand 84 apart
    static constexpr int kFrameHeight = 115; // height of the window less its rows

    explicit TKlass(QWidget* parent = nullptr);

    QTextEdit* WoprKl;
    QScrollArea* New;
    QLineEdit* Nabrano;
    QPushButton* OtvWstavin;
    QPushButton* Gotovo;
    QPushButton* Zakrit;
    QWidget* SpinButton1;
    QToolButton* SpinButton1Up;
    QToolButton* SpinButton1Down;
    QPushButton* BitBtn1;

    // Row i, counted from 1 (rows made so far).
    int rowsMade() const { return int(rows_.size()); }
    QGroupBox* row(int i) const { return rows_[size_t(i - 1)].box; }
    QTextEdit* itemBox(int i) const { return rows_[size_t(i - 1)].item; }
    QComboBox* termList(int i) const { return rows_[size_t(i - 1)].terms; }

    // Takes the question's matching material, fills the window (FormShow)
    // and shows it. `hintMode` is the mode "Wkl": it shows OtvWstavin and
    // Gotovo.
    void showQuestion(const Presentation& p, bool hintMode);

    // The score last computed into Nabrano (by "Ok", a hint or "Готов");
    // what the checker reads when the question ends without "Готов".
    int nabrano() const { return nabrano_; }
    int rightCount() const { return answer_.rowCount(); } // KlassRightCount
    // The answer as the rows stand now.
    const Classification& answer() const { return answer_; }

    // The window's height for `rightCount` rows, capped to `available`
    // (the work area's height); the scroll area takes what is left.
    static int windowHeight(int rightCount, int available);

    void FormShow();
    void GotovoClick();
    void OtvWstavinClick();
    void ZakritClick();
    void SpinButton1UpClick();
    void SpinButton1DownClick();
    void BitBtn1Click();

Q_SIGNALS:
    void hintUsed();
    void ready(int nabrano, int rightCount);

protected:
    // Closing the window from its title bar is its "Готов": the question is
    // never left without a way back to it.
    void closeEvent(QCloseEvent* event) override;

private:
    struct Row {
        QGroupBox* box = nullptr;
        QTextEdit* item = nullptr;
        QLabel* mark = nullptr;
        QComboBox* terms = nullptr;
    };
    void ensureRows(int count);
    void applyFonts();
    void setNabrano(int value);

    QWidget* area_;
    std::vector<Row> rows_;
    Classification answer_;
    bool hintMode_ = true;
    int nabrano_ = 0;
    int fontSize_ = 10; // WoprKl, item boxes and term lists, points
    bool bold_ = true;
};

} // namespace tavel
