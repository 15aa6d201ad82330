// Opening a subject's files and choosing a subject from the catalogue.
#include "session/subject_open.h"

#include "storage/atomic_save.h"
#include "storage/error.h"
#include "storage/record_file.h"
#include "storage/shared_files.h"
#include "storage/text.h"

#include <QDir>
#include <algorithm>

namespace tavel {
namespace {

void checkFolderName(const AppState& state, const QString& subjectName, const QString& folder)
{
    if (!isPlainFolderName(folder))
        throw Error(QStringLiteral("У предмета «%1» в каталоге %2 недопустимое имя папки «%3»")
                        .arg(subjectName, QDir::toNativeSeparators(state.home.path(paths::catalogue)), folder));
}

} // namespace

SubjectContents openCurrentSubject(const AppState& state)
{
    const QString folder = trimmed(state.subjectFolder);
    const auto same = [&](const SubjectRecord& r) { return trimmed(r.folderName) == folder; };
    const auto subject = std::find_if(state.catalogue.begin(), state.catalogue.end(), same);
    checkFolderName(state, subject != state.catalogue.end() ? trimmed(subject->subjectName) : QString(), folder);
    return openSubject(state.subjectFolderPath());
}

SubjectContents openSubject(const QString& subjectFolderPath)
{
    // A save killed before its rename left its temporary file beside the
    // intact former file.
    removeInterruptedSavesIn(subjectFolderPath);
    ensureSubjectFiles(subjectFolderPath);
    SubjectContents contents;
    contents.topics = readRecords<TopicRecord>(subjectFile(subjectFolderPath, subject_files::topics));
    contents.questionCount =
        RecordFile::countOnDisk(subjectFile(subjectFolderPath, subject_files::questions), QuestionRecord::layout());
    return contents;
}

QStringList packageCounts(const QString& subjectFolderPath)
{
    QStringList counts;
    for (const PackageRecord& r : readRecords<PackageRecord>(subjectFile(subjectFolderPath, subject_files::package)))
        counts.push_back(trimmed(r.totalCount));
    return counts;
}

std::optional<SubjectRecord> chooseSubject(AppState& state, const QString& name)
{
    const auto catalogue = readRecords<SubjectRecord>(state.home.path(paths::catalogue));
    std::optional<SubjectRecord> found = findSubject(catalogue, name);
    if (!found)
        return std::nullopt;
    const QString folder = trimmed(found->folderName);
    checkFolderName(state, trimmed(found->subjectName), folder);
    state.subjectFolder = folder;
    const QString path = state.home.subjectFolder(folder, true);
    if (!QDir(path).exists())
        throw Error(QStringLiteral("Не удалось создать папку предмета %1").arg(QDir::toNativeSeparators(path)));
    return found;
}

} // namespace tavel
