// Small text files of the installation folder (settings, colours, contents
// page, code table): lines of Windows-1251 text. Lines are split at CR LF or
// LF; files are written with CR LF, as the Windows originals are.
#pragma once

#include <QString>
#include <QStringList>

namespace tavel {

// All lines of the file. Throws Error naming the file when it cannot be read.
QStringList readTextLines(const QString& path);
// Rewrites the file atomically with `lines`, each ended by CR LF.
void writeTextLines(const QString& path, const QStringList& lines);

} // namespace tavel
