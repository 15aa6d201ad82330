// The state of a running test, its one owner: the question list with its
// cursor, the answer table, the counters, the grade display, the modes, the
// question countdown, the unanswered list, the current question's files,
// the answer given to the matching and ranking windows, and the names and
// times the documents print. The session logic changes it; the windows show
// it and never read a caption, a gauge or a box back to learn it.
//
// Contracts:
// - Counters are whole numbers here; the main window shows them with
//   counterText (and minutesText for the minutes used).
// - `currentRow` counts like the question grid: 0 before the first question,
//   k while questions[k - 1] is the current question.
// - `awaitingAnswer` is true from the presentation of a question until it is
//   judged or postponed; the checker scores only while it is true.
#pragma once

#include "session/grades.h"
#include "session/presentation.h"
#include "session/question_list.h"
#include "session/test_start.h"
#include "session/unanswered.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace tavel {

struct SessionCounters {
    int kWopr = 0;      // KWopr: questions to ask
    int nWopr = 0;      // NWopr: number of the question asked, from 1
    int werWop = 0;     // WerWop: questions answered correctly
    int wseBal = 0;     // WseBal: points available
    int werBal = 0;     // WerBal: points scored, the running points total
    int podskazano = 0; // Podskazano: hints used
    int povtNev = 0;    // PovtNev: questions postponed
    int kPraw = 0;      // KPraw: right variants of the current question
    int tekBal = 0;     // TekBal: points of the current question
    int kOtw = 0;       // KOtw: variants of the current question
    int timeWopros = 0; // TimeWopros: seconds allowed for the current question
    int timerTema1 = 0; // TimerTema1: minutes spent on the topic
    int limitTime = 0;  // LimitTime: minutes left
};

// Decimal text of a counter ("0", "12", "-1").
QString counterText(int value);

// The answer as the controls hold it when the checker runs.
struct GivenAnswer {
    std::vector<bool> ticked; // tick boxes, one per variant
    QString typed;            // the exact-answer box OdinOt
    int nabrano = 0;          // the classification window's score
    // Matching: per right-hand item (row 1 first) the entry chosen in its
    // term list: 0 "Не определено", j the j-th "-" variant. Empty for other
    // kinds.
    std::vector<int> matchingChoices;
    // Ranking: per slot (top first) the number, from 1, of the ranking row
    // (Presentation::rankingRows) standing there. Empty for other kinds.
    std::vector<int> rankingOrder;
};

// The countdown of the current question (Gauge3 shows it).
struct Countdown {
    int maximum = 0;
    int left = 0;

    void start(int seconds) { maximum = left = seconds; }
    // One second: returns true when the question must be judged now (fewer
    // than 1 second left).
    bool tick() { return --left < 1; }
};

struct SessionState {
    bool running = false; // started and not yet stopped or closed (Pusk shows "Стоп")

    QuestionList questions; // WopTabl rows 1..n
    AnswerTable answers;    // OtwTabl rows 1..m
    int currentRow = 0;
    bool awaitingAnswer = false;
    Presentation current;   // the question presented last
    bool rankingRight = false; // the ranking window's "Готов" found every variant in place

    SessionCounters counters;
    GradeDisplay grade;
    int answeredCount = 0;  // NWopr of the results window: answers judged

    bool hintsOn = true;    // hint mode "Wkl" (false: "Wikl"), as at Start
    QString topicName;      // the running test's title (topic name or the set's)
    QString packageName;    // NamePaketa; empty for a topic
    QDateTime startTime;
    QString elapsed;        // the time the test took, set when it closes; empty before
    QString examinee;       // INN_New as it stood at the start
    QString subjectName;    // the subject's name as used (PredmetName at the start)

    Countdown countdown;    // the current question's seconds
    // The unanswered-questions list (session/unanswered.h): a copy of the
    // question list made at the start, every mark "у"; a right answer marks
    // its row "п".
    UnansweredList unanswered;
};

// Marks the first row of the unanswered list with the system number "п".
void markAnswered(SessionState& state, const QString& systemNumber);

// The unanswered list of the test now started (after startTopic, once the
// subject is known): the questions marked "у", the answers, the title.
void startUnansweredList(SessionState& state, const QString& subjectName, const QString& folderName);

// Start: takes the start data and resets everything as a start does
// (KWopr = n, WseBal = the total, LimitTime, TimerTema1 0, NWopr, WerWop,
// WerBal, Podskazano, PovtNev 0, Ocenka " 0", grade word empty, ten-point
// word " Сейчас посмотрим", answered count 0, cursor before the first row,
// the title and package name from the data, no elapsed time, the unanswered
// list empty). `hintsOn` is the hint mode at the start (the mode list is
// locked while a test runs). The caller sets `running`, the examinee and the
// subject name, and then makes the unanswered list with
// startUnansweredList.
void startTopic(SessionState& state, StartData data, const QDateTime& startTime, bool hintsOn = true);

// True while a question is left to present.
bool hasNextQuestion(const SessionState& state);

// The presenter's step: moves the cursor to the next question, counts it in
// NWopr, gathers it into `current` and sets TekBal, KOtw, KPraw and
// TimeWopros. Returns false (changing nothing) when the cursor is on the
// last row.
bool presentNext(SessionState& state, const TimeSettings& times);

// Gauge2: questions left including the current one, KWopr − NWopr + 1.
int questionsLeft(const SessionCounters& c);

// The time used, now minus the start, as a time of day "H:MM:SS" (past a
// day it wraps, as a time of day does).
QString elapsedText(const QDateTime& start, const QDateTime& now);

} // namespace tavel
