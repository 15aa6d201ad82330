// Conversion between the password table's text rows and user records.
#include "session/password_rows.h"

#include "storage/error.h"
#include "storage/ole_date.h"
#include "storage/text.h"

namespace tavel {
namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

[[noreturn]] void badRow(int row, const QString& what)
{
    throw Error(QStringLiteral("Таблица паролей, строка %1: %2. Файл пользователей не изменён.").arg(row).arg(what));
}

void checkLength(int row, const QString& title, const QString& value, int most)
{
    if (value.size() > most)
        badRow(row, QStringLiteral("%1 «%2» длиннее %3 знаков").arg(title, value).arg(most));
}

} // namespace

QStringList passwordColumnTitles()
{
    return {QStringLiteral("Код"), QStringLiteral("Дата"), QStringLiteral("ФИО"), QStringLiteral("Пароль"),
            QStringLiteral("Доступ")};
}

QString passwordDateText(double days)
{
    const QDateTime moment = fromDays(days);
    return moment.isValid() ? moment.date().toString(kDateFormat) : QString();
}

std::vector<PasswordRow> passwordRows(const std::vector<UserRecord>& users, QStringList* notes)
{
    std::vector<PasswordRow> rows;
    rows.reserve(users.size());
    for (size_t i = 0; i < users.size(); ++i) {
        const UserRecord& u = users[i];
        if (notes && !isDayCount(u.issueDate))
            notes->push_back(QStringLiteral("Запись %1 (код «%2»): дата в файле испорчена (%3), показана пустой; "
                                            "введите дату перед сохранением.")
                                 .arg(i + 1)
                                 .arg(u.userCode)
                                 .arg(u.issueDate, 0, 'g', 17));
        rows.push_back({u.userCode, passwordDateText(u.issueDate), u.fullName, u.password, u.accessLevel});
    }
    return rows;
}

std::vector<UserRecord> usersFromRows(const std::vector<PasswordRow>& rows)
{
    std::vector<UserRecord> users;
    for (size_t i = 0; i < rows.size(); ++i) {
        const PasswordRow& r = rows[i];
        const int n = int(i) + 1;
        const QString code = trimmed(r.code);
        if (code.isEmpty())
            continue;
        checkLength(n, QStringLiteral("код"), code, 2);
        const QString dateText = trimmed(r.date);
        const QDate date = QDate::fromString(dateText, QStringLiteral("d.M.yyyy"));
        if (!date.isValid())
            badRow(n, QStringLiteral("«%1» — не дата (нужно ДД.ММ.ГГГГ)").arg(dateText));
        const QString name = trimmed(r.fullName);
        checkLength(n, QStringLiteral("ФИО"), name, 20);
        const QString password = trimmed(r.password);
        if (password.isEmpty())
            badRow(n, QStringLiteral("пустой пароль"));
        checkLength(n, QStringLiteral("пароль"), password, 6);
        const QString access = trimmed(r.access);
        if (access != QLatin1String("Z") && access != QLatin1String("W"))
            badRow(n, QStringLiteral("доступ «%1» — нужно Z или W").arg(access));
        users.push_back({code, toDays(date), name, password, access});
    }
    return users;
}

int savePasswordRows(const QString& path, const std::vector<PasswordRow>& rows)
{
    const std::vector<UserRecord> users = usersFromRows(rows);
    writeRecords(path, users);
    return int(users.size());
}

} // namespace tavel
