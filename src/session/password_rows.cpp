// Conversion between the password table's text rows and user records.
#include "session/password_rows.h"

#include "storage/error.h"
#include "storage/ole_date.h"
#include "storage/text.h"

namespace tavel {
namespace {

const QString kDateFormat = QStringLiteral("dd.MM.yyyy");

// The cell without the blanks around it, cut to its field, and again without
// blanks (or control characters) left at the end by the cut: the table shows
// it so, and what is saved must show and save back the same.
QString cut(QStringView cell, int length)
{
    return trimmed(QStringView(trimmed(cell)).left(length));
}

[[noreturn]] void badRow(int row, const QString& what)
{
    throw Error(QStringLiteral("Таблица паролей, строка %1: %2. Файл пользователей не изменён.").arg(row).arg(what));
}

// The cells of a row the file holds at most so many characters of.
struct Cell {
    int column;
    const char16_t* title;
    int most;
};
constexpr Cell kCutCells[] = {
    {0, u"Код", 2}, {2, u"ФИО", 20}, {3, u"Пароль", 6}, {4, u"Доступ", 1}};

const QString& cellOf(const PasswordRow& r, int column)
{
    switch (column) {
    case 0: return r.code;
    case 2: return r.fullName;
    case 3: return r.password;
    default: return r.access;
    }
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

QStringList overlongCells(const std::vector<PasswordRow>& rows)
{
    QStringList lines;
    for (size_t i = 0; i < rows.size(); ++i) {
        if (trimmed(rows[i].code).isEmpty())
            continue;
        for (const Cell& cell : kCutCells) {
            const QString value = trimmed(cellOf(rows[i], cell.column));
            if (value.size() > cell.most)
                lines << QStringLiteral("Строка %1, столбец «%2»: «%3» длиннее %4 знаков, останется «%5».")
                             .arg(i + 1)
                             .arg(QString::fromUtf16(cell.title), value)
                             .arg(cell.most)
                             .arg(value.left(cell.most));
        }
    }
    return lines;
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
        const QString dateText = trimmed(r.date);
        const QDate date = QDate::fromString(dateText, QStringLiteral("d.M.yyyy"));
        if (!date.isValid())
            badRow(n, QStringLiteral("«%1» — не дата (нужно ДД.ММ.ГГГГ)").arg(dateText));
        const QString password = trimmed(r.password);
        if (password.isEmpty())
            badRow(n, QStringLiteral("пустой пароль"));
        users.push_back({cut(code, 2), toDays(date), cut(r.fullName, 20), cut(password, 6), cut(r.access, 1)});
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
