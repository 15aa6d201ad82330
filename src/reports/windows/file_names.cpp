// File names offered by the document and workbook windows.
#include "reports/windows/file_names.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace tavel {
namespace {

QString& lastFolder()
{
    static QString folder;
    return folder;
}

} // namespace

QString fileNameOfTitle(const QString& title, const QString& fallback)
{
    QString name = title.trimmed();
    for (QChar& ch : name)
        if (ch < u' ' || QStringView(u"/\\:*?\"<>|").contains(ch))
            ch = u'_';
    return name.isEmpty() ? fallback : name.left(100);
}

QString suggestedSavePath(const QString& title, const QString& fallback, const QString& extension)
{
    QString folder = lastFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty())
        folder = QDir::homePath();
    return QDir(folder).filePath(fileNameOfTitle(title, fallback) + u'.' + extension);
}

void rememberSaveFolder(const QString& savedPath)
{
    lastFolder() = QFileInfo(savedPath).absolutePath();
}

QString temporaryCopyPath(const QString& title, const QString& fallback, const QString& extension)
{
    static QTemporaryDir folder(QDir::temp().filePath(QStringLiteral("tavel-XXXXXX")));
    static int count = 0;
    if (!folder.isValid())
        return {};
    ++count;
    return folder.filePath(QStringLiteral("%1 (%2).%3").arg(fileNameOfTitle(title, fallback)).arg(count).arg(extension));
}

} // namespace tavel
