// The answer history, the session protocol and the question and topic
// printouts, checked through the documents' structure.
#include "reports/history_document.h"
#include "reports/session_protocol.h"
#include "support/question_rows.h"
#include "support/temp_home.h"

#include <QImage>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextImageFormat>

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::TempHome;
using tavel::test::question;

namespace {

// The paragraphs outside tables, in order.
QStringList paragraphs(const Document& doc)
{
    QStringList out;
    for (QTextBlock b = doc.text().begin(); b.isValid(); b = b.next()) {
        QTextCursor c(b);
        if (!c.currentTable())
            out << b.text();
    }
    return out;
}

// The paragraph that starts with `prefix`, with whether all its text is bold.
std::optional<bool> boldOf(const Document& doc, const QString& prefix)
{
    for (QTextBlock b = doc.text().begin(); b.isValid(); b = b.next()) {
        if (!b.text().startsWith(prefix))
            continue;
        bool bold = true;
        for (auto it = b.begin(); !it.atEnd(); ++it)
            bold = bold && it.fragment().charFormat().fontWeight() >= QFont::Bold;
        return bold;
    }
    return std::nullopt;
}

// The file names of the pictures, in document order.
QStringList pictures(const Document& doc)
{
    QStringList out;
    for (QTextBlock b = doc.text().begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().isImageFormat())
                out << it.fragment().charFormat().toImageFormat().toolTip();
    return out;
}

AnswerRow variant(const QString& no, const QString& mark, const QString& text, const QString& q = QStringLiteral("1"))
{
    return {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("1"), q, no, mark, text};
}

TestFigures figures()
{
    TestFigures f;
    f.started = true;
    f.kWopr = 3;
    f.werWop = 2;
    f.wseBal = 5;
    f.werBal = 4;
    f.ocenka = QStringLiteral(" 4");
    f.tenPoint = QStringLiteral("8  Очень хорошо");
    f.examinee = QStringLiteral("Иванов");
    f.subject = QStringLiteral("История");
    f.topic = QStringLiteral("Реформы");
    f.elapsed = QStringLiteral("0:03:07");
    f.startTime = QDateTime(QDate(2026, 12, 8), QTime(10, 0, 1));
    f.now = QDateTime(QDate(2026, 12, 8), QTime(10, 3, 8));
    return f;
}

void writePicture(const TempHome& t, const QString& relative, const char* format)
{
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::red);
    t.write(relative, {});
    ASSERT_TRUE(image.save(t.path(relative), format));
}

} // namespace

TEST(AnswerHistory, ExactAnswersGiveLinesOnlyAndTheSummaryIsTableOne)
{
    HistoryDocument history;
    history.questionShown(1, QStringLiteral("before any start")); // nothing: no document yet
    EXPECT_EQ(history.document(), nullptr);

    history.start();
    history.questionShown(1, QStringLiteral("Столица России?"));
    history.appendExactAnswer(true, QStringLiteral(" Москва "), QStringLiteral("москва "));
    history.questionShown(2, QStringLiteral("Год реформы?"));
    history.appendExactAnswer(false, QStringLiteral("1861"), QString());
    EXPECT_EQ(history.document()->tableCount(), 0);

    const std::shared_ptr<Document> doc = history.finish(figures());
    ASSERT_EQ(doc, history.document());
    EXPECT_EQ(doc->tableCount(), 1);
    EXPECT_EQ(doc->basePointSize(), 10);
    const QStringList p = paragraphs(*doc);
    EXPECT_TRUE(p.contains(QStringLiteral("1. Столица России?")));
    EXPECT_TRUE(p.contains(QStringLiteral("++ :  Москва Вы москва")));
    EXPECT_TRUE(p.contains(QStringLiteral("-+ :  1861 Вы")));
    EXPECT_EQ(p.last(), kSignatureLine);

    // The history's own row order: the request's date and time, time spent tenth.
    const QStringList expected[] = {
        {QStringLiteral("Дата время"), QStringLiteral("08.12.2026  10:03:08")},
        {QStringLiteral("Предмет"), QStringLiteral("История")},
        {QStringLiteral("Тема"), QStringLiteral("Реформы")},
        {QStringLiteral("Задано вопросов"), QStringLiteral("3")},
        {QStringLiteral("Получено правильных ответов"), QStringLiteral("2 Процент 67")},
        {QStringLiteral("Оценка по 5-ти балльной шкале"), QStringLiteral("Хорошо  4")},
        {QStringLiteral("Из всех баллов"), QStringLiteral("5")},
        {QStringLiteral("Набрано баллов"), QStringLiteral("4")},
        {QStringLiteral("Оценка по 10-ти бальной шкале"), QStringLiteral("8  Очень хорошо")},
        {QStringLiteral("Затрачено времени"), QStringLiteral("0:03:07")},
        {QStringLiteral("Отвечал на вопросы"), QStringLiteral("Иванов")},
    };
    for (int r = 1; r <= 11; ++r) {
        EXPECT_EQ(doc->cellText(1, r, 1), expected[r - 1][0]) << r;
        EXPECT_EQ(doc->cellText(1, r, 2), expected[r - 1][1]) << r;
    }
}

