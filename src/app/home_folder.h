// The command line and the installation folder (the folder the system calls
// C:\Tavel): --home DIR, else $TAVEL_HOME, else ~/Tavel. A folder named by
// --home or $TAVEL_HOME must exist; the default ~/Tavel is created and filled
// from the shipped demo folder when it does not exist yet.
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tavel::app {

struct CommandLine {
    QString home;                 // --home DIR; empty when not given
    std::optional<quint64> seed;  // --seed N
    QString error;                // what was wrong with the arguments
};

// Parses `arguments` (the program's name first).
CommandLine parseCommandLine(const QStringList& arguments);

struct HomeChoice {
    QString path;
    bool named = false; // by --home or $TAVEL_HOME (must exist)
};

HomeChoice chooseHome(const QString& optionHome, const QString& environmentHome, const QString& userHome);

// Where the demo folder may be: next to the program's share folder
// (<bin>/../share/tavel/demo), then the source tree's demo/.
QStringList demoFolderCandidates(const QString& applicationDir);

// Makes the chosen folder ready. Throws Error "Нет папки установки ..." for a
// named folder that does not exist; creates the default folder from the first
// demo folder that exists (an empty folder when there is none).
void prepareHome(const HomeChoice& home, const QStringList& demoCandidates);

// Copies the folder `from` with everything in it to `to` (created).
// Throws Error naming the file that could not be copied.
void copyFolder(const QString& from, const QString& to);

} // namespace tavel::app
