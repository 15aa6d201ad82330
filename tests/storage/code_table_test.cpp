// The code table Baza\Win_Dos.qkv.
#include "storage/code_table.h"
#include "storage/error.h"
#include "support/temp_home.h"

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::cp;
using tavel::test::TempHome;

TEST(CodeTable, ReadsTwoLinesAndTranslatesLineTwoIntoLineOne)
{
    TempHome t;
    t.write("Baza/Win_Dos.qkv", cp(QStringLiteral("АБВ\r\nabcd\r\nignored\r\n")));
    const CodeTable table = readCodeTable(t.path("Baza/Win_Dos.qkv"));
    EXPECT_EQ(table.target, QStringLiteral("АБВ"));
    EXPECT_EQ(table.source, QStringLiteral("abcd"));
    EXPECT_EQ(table.translate(QChar(u'b')), QChar(u'Б'));
    // 'd' has no partner in the shorter line 1; 'x' is not in line 2.
    EXPECT_EQ(table.translate(QStringLiteral("cabdx")), QStringLiteral("ВАБdx"));
}

TEST(CodeTable, MissingOrShortFileNamesTheFile)
{
    const char* const files[] = {nullptr, "", "only one line\r\n"};
    for (const char* bytes : files) {
        SCOPED_TRACE(bytes ? bytes : "missing");
        TempHome t;
        if (bytes)
            t.write("Baza/Win_Dos.qkv", bytes);
        QString message;
        try {
            readCodeTable(t.path("Baza/Win_Dos.qkv"));
        } catch (const Error& e) {
            message = e.message();
        }
        EXPECT_TRUE(message.contains(QStringLiteral("Win_Dos.qkv"))) << message.toStdString();
    }
}
