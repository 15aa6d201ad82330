// The password table's rows: conversion both ways, and a save that keeps the
// former user file whole when any row is bad.
#include "session/password_rows.h"

#include "storage/error.h"
#include "storage/ole_date.h"
#include "storage/shared_files.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace tavel;
using tavel::test::TempHome;

namespace {

std::vector<PasswordRow> defaultRows()
{
    return passwordRows(defaultUsers(QDate(2024, 9, 1)));
}

QString saveError(const std::vector<PasswordRow>& rows)
{
    try {
        usersFromRows(rows);
    } catch (const Error& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(PasswordRows, RowsShowTheUsersAndConvertBack)
{
    const std::vector<PasswordRow> rows = defaultRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].date, QStringLiteral("01.09.2024"));
    EXPECT_EQ(rows[0].access, QStringLiteral("Z"));
    const std::vector<UserRecord> users = usersFromRows(rows);
    ASSERT_EQ(users.size(), 4u);
    EXPECT_EQ(users[3].fullName, QStringLiteral("Пользователь 3"));
    EXPECT_EQ(users[3].issueDate, toDays(QDate(2024, 9, 1)));
    EXPECT_EQ(passwordColumnTitles(), (QStringList{QStringLiteral("Код"), QStringLiteral("Дата"),
                                                   QStringLiteral("ФИО"), QStringLiteral("Пароль"),
                                                   QStringLiteral("Доступ")}));
}

TEST(PasswordRows, RowsWithoutCodeAreLeftOutWithoutGaps)
{
    std::vector<PasswordRow> rows = defaultRows();
    rows[1].code = QStringLiteral("  ");
    rows.push_back({}); // an empty grid row
    rows.push_back({QStringLiteral("07"), QStringLiteral(" 5.1.2025 "), QStringLiteral(" Петров "),
                    QStringLiteral(" 123456 "), QStringLiteral(" W ")});
    const std::vector<UserRecord> users = usersFromRows(rows);
    ASSERT_EQ(users.size(), 4u);
    EXPECT_EQ(users[1].userCode, QStringLiteral("03"));
    EXPECT_EQ(users[3].fullName, QStringLiteral("Петров"));
    EXPECT_EQ(users[3].password, QStringLiteral("123456"));
    EXPECT_EQ(users[3].accessLevel, QStringLiteral("W"));
    EXPECT_EQ(users[3].issueDate, toDays(QDate(2025, 1, 5)));
}

TEST(PasswordRows, BadRowsAreNamedByTheirNumber)
{
    struct Case {
        int row;
        int column;
        QString value;
        QString says;
    };
    const Case cases[] = {
        {3, 1, QStringLiteral("31.02.2024"), QStringLiteral("не дата")},
        {2, 1, QStringLiteral("вчера"), QStringLiteral("не дата")},
        {2, 3, QString(), QStringLiteral("пустой пароль")},
    };
    for (const Case& c : cases) {
        std::vector<PasswordRow> rows = defaultRows();
        PasswordRow& row = rows[size_t(c.row - 1)];
        QString* cells[] = {&row.code, &row.date, &row.fullName, &row.password, &row.access};
        *cells[c.column] = c.value;
        const QString message = saveError(rows);
        SCOPED_TRACE(message.toStdString());
        EXPECT_TRUE(message.contains(QStringLiteral("строка %1").arg(c.row)));
        EXPECT_TRUE(message.contains(c.says));
    }
}

TEST(PasswordRows, BadRowLeavesTheFormerFileByteForByte)
{
    TempHome t;
    ensureUsers(t.home(), QDate(2020, 1, 1));
    const QByteArray before = t.read("Baza/Dostup.dat");
    std::vector<PasswordRow> rows = defaultRows();
    rows[0].fullName = QStringLiteral("Новый администратор");
    rows[3].password.clear(); // the last row is bad: nothing is written
    EXPECT_THROW(savePasswordRows(t.path("Baza/Dostup.dat"), rows), Error);
    EXPECT_EQ(t.read("Baza/Dostup.dat"), before);

    rows[3].password = QStringLiteral("123456");
    EXPECT_EQ(savePasswordRows(t.path("Baza/Dostup.dat"), rows), 4);
    const std::vector<UserRecord> saved = loadUsers(t.path("Baza/Dostup.dat"));
    ASSERT_EQ(saved.size(), 4u);
    EXPECT_EQ(saved[0].fullName, QStringLiteral("Новый администратор"));
    EXPECT_EQ(t.read("Baza/Dostup.dat").size(), 4 * 48);
}

// Mended fault: a letter other than Z or W (which shuts a user out) was
// refused, and over-long cells were refused instead of cut.
TEST(PasswordRows, AnyLetterIsTakenAndOverlongCellsAreNamedThenCut)
{
    std::vector<PasswordRow> rows = defaultRows();
    rows[1].access = QStringLiteral("Q");
    rows[2].code = QStringLiteral("123");
    rows[2].password = QStringLiteral("1234567");
    rows[3].access = QStringLiteral("WZ");
    const QStringList cut = overlongCells(rows);
    ASSERT_EQ(cut.size(), 3);
    EXPECT_TRUE(cut[0].contains(QStringLiteral("Строка 3, столбец «Код»"))) << cut[0].toStdString();
    EXPECT_TRUE(cut[1].contains(QStringLiteral("Строка 3, столбец «Пароль»"))) << cut[1].toStdString();
    EXPECT_TRUE(cut[1].contains(QStringLiteral("«123456»")));
    EXPECT_TRUE(cut[2].contains(QStringLiteral("Строка 4, столбец «Доступ»")));

    const std::vector<UserRecord> users = usersFromRows(rows);
    ASSERT_EQ(users.size(), 4u);
    EXPECT_EQ(users[1].accessLevel, QStringLiteral("Q"));
    EXPECT_EQ(users[2].userCode, QStringLiteral("12"));
    EXPECT_EQ(users[2].password, QStringLiteral("123456"));
    EXPECT_EQ(users[3].accessLevel, QStringLiteral("W"));

    // A cut that ends on a blank or a control character leaves none: the
    // table would show the cell without it, and save it back otherwise.
    rows[2].code = QStringLiteral("3\x01x");
    rows[2].fullName = QString(19, u'a') + QStringLiteral(" b");
    const std::vector<UserRecord> again = usersFromRows(rows);
    EXPECT_EQ(again[2].userCode, QStringLiteral("3"));
    EXPECT_EQ(again[2].fullName, QString(19, u'a'));
}

TEST(PasswordRows, AStoredDateThatIsNoDateShowsEmptyWithANoteNamingTheRecord)
{
    std::vector<UserRecord> users = defaultUsers(QDate(2024, 9, 1));
    const double noDates[] = {std::nan(""), 1e300, -1e300, HUGE_VAL, 2958466.0};
    for (const double days : noDates) {
        users[2].issueDate = days;
        QStringList notes;
        const std::vector<PasswordRow> rows = passwordRows(users, &notes);
        EXPECT_EQ(rows[2].date, QString()) << days;
        EXPECT_EQ(rows[1].date, QStringLiteral("01.09.2024"));
        ASSERT_EQ(notes.size(), 1) << days;
        EXPECT_TRUE(notes[0].contains(QStringLiteral("Запись 3 (код «03»)"))) << notes[0].toStdString();
    }
}
