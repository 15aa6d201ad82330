// The installation folder (the system's "C:\Tavel") and the mapping of the
// Windows-style paths used throughout the system ("Baza\Papka.dat",
// "C:\Tavel\Istoriy\Foto\x.gif") to real paths under it. Each component is
// matched case-insensitively against what exists, so a folder copied from
// Windows keeps its own spelling and "Baza" and "baza" name one folder; a
// missing component keeps the spelling given.
#pragma once

#include <QString>

namespace tavel {

// True when `name` can name a folder directly under the installation folder:
// not empty, not "." or "..", no "/", "\" or ":".
bool isPlainFolderName(QStringView name);

class InstallFolder {
public:
    InstallFolder() = default;
    explicit InstallFolder(QString root);

    const QString& root() const { return root_; }
    bool isValid() const { return !root_.isEmpty(); }

    // The real path of a Windows-style path, relative to the installation
    // folder or spelled out with its "C:\Tavel\" prefix (any case). With
    // `createFolders`, missing folders on the way (not the last component) are
    // created.
    QString path(QStringView windowsPath, bool createFolders = false) const;

    // The folder of a subject, by its trimmed folder name, created when asked.
    QString subjectFolder(const QString& folderName, bool create = false) const;

private:
    QString root_;
};

} // namespace tavel
