// The small commands of the main window: the question limit `MaxKW`, the
// display times `WremaZadat`, the font buttons `BolBuk`/`MalBuk`, and the
// entries of the menus "Сервис   " and "Помощь  " that
// work so far: calculator, both background colours, passwords, the answer
// table and the system number (administrator), the ten-point grade switch and
// the program's description.
#pragma once

#include <QObject>

namespace tavel {

class TForm1;

class ServiceCommands {
public:
    explicit ServiceCommands(TForm1& form);

    // Only an administrator may change the limit (an input box); the caption
    // of MaxKW takes the typed text, the limit only a whole number from 1.
    void MaxKWClick();
    // The question and answer-option times from WoprSek and OtwSek (whole
    // seconds; a question at least 1), each box on its own: a box that holds
    // no usable number keeps its former value and is named in one message.
    // Gauge3's maximum follows the question time, and the running countdown
    // keeps at most that many seconds.
    void WremaZadatClick();
    // Question text and the 30 variant texts 2 points larger / smaller; smaller
    // does nothing while the question text is below 8 points.
    void BolBukClick();
    void MalBukClick();

    void KalkulatorClick();
    // Background of the main window; saved as "Form1" in the colour file.
    void CwetForm1Click();
    // Leaves the start screen first; background of the answer area, saved as
    // "Otwet".
    void CwetOtwetClick();
    void ParoliClick();
    // Administrator: shows the current answers OtwTek / the system number.
    void N5Click();
    void N16Click();
    // Shows or hides the ten-point grade.
    void N101Click();
    // The program's description (also the start screen's "Документация").
    void N18Click();

private:
    QObject context_; // the connections of this group end with it
    TForm1& form_;
};

} // namespace tavel