TEST(AnswerHistory, WrongTickBoxAnswerKeepsRightVariantsBoldAndOthersPlain)
{
    HistoryDocument history;
    history.start();
    history.appendTickBoxes({variant("1", "+", "Александр II"), variant("2", "-", "Пётр I"),
                             variant("3", "+", "Указ"), variant("4", " ", "Манифест")},
                            {false, true, true});
    const Document& doc = *history.document();
    EXPECT_EQ(boldOf(doc, QStringLiteral("-+ :  Александр II")), true);
    EXPECT_EQ(boldOf(doc, QStringLiteral("в- :  Пётр I")), false);
    EXPECT_EQ(boldOf(doc, QStringLiteral("в+ :  Указ")), true);
    EXPECT_EQ(boldOf(doc, QStringLiteral("-- :  Манифест")), false); // a missing tick counts as none
}

TEST(AnswerHistory, MatchingAndRankingTablesHoldTheGivenAndTheRightAnswers)
{
    // Items A and B belong to terms 2 and 3; the examinee chose Y for A and
    // nothing for B.
    const std::vector<MatchingRow> rows =
        matchingRows({QStringLiteral("A"), QStringLiteral("B")}, {QStringLiteral("2"), QStringLiteral(" 3")},
                     {QStringLiteral("X"), QStringLiteral("Y"), QStringLiteral("Z")}, {2, 0});
    // Variants stored with right positions 2, 3, 1; the examinee put variant 3
    // on top, then 1, then 2.
    const std::vector<RankingLine> lines = rankingLines(
        {variant("2", "1", "второй"), variant("3", "1", "третий"), variant("1", "1", " первый ")}, {3, 1, 2});

    HistoryDocument history;
    history.start();
    history.appendMatching(rows);
    history.appendRanking(lines);
    const Document& doc = *history.document();
    ASSERT_EQ(doc.tableCount(), 2);
    const QStringList matching[] = {{"2", "A", "Y", "2"}, {"3", "B", "Не определено", "0"}};
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 4; ++c)
            EXPECT_EQ(doc.cellText(1, r, c), matching[r - 1][c - 1]) << r << c;
    const QStringList ranking[] = {{"2", "2", "второй"}, {"3", "3", "третий"}, {"1", "1", "первый"}};
    for (int r = 1; r <= 3; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(doc.cellText(2, r, c), ranking[r - 1][c - 1]) << r << c;
}

// A protocol made while a test runs goes into a document of its own; the rest
// of the test's history still goes into the history document.
TEST(AnswerHistory, AProtocolMadeMeanwhileNeverReceivesTheHistorysAppends)
{
    TempHome t;
    HistoryDocument history;
    history.start();
    history.questionShown(1, QStringLiteral("Первый"));
    DocumentHolder main;
    Document& protocol = main.newDocument();
    buildSessionProtocol(protocol, figures(), {}, {}, {t.home(), QStringLiteral("Istoriy")});
    const int protocolEnd = protocol.end();
    history.questionShown(2, QStringLiteral("Второй"));
    history.appendExactAnswer(true, QStringLiteral("a"), QStringLiteral("a"));

    EXPECT_EQ(protocol.end(), protocolEnd);
    EXPECT_FALSE(paragraphs(protocol).contains(QStringLiteral("2. Второй")));
    EXPECT_TRUE(paragraphs(*history.document()).contains(QStringLiteral("2. Второй")));
}

