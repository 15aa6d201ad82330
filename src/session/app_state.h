// The state of the running program that the main window owns and the other
// windows read: the installation folder, the subject list, the current
// subject, the display times, grade thresholds and question limit, the modes,
// the users and the current user, and the topic rows of the current subject.
#pragma once

#include "storage/code_table.h"
#include "storage/install_folder.h"
#include "storage/records.h"

#include <QString>
#include <optional>
#include <vector>

namespace tavel {

// The hint mode's two values.
inline const QString kHintsOn = QStringLiteral("Wkl");
inline const QString kHintsOff = QStringLiteral("Wikl");

// The user whose password matched last.
struct CurrentUser {
    QString code;
    QString fullName;
    QChar access; // first character of the trimmed access letter; null when empty
};

struct AppState {
    InstallFolder home;

    // The subject catalogue as read at start-up, in file order (the subject list).
    std::vector<SubjectRecord> catalogue;
    // FolderName of the current subject: the first catalogue record's as
    // stored at start-up, the chosen subject's trimmed afterwards.
    QString subjectFolder;

    int questionSeconds = 900; // base display time of a question
    int variantSeconds = 120;  // added per answer variant
    int gradeThree = 50;       // lowest percentages of the grades 3, 4 and 5
    int gradeFour = 70;
    int gradeFive = 85;
    int questionLimit = 500;   // most questions in one test

    QString hintMode = kHintsOn;
    bool shuffle = true; // questions in random order

    // At most ten users, in file order.
    std::vector<UserRecord> users;
    std::optional<CurrentUser> currentUser;

    CodeTable codeTable;

    // The topics of the current subject in the order of its Tema.dat (the
    // editor's topic grid: SubjectCode, TopicCode, TopicName). The topic
    // list's index i is topics[i].
    std::vector<TopicRecord> topics;
    // Index of the topic chosen in the topic list; -1 while none is chosen.
    int chosenTopic = -1;

    // The real path of the current subject's folder (not created).
    QString subjectFolderPath() const { return home.subjectFolder(subjectFolder); }
    // The chosen topic's row, or null.
    const TopicRecord* chosenTopicRow() const
    {
        return chosenTopic >= 0 && size_t(chosenTopic) < topics.size() ? &topics[size_t(chosenTopic)] : nullptr;
    }
};

} // namespace tavel
