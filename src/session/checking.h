// Judging the answer to the current question: the exact-answer comparison,
// the tick-box count and points, the matching verdict, the end of the topic
// and the percentage gauge; checkAnswer runs them in the checker's order.
//
// Contracts:
// - Exact answers compare trimmed and lower-cased by the Windows-1251 rules
//   (Ё and ё are one letter); inner blanks and every other character count.
// - Tick boxes: k counts ticked "+" variants; a ticked variant with an empty
//   mark sets k to 0 and ends the count. WseBal grows by r − 1 (never by a
//   negative amount: a question without "+" variants adds nothing). All
//   right (k = r, and for a question without "+" variants nothing ticked):
//   WerBal += TekBal + (k − 1 when k > 1). Otherwise WerBal :=
//   round-half-even(WerBal + TekBal × k ÷ r), so the rounding depends on the
//   running total.
// - Percentages need WseBal > 0; with WseBal <= 0 the gauge is 0 and the
//   percentage text is "—".
#pragma once

#include "session/grades.h"
#include "session/session_state.h"

#include <QString>
#include <vector>

namespace tavel {

// The exact-answer rule.
bool exactAnswerRight(const QString& typed, const QString& answerText);

// k of the tick-box rule; `ticked[i]` belongs to variants[i] (missing
// entries count as not ticked).
int countRightTicks(const std::vector<AnswerRow>& variants, const std::vector<bool>& ticked);

// WerBal after a partly right tick-box answer.
int partialPoints(int werBal, int tekBal, int k, int r);

struct TickScore {
    bool allRight = false;
    int availableAdded = 0; // added to WseBal
    int pointsAdded = 0;    // added to WerBal
};
// Applies the tick-box rule to the counters (r = KPraw, TekBal). Counts
// WerWop when all right. `tickedAny`: some box was ticked (a question
// without a "+" variant is right only when none was).
TickScore scoreTickBoxes(SessionCounters& c, int k, bool tickedAny);

// The matching verdict: Nabrano equals KlassRightCount.
bool matchingRight(int nabrano, int klassRightCount);

// The last question of the list has been judged: KWopr = NWopr.
bool topicEnded(const SessionCounters& c);

// Gauge1: (WerBal × 100) div WseBal, kept within 0..100; 0 when WseBal <= 0.
int percentGauge(int werBal, int wseBal);
// The same as text for display: "73" or "—".
QString percentText(int werBal, int wseBal);

struct CheckOutcome {
    bool judged = false;    // a presented question was waiting for its verdict
    bool right = false;     // counted in WerWop: mark "п" for systemNumber
    QString systemNumber;
    bool showCorrectAnswer = false; // wrong tick boxes in hint mode: show "Надо так"
    bool topicEnded = false;        // close the topic
    bool replayAvailable = false;   // at the end: enable Powtorit1 (PovtNev is not 0)
    int gauge = 0;                  // Gauge1
};

// The checker (Itog1Click) without its windows: judges the current question
// by its kind (matching and ranking points were added by their windows;
// ranking is judged there too), marks a right answer "п" in the unanswered
// list, then the end of the topic, the gauge, the
// grade and the answered count. Nothing is judged (and the answered count
// stays) when no question awaits its verdict: after a postponement, after the
// last question, or on a replay. The caller presents the next question
// afterwards (presentNext), then shows the outcome.
CheckOutcome checkAnswer(SessionState& state, const GivenAnswer& answer, const GradeThresholds& thresholds);

} // namespace tavel
