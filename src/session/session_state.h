// The state of a running topic test: the question list with its cursor, the
// answer table, the counters the main window shows, the grade display and the
// modes. Plain data that the windows hold and the session logic changes.
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

#include <QDateTime>
#include <QString>

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

struct SessionState {
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
    QString topicName;
    QDateTime startTime;
};

// Start: takes the prepared lists and resets everything as Start does
// (KWopr = n, WseBal = the total, LimitTime, TimerTema1 0, NWopr, WerWop,
// WerBal, Podskazano, PovtNev 0, Ocenka " 0", grade word empty, ten-point
// word " Сейчас посмотрим", answered count 0, cursor before the first row).
// `hintsOn` is the hint mode at Start (the mode list is locked while a test
// runs).
void startTopic(SessionState& state, StartData data, const QString& topicName, const QDateTime& startTime,
                bool hintsOn = true);

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
