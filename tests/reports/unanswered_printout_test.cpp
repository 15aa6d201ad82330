// The printout of the unanswered questions, checked through the document:
// texts in order, explanation files put in once, pictures, variants, and
// missing or broken files named where they would stand.
#include "reports/unanswered_printout.h"
#include "support/question_rows.h"
#include "support/temp_home.h"

#include <QFile>
#include <QImage>
#include <QTextDocument>

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::question;

namespace {

AnswerRow answer(const QString& questionNo, const QString& no, const QString& mark, const QString& text)
{
    return {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), questionNo, no, mark, text};
}

class UnansweredPrintout : public ::testing::Test {
protected:
    void SetUp() override
    {
        list.subjectName = QStringLiteral("История  ");
        list.folderName = QStringLiteral("Istoriy");
        list.topicName = QStringLiteral("Реформы");
        home.write(QStringLiteral("Istoriy/Foto/reforma.txt"), test::cp(QStringLiteral("Отмена\r\nкрепостного права\r\n")));
    }

    // The document's text and the problems of printing `list`.
    QString print()
    {
        problems = printUnanswered(doc, list, home.home(), [this](int done, int total) {
            progressCalls++;
            lastProgress = {done, total};
        });
        return doc.text().toPlainText();
    }

    test::TempHome home;
    UnansweredList list;
    Document doc;
    QStringList problems;
    int progressCalls = 0;
    std::pair<int, int> lastProgress;
};

} // namespace

TEST_F(UnansweredPrintout, ListsQuestionsWithTheirFileOnceAndTheirVariants)
{
    list.rows = {question("1", QStringLiteral("Когда? File#reforma.txt# конец")),
                 question("2", QStringLiteral("А это? File#reforma.txt#"))};
    list.answers = {answer("1", "1", "+", QStringLiteral("1861")), answer("1", "2", "-", QStringLiteral("1905")),
                    answer("2", "1", QStringLiteral("Ф"), QStringLiteral("секрет")),
                    answer("2", "2", QStringLiteral("Ф "), QStringLiteral("не секрет")),
                    answer("3", "1", "+", QStringLiteral("чужой"))};
    const QString text = print();
    EXPECT_EQ(text, QStringLiteral("Предмет История\nТема: Реформы\n\n"
                                   "[1]. Когда? \nОтмена\nкрепостного права\n1) 1861\n2) 1905\n\n\n"
                                   "[2]. А это? \n\n2) не секрет\n"));
    EXPECT_TRUE(problems.isEmpty());
    EXPECT_EQ(lastProgress, std::make_pair(2, 2));
    EXPECT_EQ(doc.basePointSize(), 12);
}

TEST_F(UnansweredPrintout, MissingAndBrokenFilesAreNamedAndThePrintoutGoesOn)
{
    home.write(QStringLiteral("Istoriy/Foto/bad.gif"), QByteArray("not a picture"));
    home.write(QStringLiteral("Istoriy/Foto/bin.txt"), QByteArray("MZ\0\0\x90", 5));
    list.rows = {question("1", QStringLiteral("Первый File#nope.txt#")),
                 question("2", QStringLiteral("Второй File#bad.gif#")),
                 question("3", QStringLiteral("Третий File#bin.txt#")),
                 question("4", QStringLiteral("Четвёртый File#..\\x.txt#")),
                 question("5", QStringLiteral("Пятый File#a_name_longer_than_20.txt#"))};
    const QString text = print();
    EXPECT_TRUE(text.contains(QStringLiteral("[1]. Первый \n[nope.txt: файл не найден]")));
    EXPECT_TRUE(text.contains(QStringLiteral("[2]. Второй [bad.gif: ")));
    EXPECT_TRUE(text.contains(QStringLiteral("[3]. Третий \n[bin.txt: это не текстовый файл]")));
    EXPECT_TRUE(text.contains(QStringLiteral("[..\\x.txt: имя файла выходит за папку Foto]")));
    // No "#" within 20 characters: no file name, so nothing is looked up.
    EXPECT_TRUE(text.endsWith(QStringLiteral("[5]. Пятый \n")));
    ASSERT_EQ(problems.size(), 4);
    EXPECT_TRUE(problems[0].startsWith(QStringLiteral("nope.txt: ")));
    EXPECT_TRUE(problems[1].startsWith(QStringLiteral("bad.gif: ")));
    EXPECT_TRUE(problems[2].startsWith(QStringLiteral("bin.txt: ")));
}

TEST_F(UnansweredPrintout, PicturesOfTheQuestionOrItsReferenceArePutIn)
{
    QImage picture(40, 30, QImage::Format_RGB32);
    picture.fill(Qt::blue);
    ASSERT_TRUE(picture.save(home.path(QStringLiteral("Istoriy/Foto/1_2_1_1.jpg")), "JPEG"));
    ASSERT_TRUE(picture.save(home.path(QStringLiteral("Istoriy/Foto/map.gif")), "PNG")); // named .gif, holds a PNG
    list.rows = {question("1", QStringLiteral("Свой рисунок")), question("2", QStringLiteral("Карта File#map.gif#")),
                 question("3", QStringLiteral("Без рисунка"))};
    print();
    EXPECT_EQ(doc.pictureCount(), 2);
    EXPECT_TRUE(problems.isEmpty()) << problems.join(u'\n').toStdString();
}

TEST(ExplanationText, ReadsWindows1251Utf8AndRichText)
{
    test::TempHome home;
    home.write(QStringLiteral("a.txt"), test::cp(QStringLiteral("Пётр\r\nПервый\r\n")));
    home.write(QStringLiteral("b.txt"), QStringLiteral("\uFEFFЁлка\nзелёная").toUtf8());
    home.write(QStringLiteral("c.txt"), QByteArray("{\\rtf1\\ansi {\\b \\'cf\\'e5\\'f2\\'f0}\\par x}"));
    EXPECT_EQ(readExplanationText(home.path(QStringLiteral("a.txt"))), QStringLiteral("Пётр\nПервый"));
    EXPECT_EQ(readExplanationText(home.path(QStringLiteral("b.txt"))), QStringLiteral("Ёлка\nзелёная"));
    EXPECT_EQ(readExplanationText(home.path(QStringLiteral("c.txt"))), QStringLiteral("Петр\nx"));
}
