// `tavel-base init`: an installation folder holding every shared file the
// program needs to start without an error. Files that exist are kept as they
// are; only the missing ones are written.
#pragma once

#include "storage/install_folder.h"

#include <QByteArray>
#include <QDate>
#include <QStringList>

namespace tavel::base {

// The two lines of Baza\Win_Dos.qkv as stored: line 1 the Cyrillic letters in
// Windows-1251 (А..Я, а..я, Ё, ё), line 2 the byte of each letter in the DOS
// code page 866 at the same position, so that a DOS byte read as a
// Windows-1251 character translates into the letter. CR LF after each line.
QByteArray codeTableBytes();

// The lines of a contents page listing every subject of the catalogue, one row
// each: number, name, topics, questions, answers. There is no title row: the
// start screen carries the column titles above the grid, and every row of the
// page is totalled, so a row of titles would be a conversion error at start.
QStringList contentsPageLines(const InstallFolder& home);

// Creates the folder when missing and every missing shared file: Baza\Papka.dat,
// Baza\Dostup.dat (dated `today`), Baza\NoKor.qkv, baza\CwetFona.qkv,
// Baza\Win_Dos.qkv, Baza/Oglavlenie.txt and the folder of the first catalogue
// subject with its record files. Returns the paths it created. Throws Error
// when a file cannot be written or the catalogue names no usable first folder.
QStringList initInstallFolder(const QString& root, QDate today);

} // namespace tavel::base
