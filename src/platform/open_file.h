// Opening a file or folder with the desktop's program for it (the system's
// shell "open"). Tests put a recorder in place of the desktop so that no
// program is started.
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace tavel {

// Opens a local file with the desktop's program for it. False when the
// desktop could not open it (or the file does not exist).
bool openLocalFile(const QString& path);

// Replaces the desktop for every later openLocalFile: the function gets the
// URL and returns what openLocalFile should return. Empty restores the desktop.
using OpenUrlHook = std::function<bool(const QUrl&)>;
void setOpenUrlHook(OpenUrlHook hook);

} // namespace tavel
