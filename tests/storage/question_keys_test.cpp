// System numbers, explanation-file references and question kinds.
#include "storage/question_keys.h"

#include <gtest/gtest.h>

using namespace tavel;

TEST(SystemNumber, CodesAreTrimmedAndJoined)
{
    EXPECT_EQ(systemNumber(u"1 ", u" 12", u"1", u"007 "), QStringLiteral("1_12_1_007"));
}

TEST(FileReference, TextBeforeTheMarkerIsShownAndTheNameEndsAtHash)
{
    const FileReference r = splitFileReference(QStringLiteral("Где это? File#map.gif# и ещё"));
    EXPECT_TRUE(r.present);
    EXPECT_EQ(r.shownText, QStringLiteral("Где это? "));
    EXPECT_EQ(r.fileName, QStringLiteral("map.gif"));

    const FileReference none = splitFileReference(QStringLiteral("Просто вопрос"));
    EXPECT_FALSE(none.present);
    EXPECT_EQ(none.shownText, QStringLiteral("Просто вопрос"));
    EXPECT_TRUE(none.fileName.isEmpty());
}

TEST(FileReference, NoHashWithinTwentyCharactersGivesAnEmptyName)
{
    const FileReference r = splitFileReference(QStringLiteral("Текст File#abcdefghijklmnopqrst#"));
    EXPECT_TRUE(r.present);
    EXPECT_TRUE(r.fileName.isEmpty());
    EXPECT_EQ(r.shownText, QStringLiteral("Текст "));
    // A hash as the twentieth character still closes the name.
    EXPECT_EQ(splitFileReference(QStringLiteral("File#abcdefghijklmnopqrs#")).fileName,
              QStringLiteral("abcdefghijklmnopqrs"));
    // Only the first marker counts.
    EXPECT_EQ(splitFileReference(QStringLiteral("a File#x.txt# b File#y.txt#")).fileName, QStringLiteral("x.txt"));
}

TEST(FileReference, NamesThatLeaveTheFotoFolderAreUnsafe)
{
    EXPECT_TRUE(isSafeFileName(QStringLiteral("map.gif")));
    EXPECT_FALSE(isSafeFileName(QStringLiteral("../Baza/x")));
    EXPECT_FALSE(isSafeFileName(QStringLiteral("/etc/passwd")));
    EXPECT_FALSE(isSafeFileName(QStringLiteral("a\\b.txt")));
    EXPECT_FALSE(isSafeFileName(QStringLiteral("  ")));
    EXPECT_FALSE(isSafeFileName(QStringLiteral(" . "))); // the Foto folder itself
}

TEST(QuestionKind, TheFirstMatchingRuleWins)
{
    const auto kind = [](std::initializer_list<const char16_t*> marks) {
        QStringList list;
        for (auto m : marks)
            list << QString::fromUtf16(m);
        return kindFromMarks(list);
    };
    EXPECT_EQ(kind({u"+", u"+", u"-", u"-", u"-"}), QuestionKind::Matching);
    EXPECT_EQ(kind({u"+", u"-", u"Ф", u"1"}), QuestionKind::Matching);
    EXPECT_EQ(kind({u" + ", u"-"}), QuestionKind::Matching);
    EXPECT_EQ(kind({u"Ф"}), QuestionKind::ExactAnswer);
    EXPECT_EQ(kind({u"+", u"Ф1"}), QuestionKind::ExactAnswer);
    EXPECT_EQ(kind({u"+", u"", u""}), QuestionKind::TickBoxes);
    EXPECT_EQ(kind({u"-", u"-"}), QuestionKind::TickBoxes);
    EXPECT_EQ(kind({}), QuestionKind::TickBoxes);
    EXPECT_EQ(kind({u"", u"", u"1"}), QuestionKind::Ranking);
    EXPECT_EQ(kindName(QuestionKind::TickBoxes), QStringLiteral("Птички поставить"));
    EXPECT_EQ(kindName(QuestionKind::Matching), QStringLiteral("Соответствие"));
}
