// The trainer side of a running topic: the hint button, postponing a question,
// replaying the postponed questions, and the mode list with the exam form's
// forced modes.
//
// Contracts:
// - A hint hides the first variant text that is still shown and whose mark is
//   not "+"; an exact-answer question first gets its answer typed in when the
//   typed answer is shorter. Each action counts one hint in Podskazano.
// - A postponed question is not judged: neither by the countdown that keeps
//   running after the last question was postponed, nor when the replay
//   starts. The replay presents the first postponed question directly.
#pragma once

#include "session/presentation.h"
#include "session/session_state.h"

#include <QString>
#include <optional>
#include <vector>

namespace tavel {

// PlusSim1Click: the text to put into the answer box (the answer as stored)
// when the trimmed typed text is shorter than the trimmed answer; nothing
// otherwise.
std::optional<QString> plusSim1(const QString& typed, const QString& answerText);

// The variant whose text a hint hides: the first one shown whose trimmed mark
// is not "+"; -1 when none.
int fiftiTarget(const std::vector<AnswerRow>& variants, const std::vector<bool>& shown);

struct FiftiOutcome {
    std::optional<QString> typedAnswer; // new text of the answer box OdinOt
    int hiddenVariant = -1;             // variant text hidden (index), -1 when none
    int hints = 0;                      // hints counted by this press
};

// FiftiClick for the current question: `typed` is the answer box, `shown`
// the visibility of the variant texts (updated). Counts into Podskazano.
// Ranking questions get nothing here (their window has its own hint).
FiftiOutcome fiftiClick(const Presentation& question, const QString& typed, std::vector<bool>& shown,
                        SessionCounters& counters);

struct PostponeOutcome {
    bool postponed = false;   // false when no question was presented
    bool presentNext = false; // present the next question now
    // The last row was postponed: disable Otlogit and Itog1; enable
    // Powtorit1 when replayAvailable.
    bool lastRow = false;
    bool replayAvailable = false;
};

// OtlogitClick: empties the mark of the current row and counts it in PovtNev.
PostponeOutcome postpone(SessionState& state);

// Powtorit1Click: keeps only the postponed rows (in order) with the mark "у"
// again, puts the cursor before the first, sets NWopr := KWopr − k so that the
// topic ends with the last of them, PovtNev := 0. Returns k. The caller
// enables Itog1, Otlogit (and Fifti in hint mode), disables Powtorit1 and
// presents the next question.
int replay(SessionState& state);

enum class ModeItem { Hints, InOrder }; // "Подсказать", "По порядку"

// The two modes of the mode list (the program keeps them; a running test
// copies the hint mode into SessionState::hintsOn at Start).
struct Modes {
    bool hintsOn = true; // hint mode "Wkl"; false: "Wikl"
    bool shuffle = true; // the shuffle flag
};

// RegimClickCheck: NWopr, WerWop, KWopr, WerBal, WseBal and TekBal become 0;
// "Подсказать" ticked switches hints on, unticked off; "По порядку" ticked
// clears the shuffle flag, unticked raises it. Returns the new modes.
Modes changeMode(SessionCounters& counters, Modes modes, ModeItem item, bool ticked);

// The mode list as the exam-form switch leaves it.
struct ModeList {
    Modes modes;
    bool hintsTicked = true;       // "Подсказать"
    bool inOrderTicked = false;    // "По порядку"
    bool enabled = true;           // group RegimGB
    bool hintControlsShown = true; // Fifti and KPraw
};

// Protokol_Wkl: the exam form forces hints off and random order, with the
// mode list unticked and disabled; leaving it switches hints on and random
// order again.
ModeList examFormModes(bool exam);

} // namespace tavel
