// The trainer side of the main window: the mode list `Regim`, the hint button
// `Fifti` and the exact-answer hint `PlusSim1` (also asked for by the
// explanation window), postponing `Otlogit`, the replay of the postponed
// questions `Powtorit1`, and the exam form `Protokol_Wkl`.
//
// The rules are in session/hints.h; the running test is TestRun's. Hints
// and postponing change its counters and show them (showCounters); a
// postponed question hands over to the presenter, the replay to the checker.
//
// Contracts:
// - Hints and postponing act only on a presented question that awaits its
//   answer; otherwise they do nothing and count nothing.
// - The replay needs a postponed question (PovtNev not 0).
// - The exam form forces the modes (hints off, random order) and hides the
//   hint controls; leaving it switches hints on and random order again.
#pragma once

#include <QObject>
#include <QPalette>

namespace tavel {

class TForm1;

class TrainerCommands {
public:
    explicit TrainerCommands(TForm1& form);

    // An item of Regim ticked or unticked (TestSettingsPanel::kHintsItem or
    // kInOrderItem): the test counters back to 0, then the hint mode or the
    // shuffle flag.
    void RegimClickCheck(int item, bool ticked);
    // One hint for the current question.
    void FiftiClick();
    // The exact answer typed into OdinOt when the typed text is shorter.
    void PlusSim1Click();
    // Postpones the current question.
    void OtlogitClick();
    // Replays the postponed questions.
    void Powtorit1Click();
    // Protokol_Wkl clicked: the exam form on (ticked) or off.
    void Protokol_WklClick();

    // Connects the explanation window's hint; once, after the last window of
    // the program was created.
    void hookWindows();

private:
    // The explanation window's "Вставить правильные ответы".
    void tekstiHintRequested();

    TForm1& form_;
    bool windowsHooked_ = false;
    QPalette namePalette_; // INN_New's palette outside the exam form
    QObject context_;      // the connections of this group end with it
};

} // namespace tavel
