// The entry check: a password chooses the user; the user's access letter
// decides the rights. "Z" is the administrator, "W" an ordinary user; any
// other letter, an empty one included, closes the program.
#pragma once

#include "session/app_state.h"

#include <QString>
#include <optional>
#include <vector>

namespace tavel {

enum class EntryOutcome {
    Admitted, // a user matched and the access letter is Z or W
    Unknown,  // no user has this password
    Closed,   // a user matched but the access letter is neither Z nor W
};

struct EntryResult {
    EntryOutcome outcome = EntryOutcome::Unknown;
    std::optional<CurrentUser> user; // set whenever a password matched
    // The warning shown when the outcome is not Admitted (the program ends).
    QString caption;
    QString text;
};

// The entered text is cut to its first six characters and trimmed, then
// compared with each user's trimmed password in table order; the first match wins.
EntryResult checkEntry(const std::vector<UserRecord>& users, const QString& entered);

// What the access letter allows. Everything is the administrator's.
struct Rights {
    bool serviceMenu = false;        // the menu "Сервис   "
    bool modes = false;              // the mode list Regim
    bool testParameters = false;     // the group ParamExam
    bool displayTimes = false;       // the group WremIzm
    bool packageMaintenance = false; // "Изменить набор вопросов по предмету"
    bool questionLimit = false;      // MaxKW
    bool editor = false;             // the question-base editor
};
Rights rightsFor(QChar access);
Rights rightsFor(const std::optional<CurrentUser>& user);

} // namespace tavel
