// The ranking window `TRangForm` ("Ранжирование. Расположите ответы в нужном
// порядке."): the student puts the variants of a ranking question in order,
// dragging their boxes with the mouse or moving a focused box with
// Ctrl+Up / Ctrl+Down (Tab goes from box to box, top to bottom).
//
// The window does not know the main window. It is created once and driven
// through:
//
//   showQuestion(p, hintMode)  fill from the presented question and show;
//   hintUsed()                 a correct-number cell was revealed: the main
//                              window adds 1 to Podskazano;
//   ready(kolSovpad, n)        "Готов" was pressed; the window is already
//                              hidden. The main window adds n to WseBal,
//                              kolSovpad to WerBal and 1 to WerWop when
//                              kolSovpad == n (settleRanking over answer()
//                              does all three) and runs its checker.
//
// The score is always that of the order standing, so a right order left
// untouched scores in full.
//
// Inside the scroll box `OtwetiOtm`, slot s (from 1) holds the position label
// "Pos<s>", the correct-number cell "Nomer<s>" (lime, hidden until a hint
// reveals it) and the hidden cell "SlotOf<s>" (the slot in which box s
// stands); variant i is the box "RichEdit<i>" (tag i). Slots and boxes beyond
// the first 30 are made on demand.
#pragma once

#include "session/matching.h"

#include <QWidget>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTextEdit;
class QToolButton;

namespace tavel {

struct Presentation;

class TRangForm : public QWidget {
    Q_OBJECT
public:
    static QString caption();
    static QString dragLabel();     // the label of the mouse
    static QString keyboardLabel(); // the label of the keyboard
    static constexpr int kInitialSlots = 30;

    explicit TRangForm(QWidget* parent = nullptr);

    QTextEdit* WoprosRE;
    QScrollArea* OtwetiOtm;
    QLineEdit* Kol_Sovpad; // hidden: the score, decimal
    QPushButton* Podskazat1;
    QPushButton* Snova;
    QPushButton* Zakrit;
    QWidget* SpinButton1;
    QToolButton* SpinButton1Up;
    QToolButton* SpinButton1Down;

    void showQuestion(const Presentation& p, bool hintMode);

    int count() const { return ranking_.count(); } // KolOtw
    int kolSovpad() const { return ranking_.score(); }
    const Ranking& answer() const { return ranking_; }

    // For tests: the slot box `i` stands in, and box `i` (from 1), and the
    // correct-number cell of slot `s`.
    int slotOfBox(int i) const { return ranking_.slotOfBox(i); }
    QWidget* box(int i) const;
    QLineEdit* correctCell(int s) const;

    void FormShow();
    // Positions are in the coordinates of the scroll box's inside.
    void RichEdit1MouseDown(int box, QPoint position);
    void RichEdit1MouseMove(QPoint position);
    void RichEdit1MouseUp(QPoint position);
    void Podskazat1Click();
    void SnovaClick();
    void ZakritClick();
    void SpinButton1UpClick();
    void SpinButton1DownClick();

Q_SIGNALS:
    void hintUsed();
    void ready(int kolSovpad, int n);

protected:
    // Closing the window from its title bar is its "Готов": the question is
    // never left without a way back to it.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Slot {
        QLabel* position = nullptr;
        QLineEdit* correct = nullptr;
        QLineEdit* slotOf = nullptr;
        QTextEdit* box = nullptr; // the variant box of the same number
    };
    void ensureSlots(int count);
    int boxNumber(const QObject* watched) const;
    QPoint areaPoint(QPointF globalPosition) const;
    void placeBoxes();   // boxes where the answer stands, cells as it holds them
    bool keyMove(int box, int direction);
    void fitBoxWidth();

    QWidget* area_;
    std::vector<Slot> slots_;
    std::vector<bool> shownRows_; // boxes of the question's "1" variants
    Ranking ranking_;
    int fontSize_ = 10; // the variant boxes, points
};

} // namespace tavel