TEST(SessionProtocol, SummaryRowsSignaturesAndAnEmptyList)
{
    TempHome t;
    TestFigures f = figures();
    f.ocenka = QStringLiteral(" 0");
    Document doc;
    buildSessionProtocol(doc, f, {}, {}, {t.home(), QStringLiteral("Istoriy")});
    ASSERT_EQ(doc.tableCount(), 1);
    EXPECT_EQ(doc.cellText(1, 1, 2), QStringLiteral("08.12.2026 С 10:00:01 по 10:03:08"));
    EXPECT_EQ(doc.cellText(1, 2, 1), QStringLiteral("Затрачено времени"));
    EXPECT_EQ(doc.cellText(1, 7, 1), QStringLiteral("Оценка по 5-ти балльной шкале"));
    EXPECT_EQ(doc.cellText(1, 7, 2), QStringLiteral("?  0"));
    EXPECT_EQ(doc.cellText(1, 11, 2), QStringLiteral("Иванов"));
    const QStringList p = paragraphs(doc);
    // The heading is the last paragraph: nothing under it.
    EXPECT_EQ(p.last(), QStringLiteral("Список нерешенных задач"));
    EXPECT_TRUE(p.contains(kSignatureLine));
}

TEST(SessionProtocol, PercentOfNoQuestionsIsADashNotADivisionByZero)
{
    EXPECT_EQ(rightAnswerPercent(0, 0), QStringLiteral("—"));
    EXPECT_EQ(rightAnswerPercent(1, 8), QStringLiteral("12")); // 12.5: half to even
    EXPECT_EQ(rightAnswerPercent(3, 8), QStringLiteral("38")); // 37.5
    EXPECT_EQ(rightAnswerPercent(2, 3), QStringLiteral("67"));
}

TEST(SessionProtocol, QuestionsWithTheirFilesAndVariants)
{
    TempHome t;
    t.write(QStringLiteral("Istoriy/Foto/reforma.txt"), test::cp(QStringLiteral("Пояснение к реформе")));
    writePicture(t, QStringLiteral("Istoriy/Foto/1_2_1_2.gif"), "PNG"); // read by its content
    writePicture(t, QStringLiteral("Istoriy/Foto/1_2_1_2.jpg"), "JPG");
    writePicture(t, QStringLiteral("Istoriy/Foto/1_2_1_3.jpg"), "JPG");
    t.write(QStringLiteral("secret.txt"), test::cp(QStringLiteral("тайна")));

    const QuestionList unanswered = {
        question("1", "Когда?File#reforma.txt#"),
        question("2", "Ещё раз File#reforma.txt#"), // the same file: in once only
        question("3", "Снаружи File#../secret.txt#"),
        question("4", "Нет файла File#nofile.txt#"),
    };
    const AnswerTable answers = {variant("1", "+", "1861", "1"), variant("2", "Ф", "1861", "1"),
                                 variant("1", "-", "Да", "3")};
    Document doc;
    std::vector<int> progress;
    buildSessionProtocol(doc, figures(), unanswered, answers, {t.home(), QStringLiteral("Istoriy")},
                         [&](int done, int) { progress.push_back(done); });
    const QStringList p = paragraphs(doc);
    const qsizetype heading = p.indexOf(QStringLiteral("Список нерешенных задач"));
    ASSERT_GE(heading, 0);
    const QStringList tail = p.mid(heading + 1);
    EXPECT_EQ(tail.count(QStringLiteral("Пояснение к реформе")), 1);
    EXPECT_TRUE(tail.contains(QStringLiteral("[1]. Когда?")));
    EXPECT_TRUE(tail.contains(QStringLiteral("1) 1861")));
    EXPECT_FALSE(tail.join(u'|').contains(QStringLiteral("2) 1861"))); // "Ф" is left out
    EXPECT_TRUE(tail.contains(QStringLiteral("[3]. Снаружи ")));
    EXPECT_FALSE(tail.join(u'|').contains(QStringLiteral("тайна")));
    EXPECT_TRUE(tail.contains(Document::missingFileText(QStringLiteral("../secret.txt"),
                                                        QStringLiteral("имя файла выходит за папку Foto"))));
    EXPECT_TRUE(tail.contains(Document::missingFileText(QStringLiteral("nofile.txt"), QStringLiteral("файл не найден"))));
    EXPECT_EQ(pictures(doc), QStringList({"1_2_1_2.gif", "1_2_1_2.jpg", "1_2_1_3.jpg"}));
    EXPECT_EQ(progress, std::vector<int>({1, 2, 3, 4}));
}

