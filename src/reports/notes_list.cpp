// Listing the reference notes folder. The folder is walked on the file
// system's own byte names, so that a name in another encoding is listed and
// opened too (Qt's own listing skips names that are not UTF-8).
#include "reports/notes_list.h"

#include "platform/safe_open.h"
#include "storage/atomic_save.h"
#include "storage/cp1251.h"
#include "storage/install_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace tavel {
namespace {

namespace fs = std::filesystem;

// A byte name as text: UTF-8 when it is, else Windows-1251.
QString readableName(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? cp1251::decode(bytes) : text;
}

void listInto(const std::string& root, const fs::path& folder, std::vector<NotesEntry>& out)
{
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const std::string& native = it->path().native();
        const QByteArray nativePath = QByteArray::fromStdString(native);
        const QString relative = readableName(QByteArray::fromStdString(native.substr(root.size() + 1)));
        std::error_code ignored;
        const bool link = it->is_symlink(ignored);
        const bool folderEntry = it->is_directory(ignored);
        NotesEntry entry;
        entry.shown = folderEntry && !link ? relative + QLatin1Char('/') : relative;
        entry.fullPath = QFile::decodeName(nativePath);
        entry.nativePath = nativePath;
        entry.folder = folderEntry;
        out.push_back(entry);
        if (folderEntry && !link)
            listInto(root, it->path(), out);
    }
}

bool spelledBack(const NotesEntry& entry)
{
    return QFile::encodeName(entry.fullPath) == entry.nativePath;
}

} // namespace

QString notesFolder(const QString& subjectFolderPath)
{
    return InstallFolder(subjectFolderPath).path(u"Konspekt");
}

NotesListing listNotes(const QString& folder)
{
    NotesListing listing;
    const QFileInfo info(folder);
    listing.folderExists = info.isDir();
    listing.folderShown = QDir::toNativeSeparators(QDir::cleanPath(info.absoluteFilePath()) + QLatin1Char('/'));
    if (!listing.folderExists)
        return listing;
    const std::string root = QFile::encodeName(QDir::cleanPath(info.absoluteFilePath())).toStdString();
    listInto(root, fs::path(root), listing.entries);
    std::sort(listing.entries.begin(), listing.entries.end(), [](const NotesEntry& a, const NotesEntry& b) {
        const int folded = a.shown.compare(b.shown, Qt::CaseInsensitive);
        return folded != 0 ? folded < 0 : a.shown < b.shown;
    });
    return listing;
}

QString openablePath(const NotesEntry& entry)
{
    if (spelledBack(entry))
        return entry.fullPath;
    static QTemporaryDir links;
    if (!links.isValid())
        return QString();
    // One folder per entry keeps equal names of different subfolders apart.
    const QString folder = links.filePath(QString::number(qHash(entry.nativePath), 16));
    const QString link = QDir(folder).filePath(QFileInfo(entry.shown.chopped(entry.folder ? 1 : 0)).fileName());
    if (QFileInfo(link).isSymLink())
        return link;
    if (!QDir().mkpath(folder) || ::symlink(entry.nativePath.constData(), QFile::encodeName(link).constData()) != 0)
        return QString();
    return link;
}

QString refuseToOpenNote(const NotesEntry& entry)
{
    struct stat status {};
    if (::stat(entry.nativePath.constData(), &status) != 0)
        return QStringLiteral("«%1» больше нет в папке с конспектами (удалён или переименован после того, как "
                              "список был составлен).")
            .arg(entry.shown);
    const QString path = openablePath(entry);
    if (path.isEmpty())
        return QStringLiteral("«%1» не удалось подготовить к открытию.").arg(entry.shown);
    if (!S_ISDIR(status.st_mode) && isExecutableFile(path))
        return QStringLiteral("«%1» — программа или сценарий. Из списка конспектов программы не запускаются; "
                              "откройте её сами, если доверяете ей.")
            .arg(entry.shown);
    return QString();
}

void saveNotesList(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += line.toUtf8() + '\n';
    saveAtomically(path, bytes);
}

} // namespace tavel
