// Every rewrite of a stored file goes through here: the new contents are written
// to a temporary file beside the old one, which is replaced only when the
// writing succeeded. A failed or interrupted save leaves the former file whole.
#pragma once

#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <functional>

namespace tavel {

// Calls `write` with the temporary file; `write` returns false to abandon the
// save. Throws Error naming the file when the save fails or is abandoned.
void saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write);

void saveAtomically(const QString& path, const QByteArray& contents);

} // namespace tavel
