// The reference notes of a subject: everything in its `Konspekt` folder and
// the subfolders, listed for the notes window, and the list saved as a text.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

namespace tavel {

struct NotesEntry {
    // Relative to the notes folder, "/" between names; a folder ends in "/".
    // A name that is not UTF-8 (copied from a Windows disk) is read as
    // Windows-1251.
    QString shown;
    QString fullPath;      // the entry's own path, however long
    QByteArray nativePath; // the same as the file system spells it
    bool folder = false;
};

struct NotesListing {
    bool folderExists = false;
    QString folderShown; // the notes folder as the platform writes it, with a trailing separator
    std::vector<NotesEntry> entries; // sorted by `shown`, ignoring case first
};

// The notes folder of a subject folder: its "Konspekt" (any case).
QString notesFolder(const QString& subjectFolderPath);

// Lists the folder recursively: every subfolder (as "name/") followed in the
// sort by its contents, every file, hidden ones included; symbolic links are
// listed but not followed into.
NotesListing listNotes(const QString& folder);

// Why the entry may not be opened: it is gone, or it is a program or a
// script (never run from here). Empty when it may be opened.
QString refuseToOpenNote(const NotesEntry& entry);
// The path to hand to the desktop's program: the entry's own, or, for a name
// the program's text cannot spell back, a link to it under a readable name in
// a folder of the run. Empty when no such link can be made.
QString openablePath(const NotesEntry& entry);

// Writes the shown names, one per line, into `path` (UTF-8, the platform's
// own text), replacing it atomically. Throws Error naming the file.
void saveNotesList(const QString& path, const QStringList& lines);

} // namespace tavel
