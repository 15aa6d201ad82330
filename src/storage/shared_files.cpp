// Default contents of the shared files and of a subject folder.
#include "storage/shared_files.h"

#include "storage/error.h"
#include "storage/ole_date.h"
#include "storage/text.h"

#include <QDir>
#include <QFileInfo>

namespace tavel {

SubjectRecord defaultSubject()
{
    return {1, QStringLiteral("История"), QStringLiteral("Istoriy"), 52, 2562, 9600};
}

std::vector<UserRecord> defaultUsers(QDate today)
{
    const double day = toDays(today);
    return {
        {QStringLiteral("01"), day, QStringLiteral("Администратор"), QStringLiteral("731946"), QStringLiteral("Z")},
        {QStringLiteral("02"), day, QStringLiteral("Пользователь 1"), QStringLiteral("480372"), QStringLiteral("W")},
        {QStringLiteral("03"), day, QStringLiteral("Пользователь 2"), QStringLiteral("215803"), QStringLiteral("W")},
        {QStringLiteral("04"), day, QStringLiteral("Пользователь 3"), QStringLiteral("607159"), QStringLiteral("W")},
    };
}

bool ensureCatalogue(const InstallFolder& home)
{
    const QString path = home.path(paths::catalogue, true);
    if (QFileInfo::exists(path))
        return false;
    writeRecords(path, std::vector<SubjectRecord>{defaultSubject()});
    return true;
}

bool ensureUsers(const InstallFolder& home, QDate today)
{
    const QString path = home.path(paths::users, true);
    if (QFileInfo::exists(path))
        return false;
    writeRecords(path, defaultUsers(today));
    return true;
}

std::optional<SubjectRecord> findSubject(const std::vector<SubjectRecord>& catalogue, const QString& name)
{
    const QString wanted = trimmed(name);
    for (const SubjectRecord& s : catalogue)
        if (trimmed(s.subjectName) == wanted)
            return s;
    return std::nullopt;
}

std::vector<UserRecord> loadUsers(const QString& path)
{
    return readRecords<UserRecord>(path, kMaxUsers);
}

QString subjectFile(const QString& subjectFolder, QStringView fileName)
{
    return InstallFolder(subjectFolder).path(fileName);
}

std::vector<PackageRecord> defaultPackage(const std::vector<TopicRecord>& topics)
{
    std::vector<PackageRecord> out;
    out.reserve(topics.size());
    for (const TopicRecord& t : topics)
        out.push_back({t.subjectCode, t.topicCode, t.topicName, QStringLiteral("5"), QStringLiteral("1")});
    return out;
}

bool ensureDefaultPackage(const QString& subjectFolder)
{
    const QString path = subjectFile(subjectFolder, subject_files::package);
    if (QFileInfo::exists(path))
        return false;
    const QString topicsPath = subjectFile(subjectFolder, subject_files::topics);
    const std::vector<TopicRecord> topics =
        QFileInfo::exists(topicsPath) ? readRecords<TopicRecord>(topicsPath) : std::vector<TopicRecord>{};
    writeRecords(path, defaultPackage(topics));
    return true;
}

void ensureSubjectFiles(const QString& subjectFolder)
{
    if (!QFileInfo(subjectFolder).isDir())
        throw Error(QStringLiteral("Нет папки предмета %1").arg(QDir::toNativeSeparators(subjectFolder)));
    ensureFileExists(subjectFile(subjectFolder, subject_files::topics));
    ensureDefaultPackage(subjectFolder);
    ensureFileExists(subjectFile(subjectFolder, subject_files::answers));
    ensureFileExists(subjectFile(subjectFolder, subject_files::questions));
    ensureFileExists(subjectFile(subjectFolder, subject_files::sections));
}

} // namespace tavel
