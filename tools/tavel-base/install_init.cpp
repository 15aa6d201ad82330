// Filling a new installation folder with the shared files' defaults.
#include "install_init.h"

#include "storage/atomic_save.h"
#include "storage/colours.h"
#include "storage/error.h"
#include "storage/records.h"
#include "storage/settings.h"
#include "storage/shared_files.h"
#include "storage/text.h"
#include "storage/text_file.h"

#include <QDir>
#include <QFileInfo>

namespace tavel::base {
namespace {

// The Windows-1251 byte and the code page 866 byte of the i-th letter of
// А..Я, а..я, Ё, ё (66 letters).
constexpr int kLetters = 66;

unsigned char windowsByte(int i)
{
    if (i < 64)
        return static_cast<unsigned char>(0xC0 + i);
    return i == 64 ? 0xA8 : 0xB8;
}

unsigned char dosByte(int i)
{
    if (i < 48) // А..Я, а..п
        return static_cast<unsigned char>(0x80 + i);
    if (i < 64) // р..я
        return static_cast<unsigned char>(0xE0 + i - 48);
    return i == 64 ? 0xF0 : 0xF1;
}

// A subject folder name must stay a single folder under the installation folder.
QString usableFolderName(const SubjectRecord& subject)
{
    const QString name = trimmed(subject.folderName);
    if (name.isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(u'\\'))
        throw Error(QStringLiteral("В каталоге у предмета «%1» негодное имя папки «%2»")
                        .arg(trimmed(subject.subjectName), subject.folderName));
    return name;
}

} // namespace

QByteArray codeTableBytes()
{
    QByteArray out;
    for (int i = 0; i < kLetters; ++i)
        out += char(windowsByte(i));
    out += "\r\n";
    for (int i = 0; i < kLetters; ++i)
        out += char(dosByte(i));
    out += "\r\n";
    return out;
}

QStringList contentsPageLines(const InstallFolder& home)
{
    const std::vector<SubjectRecord> catalogue = readRecords<SubjectRecord>(home.path(paths::catalogue));
    QStringList lines{QStringLiteral("5"), QString::number(catalogue.size())};
    for (const SubjectRecord& s : catalogue)
        lines << QString::number(s.folderNo) << trimmed(s.subjectName) << QString::number(s.topicCount)
              << QString::number(s.questionCount) << QString::number(s.answerCount);
    return lines;
}

QStringList initInstallFolder(const QString& root, QDate today)
{
    QStringList created;
    if (QFileInfo(root).exists() && !QFileInfo(root).isDir())
        throw Error(QStringLiteral("%1 — это файл, а не папка").arg(QDir::toNativeSeparators(root)));
    if (!QDir().mkpath(root))
        throw Error(QStringLiteral("Не удалось создать папку %1").arg(QDir::toNativeSeparators(root)));
    const InstallFolder home(root);
    const auto note = [&](bool made, QStringView windowsPath) {
        if (made)
            created << home.path(windowsPath);
    };

    note(ensureCatalogue(home), paths::catalogue);
    note(ensureUsers(home, today), paths::users);
    note(ensureSettingsFile(home), paths::settings);
    note(ensureColourFile(home), paths::colours);

    const QString codeTable = home.path(paths::codeTable, true);
    if (!QFileInfo::exists(codeTable)) {
        saveAtomically(codeTable, codeTableBytes());
        created << codeTable;
    }
    const QString contents = home.path(paths::contents, true);
    if (!QFileInfo::exists(contents)) {
        writeTextLines(contents, contentsPageLines(home));
        created << contents;
    }

    const std::vector<SubjectRecord> catalogue = readRecords<SubjectRecord>(home.path(paths::catalogue), 1);
    if (catalogue.empty())
        throw Error(QStringLiteral("Каталог предметов %1 пуст: программа не сможет открыть первый предмет")
                        .arg(QDir::toNativeSeparators(home.path(paths::catalogue))));
    const QString folder = home.subjectFolder(usableFolderName(catalogue.front()), true);
    const QStringList before = QDir(folder).entryList(QDir::Files);
    ensureSubjectFiles(folder);
    const QStringList after = QDir(folder).entryList(QDir::Files);
    for (const QString& name : after)
        if (!before.contains(name))
            created << QDir(folder).filePath(name);
    return created;
}

} // namespace tavel::base
