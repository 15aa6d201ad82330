// The settings file Baza\NoKor.qkv: exactly ten lines of Windows-1251 text.
//  1 reserved (nothing reads it)        6 seconds added per answer variant
//  2 user name                          7 lowest percent for grade 3
//  3 main window colour (colour text)   8 lowest percent for grade 4
//  4 office suite version label         9 lowest percent for grade 5
//  5 base seconds per question         10 most questions in one test
#pragma once

#include "storage/install_folder.h"

#include <QString>
#include <QStringList>

namespace tavel {

struct Settings {
    QString reserved;
    QString userName = QStringLiteral("ЦЦЦ");
    QString colourText = QStringLiteral("$00D2D9DB");
    QString officeVersion = QStringLiteral("2003"); // at most four characters kept
    int questionSeconds = 900;
    int variantSeconds = 120;
    int gradeThree = 50;
    int gradeFour = 70;
    int gradeFive = 85;
    int questionLimit = 500;
};

// The ten lines of a settings file holding `settings`, in order.
QStringList settingsLines(const Settings& settings);

// Creates the file with the default values (line 1 empty) when it is missing,
// with the folders on the way. Returns true when it created it.
bool ensureSettingsFile(const InstallFolder& home);

// Reads the file into `into`, line by line in order: line 2 as it stands, line 3
// trimmed, line 4 cut to four characters, lines 5 to 10 as whole numbers
// (blanks around them allowed). Throws Error naming the file and the line when
// a line is missing or a number line is not a whole number; the values read
// before that line stay in `into`.
void readSettingsFile(const QString& path, Settings& into);

// Rewrites the file with ten lines as given (the settings window writes the
// texts as typed). Atomic. Refuses, with an Error naming the line and leaving
// the former file as it was, when there are not exactly ten lines, a line holds
// a line break, or one of lines 5 to 10 is not a whole number (blanks around
// it allowed): such a file could not be read back at the next start.
void writeSettingsFile(const QString& path, const QStringList& tenLines);

} // namespace tavel
