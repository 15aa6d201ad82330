// Opening the current subject (on every activation of the main window and
// after a subject is chosen) and choosing a subject by its name.
#pragma once

#include "session/app_state.h"

#include <QStringList>
#include <optional>
#include <vector>

namespace tavel {

struct SubjectContents {
    std::vector<TopicRecord> topics; // Tema.dat in file order
    qint64 questionCount = 0;        // records of Wopros.dat
};

// Creates the subject's missing files (Tema.dat; Exam.dat built from Tema.dat;
// Otwet.dat, Wopros.dat, Predmet.dat empty) and reads its topics and its
// question count. Throws Error when the folder does not exist or a file
// cannot be created or read.
SubjectContents openSubject(const QString& subjectFolderPath);

// The same for the current subject of the state. Throws Error also when its
// folder name could leave the installation folder (empty, "..", a slash), as
// a first catalogue record may hold.
SubjectContents openCurrentSubject(const AppState& state);

// The question counts of the subject's default package Exam.dat: the trimmed
// TotalCount of each record, in file order. Throws Error when it cannot be read.
QStringList packageCounts(const QString& subjectFolderPath);

// Reads the catalogue file again; the first record whose trimmed SubjectName
// equals the trimmed `name` becomes the current subject: its trimmed
// FolderName is the current subject folder, created under the installation
// folder when missing. No match leaves the state as it was. Throws Error when
// the catalogue cannot be read or the folder name could leave the
// installation folder (empty, "..", a slash).
std::optional<SubjectRecord> chooseSubject(AppState& state, const QString& name);

} // namespace tavel
