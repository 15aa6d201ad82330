// What the settings window shows and writes: the lines of Baza\NoKor.qkv as
// the texts of its boxes, the administrator word that unlocks the time, limit
// and grade boxes, and the checks before the file is rewritten.
#pragma once

#include "storage/settings.h"

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace tavel {

// The boxes of settings lines 5 to 10, in line order.
enum SettingsNumber { BaseSeconds, VariantSeconds, GradeThree, GradeFour, GradeFive, QuestionLimit };
constexpr int kSettingsNumbers = 6;

struct SettingsTexts {
    QString reserved;      // line 1, written back as it was read
    QString userName;      // line 2
    QString officeVersion; // line 4
    // Lines 5 to 10; the window's default texts until a line is read.
    std::array<QString, kSettingsNumbers> numbers = {QStringLiteral("30"), QStringLiteral("5"),
                                                     QStringLiteral("50"), QStringLiteral("70"),
                                                     QStringLiteral("85"), QStringLiteral("5")};
};

// The caption of a number box, as the window shows it.
QString settingsNumberCaption(int number);

struct SettingsRead {
    SettingsTexts texts;
    // Lines 5 to 10 read as numbers (their values are in `values`); the
    // lines after a failing one keep the default texts.
    int numbersRead = 0;
    Settings values;
    std::optional<QString> error; // the storage reader's message
};
// Reads the file with the storage reader; a missing line or a line 5 to 10
// that is not a number stops the reading there (the message in `error`).
SettingsRead readSettingsTexts(const QString& path);

// The answer of the unlock prompt cut to ten characters and trimmed is the
// administrator word.
bool unlocksSettings(const QString& answer);

// The ten lines to write: line 1 as read, the texts as typed, line 3 the
// colour text. Throws Error naming the box (and its settings line) when a
// number box holds no whole number, or one outside what the program can work
// with: seconds per question from 1, seconds per variant from 0, grade
// percentages 0 to 100, questions per test from 1. Nothing is written then.
QStringList settingsLinesToWrite(const SettingsTexts& texts, const QString& colourText);

// Checks and rewrites the file (atomically). Throws Error naming the box, or
// the storage's refusal naming the line; the former file is kept.
void saveSettingsTexts(const QString& path, const SettingsTexts& texts, const QString& colourText);

} // namespace tavel
