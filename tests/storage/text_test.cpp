// Trimming and code comparison.
#include "storage/text.h"

#include <gtest/gtest.h>

using namespace tavel;

TEST(Trimming, RemovesBlanksAndControlCharactersAtBothEnds)
{
    EXPECT_EQ(trimmed(u"\t\r\n  ab c \x01\x1f "), QStringLiteral("ab c"));
    EXPECT_EQ(trimmed(u"   "), QString());
    EXPECT_EQ(trimmed(QByteArrayView(" \t1 \0", 5)), QByteArrayView("1"));
}

TEST(Trimming, CodesPaddedWithBlanksMatchButCaseCounts)
{
    EXPECT_TRUE(codesEqual(u"1 ", u"1"));
    EXPECT_TRUE(codesEqual(u" 01", u"01 "));
    EXPECT_FALSE(codesEqual(u"a", u"A"));
    EXPECT_FALSE(codesEqual(u"1", u"01"));
}
