// The rows of the password table: users shown as text (code, date, name,
// password, access letter) and converted back into user records. Saving
// converts every row first and writes the user file only when all of them are
// good, so a bad row leaves the former file whole.
#pragma once

#include "storage/records.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavel {

struct PasswordRow {
    QString code;
    QString date; // dd.mm.yyyy
    QString fullName;
    QString password;
    QString access;
};

// The column titles of the table.
QStringList passwordColumnTitles();
// The table's editable rows.
constexpr int kPasswordRows = 10;

// The date as the table shows it (dd.MM.yyyy); empty when the stored value is
// no date (NaN, huge: a damaged user file).
QString passwordDateText(double days);
// The rows of the users. For each stored date that is no date, `notes` (if
// given) receives a sentence naming the record (from 1) and its user code.
std::vector<PasswordRow> passwordRows(const std::vector<UserRecord>& users, QStringList* notes = nullptr);

// The cells longer than the file can hold (code 2, name 20, password 6,
// access letter 1 characters, each trimmed) of the rows with a code: one line
// per cell naming its row (from 1), its column and what is kept of it. The
// window shows them before the rows are saved cut.
QStringList overlongCells(const std::vector<PasswordRow>& rows);

// The records of the rows whose trimmed code is not blank, in row order,
// every cell cut to what the file holds (see overlongCells). Any access
// letter is taken: "Z" and "W" give rights, any other shuts the user out at
// the entry check. Throws Error naming the first bad row (counted from 1) and
// what is wrong with it: a date that is not dd.mm.yyyy, an empty password.
std::vector<UserRecord> usersFromRows(const std::vector<PasswordRow>& rows);

// Converts every row, then rewrites the user file with the records
// (atomically). Returns the number of users written. Throws Error without
// touching the file when a row is bad.
int savePasswordRows(const QString& path, const std::vector<PasswordRow>& rows);

} // namespace tavel
