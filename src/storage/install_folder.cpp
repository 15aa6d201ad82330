// Case-insensitive resolution of Windows-style paths under the installation folder.
#include "storage/install_folder.h"

#include "storage/text.h"

#include <QDir>
#include <QFileInfo>

namespace tavel {
namespace {

// `name` inside `folder`, joined as text. QDir::filePath would take a name
// beginning with ":" for a Qt resource path and return it alone, leaving the
// folder (a question may name such a file).
QString join(const QString& folder, const QString& name)
{
    if (folder.endsWith(QLatin1Char('/')))
        return folder + name;
    return folder + QLatin1Char('/') + name;
}

// The existing entry of `dir` whose name equals `name` ignoring case; the
// exact spelling wins when both exist.
QString matchEntry(const QDir& dir, const QString& name)
{
    if (QFileInfo::exists(join(dir.path(), name)))
        return name;
    const QStringList entries = dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString& entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return entry;
    return name;
}

} // namespace

bool isPlainFolderName(QStringView name)
{
    return !name.isEmpty() && name != u"." && name != u".." && !name.contains(u'/') && !name.contains(u'\\')
        && !name.contains(u':');
}

InstallFolder::InstallFolder(QString root) : root_(QDir::cleanPath(QDir(root).absolutePath())) {}

QString InstallFolder::path(QStringView windowsPath, bool createFolders) const
{
    QString rest = windowsPath.toString();
    rest.replace(QLatin1Char('/'), QLatin1Char('\\'));
    static const QString kPrefix = QStringLiteral("c:\\tavel");
    if (rest.startsWith(kPrefix, Qt::CaseInsensitive)
        && (rest.size() == kPrefix.size() || rest[kPrefix.size()] == QLatin1Char('\\')))
        rest = rest.mid(kPrefix.size());
    const QStringList parts = rest.split(QLatin1Char('\\'), Qt::SkipEmptyParts);
    QDir dir(root_);
    QString current = root_;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString& part = parts[i];
        if (part == QLatin1String("."))
            continue;
        const QString name = matchEntry(dir, part);
        current = join(current, name);
        const bool last = i == parts.size() - 1;
        if (!last) {
            if (createFolders && !QFileInfo(current).isDir())
                dir.mkdir(name);
            dir.setPath(current);
        }
    }
    return current;
}

QString InstallFolder::subjectFolder(const QString& folderName, bool create) const
{
    const QString folder = path(trimmed(folderName));
    if (create && !QFileInfo(folder).isDir())
        QDir().mkpath(folder);
    return folder;
}

} // namespace tavel
