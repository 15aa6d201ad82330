// The decision whether a file named inside question data may be handed to the
// desktop's program for it: only a plain file inside the subject's Foto
// folder, and never a program or a script. Opening itself is open_file.h.
#pragma once

#include <QString>

namespace tavel {

struct OpenDecision {
    bool allowed = false;
    QString path;   // when allowed: the file's canonical path, the one to open
    QString reason; // when refused: why, in a sentence naming the file

    explicit operator bool() const { return allowed; }
};

// A file named by a question (the name of a "File#" reference) inside the
// subject's Foto folder `fotoFolder`. The name must be a bare name (no "/",
// "\" or ".."); when no entry has exactly that name, one that differs only in
// case is taken, as on the system's own disks.
OpenDecision decideQuestionFileOpen(const QString& fotoFolder, const QString& fileName);

// A file given by its path (an explanation file kept by its window). After
// symbolic links are resolved it must still lie inside `fotoFolder`.
OpenDecision decideFileOpen(const QString& fotoFolder, const QString& path);

// True when the file is a program or a script: an execute permission bit, a
// name ending in an extension of programs and scripts (".sh", ".desktop",
// ".exe", ".bat", ".py", ".jar", ".AppImage", ...), content that starts like
// a program ("#!", ELF, "MZ"), or a type the desktop would run.
bool isExecutableFile(const QString& path);

} // namespace tavel
