// Every rewrite of a stored file goes through here: the new contents are written
// to a temporary file beside the old one, flushed to the disk, and renamed over
// it. A failed or interrupted save leaves the former file whole.
//
// The temporary file is named after the file with kInterruptedSaveMark and six
// random letters ("Wopros.dat.tavel-save-AbCdEf"). Only a save killed before
// its rename leaves one behind; the next save of that file, and the opening of
// its folder at start-up, remove such leftovers. No other name is touched.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace tavel {

inline constexpr auto kInterruptedSaveMark = ".tavel-save-";

// Calls `write` with a device whose bytes become the new contents; they go to
// the temporary file as they come (through one block buffer), so a save of
// any size holds little memory. A write the disk refuses returns -1. `write`
// returns false to abandon the save. Throws Error naming the file and the
// reason (for a full disk: no space left) when the save fails or is abandoned.
void saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);

void saveAtomically(const QString& path, const QByteArray& contents);

// A work file the program writes afresh at every use (Temp.dat): replaced
// whole by a rename as above, so no reader meets half of it, but not flushed
// to the disk first. A power cut may lose it or leave it empty, which costs
// nothing: the next use writes it again.
void saveWorkFile(const QString& path, const QByteArray& contents);

// Removes the temporary files an interrupted save of `path` left beside it.
// Returns how many it removed.
int removeInterruptedSaves(const QString& path);
// The same for every file of `folder`.
int removeInterruptedSavesIn(const QString& folder);

} // namespace tavel
