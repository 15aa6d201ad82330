// Pictures and documents of a test kept for looking at: with TAVEL_GRAB_DIR
// naming a folder, a window is saved there as "<name>.png" and a written
// file is copied there; without it nothing happens.
#pragma once

#include <QFile>
#include <QString>
#include <QWidget>

namespace tavel::test {

inline QString grabDir()
{
    return qEnvironmentVariable("TAVEL_GRAB_DIR");
}

inline void grabIfAsked(QWidget& widget, const QString& name)
{
    if (const QString dir = grabDir(); !dir.isEmpty())
        widget.grab().save(dir + u'/' + name + QStringLiteral(".png"));
}

// Copies `path` into the folder as `name`, replacing an earlier copy.
inline void copyIfAsked(const QString& path, const QString& name)
{
    if (const QString dir = grabDir(); !dir.isEmpty()) {
        QFile::remove(dir + u'/' + name);
        QFile::copy(path, dir + u'/' + name);
    }
}

} // namespace tavel::test
