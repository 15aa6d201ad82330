// The user file Baza\Dostup.dat and the password table's rows: any bytes give
// at most ten users whose rows show a date or nothing; rows typed into the
// table are saved only when every one converts, and read back the same.
#include "fuzz_support.h"

#include "session/entry_check.h"
#include "session/password_rows.h"
#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/shared_files.h"

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    fuzz::Input in(data, size);
    const QByteArray file = in.bytes(in.byte() * 4);
    try {
        const std::vector<UserRecord> users = loadUsers(fuzz::scratchFile(QStringLiteral("Baza/Dostup.dat"), file));
        QStringList notes;
        const std::vector<PasswordRow> rows = passwordRows(users, &notes);
        for (const PasswordRow& row : rows)
            if (row.date.size() != 0 && row.date.size() != 10)
                fuzz::broken("a date shown is neither empty nor dd.mm.yyyy");
        if (!users.empty())
            checkEntry(users, users.back().password + users.front().userCode);
    } catch (const Error&) {
    }

    // Rows as typed: five cells each, parts of the input.
    std::vector<PasswordRow> typed;
    while (!in.empty() && typed.size() < size_t(kPasswordRows)) {
        PasswordRow row;
        for (QString* cell : {&row.code, &row.date, &row.fullName, &row.password, &row.access})
            *cell = cp1251::decode(in.bytes(in.byte() % 24));
        typed.push_back(row);
    }
    const QString path = fuzz::scratchFile(QStringLiteral("Baza/Dostup.dat"), {});
    int written = 0;
    try {
        written = savePasswordRows(path, typed);
    } catch (const Error&) {
        return 0;
    }
    const std::vector<UserRecord> back = loadUsers(path);
    if (int(back.size()) != written)
        fuzz::broken("the user file holds another number of users than saved");
    const std::vector<UserRecord> again = usersFromRows(passwordRows(back));
    for (size_t i = 0; i < back.size(); ++i)
        if (again[i].encode() != back[i].encode())
            fuzz::broken("saved users do not show and convert back the same");
    return 0;
}