TEST(Printouts, VariantLinesByKeyFlagAndMark)
{
    struct Case {
        const char* mark;
        VariantLines style;
        std::optional<QString> line;
    };
    const Case cases[] = {
        {"+", VariantLines::Plain, QStringLiteral("3) Текст")},
        {"-", VariantLines::Plain, QStringLiteral("3) Текст")},
        {"1", VariantLines::Plain, QStringLiteral("3) Текст")},
        {"Ф", VariantLines::Plain, std::nullopt},
        {"1", VariantLines::TeachersKey, QStringLiteral("3) Текст")},
        {"Ф", VariantLines::TeachersKey, QStringLiteral("Ответ:  Текст")},
        {"+", VariantLines::TeachersKey, QStringLiteral("+3) Текст")},
        {"-", VariantLines::TeachersKey, QStringLiteral("-3) Текст")},
    };
    for (const Case& c : cases)
        EXPECT_EQ(variantLine(variant(" 3", c.mark, "Текст"), c.style), c.line) << c.mark << int(c.style);
}

TEST(Printouts, TopicWithoutKeyShowsNoMarksAndAJpegReferenceIsPictureTwo)
{
    TempHome t;
    writePicture(t, QStringLiteral("Istoriy/Foto/1_2_1_1.gif"), "PNG"); // named .gif, read by content
    writePicture(t, QStringLiteral("Istoriy/Foto/karta.JPG"), "JPG");
    writePicture(t, QStringLiteral("Istoriy/Foto/1_2_1_1.jpg"), "JPG"); // not used: the reference wins
    const QuestionList questions = {question("1", "Карта File#karta.JPG#")};
    const AnswerTable answers = {variant("1", "+", "Да"), variant("2", "Ф", "Нет")};
    Document doc;
    buildTopicPrintout(doc, QStringLiteral(" История "), QStringLiteral("Реформы"), questions, answers,
                       {t.home(), QStringLiteral("Istoriy")}, false);
    EXPECT_EQ(pictures(doc), QStringList({"1_2_1_1.gif", "karta.JPG"}));
    const QStringList p = paragraphs(doc);
    EXPECT_EQ(p.mid(0, 2), QStringList({"Предмет История", "Тема: Реформы"}));
    EXPECT_TRUE(p.contains(QStringLiteral("1) Да")));
    EXPECT_FALSE(p.join(u'|').contains(QStringLiteral("Нет")));
    EXPECT_EQ(doc.basePointSize(), 12);
}

// Any path containing "tt" (a folder named "Otto") once counted as "no
// reference"; now only a question without a reference gets its own GIF.
TEST(Printouts, AReferencedPictureInAFolderNamedOttoIsStillUsed)
{
    TempHome t;
    writePicture(t, QStringLiteral("Otto/Foto/plan.gif"), "PNG");
    writePicture(t, QStringLiteral("Otto/Foto/1_2_1_1.gif"), "PNG");
    const FotoFolder foto{t.home(), QStringLiteral("Otto")};
    CurrentQuestion q;
    q.subject = QStringLiteral("История");
    q.topic = QStringLiteral("Реформы");
    q.shownText = QStringLiteral("Где?");
    q.systemNumber = QStringLiteral("1_2_1_1");
    q.referencedPicture = foto.path(QStringLiteral("plan.gif"));
    q.variants = {variant("1", "+", "Здесь"), variant("2", "Ф", "Там")};
    Document doc;
    buildQuestionPrintout(doc, q, foto);
    EXPECT_EQ(pictures(doc), QStringList({"plan.gif"}));
    EXPECT_EQ(paragraphs(doc).mid(0, 3), QStringList({"----- История. Реформы", "----- Вопрос -----", "Где?"}));
    EXPECT_TRUE(paragraphs(doc).contains(QStringLiteral("1. Здесь")));
    EXPECT_FALSE(paragraphs(doc).join(u'|').contains(QStringLiteral("Там")));

    q.referencedPicture.clear();
    Document own;
    buildQuestionPrintout(own, q, foto);
    EXPECT_EQ(pictures(own), QStringList({"1_2_1_1.gif"}));
}
