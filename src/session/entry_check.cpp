// The password check and the rights of the access letters.
#include "session/entry_check.h"

#include "storage/text.h"

namespace tavel {

EntryResult checkEntry(const std::vector<UserRecord>& users, const QString& entered)
{
    EntryResult result;
    const QString wanted = trimmed(QStringView(entered).left(6));
    for (const UserRecord& user : users) {
        if (trimmed(user.password) != wanted)
            continue;
        const QString access = trimmed(user.accessLevel);
        result.user = CurrentUser{user.userCode, user.fullName, access.isEmpty() ? QChar() : access[0]};
        break;
    }
    if (!result.user) {
        result.outcome = EntryOutcome::Unknown;
        result.caption = QStringLiteral("Что-то я Вас не припоминаю");
        result.text = QStringLiteral("Повторите запуск программы");
    } else if (result.user->access != QLatin1Char('Z') && result.user->access != QLatin1Char('W')) {
        result.outcome = EntryOutcome::Closed;
        result.caption = QStringLiteral("Вам доступ закрыт");
        result.text = QStringLiteral("Увы!!!");
    } else {
        result.outcome = EntryOutcome::Admitted;
    }
    return result;
}

Rights rightsFor(QChar access)
{
    const bool z = access == QLatin1Char('Z');
    return {z, z, z, z, z, z, z};
}

Rights rightsFor(const std::optional<CurrentUser>& user)
{
    return rightsFor(user ? user->access : QChar());
}

} // namespace tavel
