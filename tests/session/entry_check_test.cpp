// The entry check: which user a password chooses and what the access letter allows.
#include "session/entry_check.h"

#include <gtest/gtest.h>

using namespace tavel;

namespace {

UserRecord user(const QString& code, const QString& password, const QString& access)
{
    return {code, 45000, QStringLiteral("Имя ") + code, password, access};
}

const std::vector<UserRecord> kUsers{
    user(QStringLiteral("01"), QStringLiteral("731946"), QStringLiteral("Z")),
    user(QStringLiteral("02"), QStringLiteral(" 480372"), QStringLiteral(" W ")),
    user(QStringLiteral("03"), QStringLiteral("480372"), QStringLiteral("Z")), // same password: never chosen
    user(QStringLiteral("04"), QStringLiteral("111111"), QStringLiteral("X")),
    user(QStringLiteral("05"), QStringLiteral("222222"), QString()),
};

} // namespace

TEST(EntryCheck, FirstUserWithThePasswordWinsAndTrailingBlanksDoNotMatter)
{
    // The stored password " 480372" is trimmed too; user 03 has the same one.
    const EntryResult r = checkEntry(kUsers, QStringLiteral("480372  "));
    ASSERT_EQ(r.outcome, EntryOutcome::Admitted);
    ASSERT_TRUE(r.user);
    EXPECT_EQ(r.user->code, QStringLiteral("02"));
    EXPECT_EQ(r.user->access, QLatin1Char('W'));
}

TEST(EntryCheck, EntryIsCutToSixCharactersBeforeTheComparison)
{
    EXPECT_EQ(checkEntry(kUsers, QStringLiteral("7319469")).user->code, QStringLiteral("01"));
    // Blanks count among the six characters: the seventh character is cut off.
    EXPECT_EQ(checkEntry(kUsers, QStringLiteral(" 731946")).outcome, EntryOutcome::Unknown);
}

TEST(EntryCheck, UnknownPasswordIsRefusedWithTheSystemsWords)
{
    for (const QString& entered : {QStringLiteral("000000"), QString(), QStringLiteral("73194")}) {
        const EntryResult r = checkEntry(kUsers, entered);
        EXPECT_EQ(r.outcome, EntryOutcome::Unknown);
        EXPECT_FALSE(r.user);
        EXPECT_EQ(r.caption, QStringLiteral("Что-то я Вас не припоминаю"));
        EXPECT_EQ(r.text, QStringLiteral("Повторите запуск программы"));
    }
}

TEST(EntryCheck, AccessLetterOtherThanZAndWClosesTheProgram)
{
    for (const QString& entered : {QStringLiteral("111111"), QStringLiteral("222222")}) {
        const EntryResult r = checkEntry(kUsers, entered);
        EXPECT_EQ(r.outcome, EntryOutcome::Closed);
        ASSERT_TRUE(r.user); // the user was matched before the letter was looked at
        EXPECT_EQ(r.caption, QStringLiteral("Вам доступ закрыт"));
        EXPECT_EQ(r.text, QStringLiteral("Увы!!!"));
    }
}

TEST(EntryCheck, EmptyUserTableKnowsNobody)
{
    EXPECT_EQ(checkEntry({}, QStringLiteral("480372")).outcome, EntryOutcome::Unknown);
}

TEST(EntryCheck, OnlyTheAdministratorHasRights)
{
    const Rights z = rightsFor(QLatin1Char('Z'));
    EXPECT_TRUE(z.serviceMenu && z.modes && z.testParameters && z.displayTimes && z.packageMaintenance
                && z.questionLimit && z.editor);
    for (const QChar letter : {QChar(u'W'), QChar(), QChar(u'z')}) {
        const Rights r = rightsFor(letter);
        EXPECT_FALSE(r.serviceMenu || r.modes || r.testParameters || r.displayTimes || r.packageMaintenance
                     || r.questionLimit || r.editor);
    }
    EXPECT_FALSE(rightsFor(std::optional<CurrentUser>{}).serviceMenu);
}
