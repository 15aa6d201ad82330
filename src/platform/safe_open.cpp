// Whether a file named by question data may be opened with the desktop's
// program: inside the Foto folder, a plain file, not a program or a script.
#include "platform/safe_open.h"

#include "storage/install_folder.h"
#include "storage/question_keys.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

namespace tavel {
namespace {

// Extensions of programs, scripts, installers and launchers on Linux and on
// Windows (a desktop with Wine runs the latter too), compared ignoring case.
const char* const kExecutableExtensions[] = {
    "sh", "bash", "zsh", "ksh", "csh", "tcsh", "fish", "desktop", "exe", "bat", "cmd", "com", "scr", "pif",
    "msi", "msp", "cpl", "lnk", "vbs", "vbe", "js", "jse", "wsf", "wsh", "ps1", "psm1", "hta", "reg",
    "py", "pyw", "pyc", "pl", "pm", "rb", "php", "tcl", "lua", "jar", "class", "appimage", "run", "bin",
    "elf", "so", "dll", "deb", "rpm", "apk", "flatpakref", "snap", "command", "action", "workflow", "out",
};

// Types the desktop starts rather than shows (a type inheriting one of these
// counts as well).
const char* const kExecutableTypes[] = {
    "application/x-executable", "application/x-pie-executable", "application/x-sharedlib",
    "application/x-shellscript", "application/x-desktop", "application/x-ms-dos-executable",
    "application/x-msdownload", "application/x-msi", "application/x-ms-shortcut", "application/x-bat",
    "application/java-archive", "application/x-java-archive", "application/vnd.appimage",
    "application/x-perl", "text/x-perl", "text/x-python", "text/x-python3", "application/x-ruby",
    "application/x-php", "application/x-csh", "application/x-executable-script",
};

QString shown(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

OpenDecision refuse(const QString& reason)
{
    return OpenDecision{false, QString(), reason};
}

bool startsLikeProgram(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(4);
    return head.startsWith("#!") || head.startsWith("\x7F" "ELF") || head.startsWith("MZ");
}

} // namespace

bool isExecutableFile(const QString& path)
{
    const QFileInfo info(path);
    constexpr QFile::Permissions kExecute =
        QFile::ExeOwner | QFile::ExeUser | QFile::ExeGroup | QFile::ExeOther;
    if (info.permissions() & kExecute)
        return true;
    const QString suffix = info.suffix();
    for (const char* extension : kExecutableExtensions)
        if (suffix.compare(QLatin1String(extension), Qt::CaseInsensitive) == 0)
            return true;
    if (startsLikeProgram(path))
        return true;
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    for (const char* name : kExecutableTypes)
        if (type.inherits(QLatin1String(name)))
            return true;
    return false;
}

OpenDecision decideFileOpen(const QString& fotoFolder, const QString& path)
{
    const QString folder = QFileInfo(fotoFolder).canonicalFilePath();
    if (folder.isEmpty() || !QFileInfo(folder).isDir())
        return refuse(QStringLiteral("Папка %1 не найдена").arg(shown(fotoFolder)));
    const QFileInfo info(path);
    if (!info.exists())
        return refuse(QStringLiteral("Файл %1 не найден").arg(shown(path)));
    const QString target = info.canonicalFilePath();
    if (target.isEmpty() || !target.startsWith(folder + QLatin1Char('/')))
        return refuse(QStringLiteral("Файл %1 не открыт: он лежит вне папки %2").arg(shown(path), shown(fotoFolder)));
    const QFileInfo real(target);
    if (!real.isFile())
        return refuse(QStringLiteral("Файл %1 не открыт: это не обычный файл").arg(shown(path)));
    if (isExecutableFile(target))
        return refuse(QStringLiteral("Файл %1 не открыт: это программа или сценарий").arg(shown(path)));
    return OpenDecision{true, target, QString()};
}

OpenDecision decideQuestionFileOpen(const QString& fotoFolder, const QString& fileName)
{
    if (fileName.trimmed().isEmpty())
        return refuse(QStringLiteral("Файл не открыт: в вопросе не указано имя файла"));
    if (!isSafeFileName(fileName))
        return refuse(QStringLiteral("Файл «%1» не открыт: имя файла в вопросе не должно содержать "
                                     "\"/\", \"\\\" или \"..\"")
                          .arg(fileName));
    return decideFileOpen(fotoFolder, InstallFolder(fotoFolder).path(fileName));
}

} // namespace tavel
