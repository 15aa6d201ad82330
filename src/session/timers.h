// The two limits of a running topic: the countdown in seconds of the current
// question and the minutes of the whole topic, with the rules of the boxes
// that show them (TimerTema1, LimitTime, WoprSek, OtwSek).
//
// Contracts:
// - Texts typed by the user are read as whole numbers after trimming; text
//   that is not one raises Error with a message naming the box, and nothing
//   is changed (the functions return new values; callers assign them only
//   when no Error was raised).
// - LimitTime reaching 0 stops the topic; a blank LimitTime stops nothing.
#pragma once

#include "session/session_state.h" // Countdown, TimeSettings

#include <QString>

namespace tavel {

// The minutes-used text after `minutes` minutes: "00" + v for one digit, else
// "0" + v (0 → "000", 1 → "001", 12 → "012", 123 → "0123").
QString minutesText(int minutes);

// Reads a box as a whole number. `boxName` names the box in the message
// ("Осталось минут"). Throws Error when the text is not a whole number.
int readWholeNumber(const QString& text, const QString& boxName);

// What a change of TimerTema1 does to LimitTime.
struct LimitUpdate {
    bool changed = false;
    QString limitTime; // the new LimitTime text when changed
};
// TimerTema1Change: nothing while the minutes used are 0; a LimitTime above
// 0 goes down by 1. A blank LimitTime (emptied by a stray key, or being typed
// into) is not a limit of 0: it counts down from `lastMinutes`, the minutes
// it last held. Throws Error when LimitTime is neither blank nor a whole
// number.
LimitUpdate limitAfterMinute(int minutesUsed, const QString& limitTime, int lastMinutes);

// LimitTimeChange: true when the topic must stop (LimitTime reads 0). An
// empty box (being edited) stops nothing. Throws Error for other text that is
// not a whole number.
bool limitReached(const QString& limitTime);

// WremaZadatClick: reads WoprSek (a whole number from 1) and OtwSek (from
// 0). The new times apply from the next question; the running countdown gets
// the new maximum QuestionSeconds and keeps at most that many seconds.
// Throws one Error naming every box whose text is not usable; then nothing
// changes.
struct NewSeconds {
    TimeSettings times;
    Countdown countdown;
};
NewSeconds applyNewSeconds(const QString& woprSek, const QString& otwSek, const Countdown& running);

} // namespace tavel
