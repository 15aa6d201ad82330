// The keyword dictionary of a subject: Slovar.txt in the subject folder, one
// keyword or word stem per line, Windows-1251 with CR LF.
#pragma once

#include <QString>
#include <QStringList>

namespace tavel {

// The line a new dictionary gets.
QString defaultKeyword();
// "Slovar.txt" in the subject folder.
QString dictionaryPath(const QString& subjectFolder);

// Creates the dictionary with its one default line when it is missing.
// Throws Error naming the file when it cannot be written.
void ensureDictionary(const QString& path);

// Every line of the file, as stored (order and empty lines kept). A file that
// is valid UTF-8 holding letters beyond ASCII is read as UTF-8 (a dictionary
// written by another program); anything else is Windows-1251. Throws Error
// naming the file when it cannot be read.
QStringList readDictionary(const QString& path);
// Rewrites the dictionary, atomically, in Windows-1251.
void writeDictionary(const QString& path, const QStringList& lines);

// The item list of a keyword box: lines trimmed, empty ones left out, sorted
// alphabetically without regard to case.
QStringList keywordItems(const QStringList& lines);

} // namespace tavel
