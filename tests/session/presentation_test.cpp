// Presenting a question: variants, kind, counts, time and attached files.
#include "session/presentation.h"

#include "support/temp_home.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tavel;

namespace {

QuestionRow question(const QString& no = QStringLiteral("5"), const QString& text = QStringLiteral("Вопрос"))
{
    QuestionRow q;
    q.subjectCode = QStringLiteral("1");
    q.topicCode = QStringLiteral("001");
    q.testCode = QStringLiteral("1");
    q.questionNo = no;
    q.questionText = text;
    q.points = QStringLiteral("5");
    return q;
}

// Answers of question 5 with the marks given, AnswerNo 1, 2, ...
AnswerTable answers(const QStringList& marks, const QString& no = QStringLiteral("5"))
{
    AnswerTable table;
    for (qsizetype i = 0; i < marks.size(); ++i)
        table.push_back({QStringLiteral("1"), QStringLiteral("001"), QStringLiteral("1"), no, QString::number(i + 1),
                         marks[i], QStringLiteral("Вариант %1").arg(i + 1)});
    return table;
}

const TimeSettings kTimes{1500, 300};

} // namespace

TEST(Presentation, PlusPlusMinusMinusMinusIsMatching)
{
    const Presentation p = present(question(), answers({"+", "+", "-", "-", "-"}), kTimes);
    EXPECT_EQ(p.kind, QuestionKind::Matching);
    EXPECT_EQ(p.kindName(), QStringLiteral("Соответствие"));
    EXPECT_EQ(p.rightCount, 2);
    EXPECT_EQ(p.rightTexts, QStringList({QStringLiteral("Вариант 1"), QStringLiteral("Вариант 2")}));
    EXPECT_EQ(p.rightCodes, QStringList({QStringLiteral("1"), QStringLiteral("2")}));
    EXPECT_EQ(p.leftTexts.size(), 3);
}

TEST(Presentation, ARankingMarkAfterTwoPlainVariantsMakesTheRestRankingRows)
{
    const Presentation p = present(question(), answers({"", "", "1", "1"}), kTimes);
    EXPECT_EQ(p.kind, QuestionKind::Ranking);
    EXPECT_EQ(p.rightCount, 4); // KPraw = n
    EXPECT_FALSE(p.isRankingRow(0));
    EXPECT_FALSE(p.isRankingRow(1));
    EXPECT_TRUE(p.isRankingRow(2));
    EXPECT_TRUE(p.isRankingRow(3));
    EXPECT_EQ(p.shownTexts(), std::vector<bool>({true, true, false, false}));
    ASSERT_EQ(p.rankingRows.size(), 4u);
    EXPECT_FALSE(p.rankingRows[1].shown);
    EXPECT_TRUE(p.rankingRows[2].shown);
    EXPECT_EQ(p.rankingRows[3].correctNumber, QStringLiteral("4"));
}

TEST(Presentation, KindsByTheFirstRuleThatApplies)
{
    EXPECT_EQ(present(question(), answers({"Ф"}), kTimes).kind, QuestionKind::ExactAnswer);
    EXPECT_EQ(present(question(), answers({"Ф"}), kTimes).rightCount, 1);
    EXPECT_EQ(present(question(), answers({"1", "Ф"}), kTimes).kind, QuestionKind::ExactAnswer);
    EXPECT_EQ(present(question(), answers({"+", "-", "Ф", "1"}), kTimes).kind, QuestionKind::Matching);
    const Presentation ticks = present(question(), answers({"+", "", "+", "x"}), kTimes);
    EXPECT_EQ(ticks.kind, QuestionKind::TickBoxes);
    EXPECT_EQ(ticks.rightCount, 2);
}

TEST(Presentation, SecondsAllowedGrowWithTheVariants)
{
    EXPECT_EQ(present(question(), answers({"+", "", ""}), kTimes).seconds, 2400);
    EXPECT_EQ(present(question(), answers({"+", "", "", ""}), kTimes).seconds, 2700);
}

TEST(Presentation, AQuestionWithoutVariantsGetsQuestionSecondsOnly)
{
    const Presentation p = present(question(), answers({"+", ""}, QStringLiteral("6")), kTimes);
    EXPECT_EQ(p.variantCount(), 0);
    EXPECT_EQ(p.kind, QuestionKind::TickBoxes);
    EXPECT_EQ(p.rightCount, 0);
    EXPECT_EQ(p.seconds, 1500);
}

TEST(Presentation, VariantsMatchOnAllFourCodes)
{
    AnswerTable table = answers({"+", "", ""});
    table[1].testCode = QStringLiteral("2"); // another section: not this question's
    const Presentation p = present(question(), table, kTimes);
    ASSERT_EQ(p.variantCount(), 2);
    EXPECT_EQ(p.variants[1].answerText, QStringLiteral("Вариант 3"));
}

TEST(Presentation, EveryVariantIsKeptPastTwentyEight)
{
    QStringList marks;
    for (int i = 0; i < 40; ++i)
        marks.push_back(QStringLiteral("1"));
    const Presentation p = present(question(), answers(marks), kTimes);
    EXPECT_EQ(p.variantCount(), 40);
    EXPECT_EQ(p.rankingRows.size(), 40u);
    EXPECT_EQ(p.rankingRows[39].text, QStringLiteral("Вариант 40"));
}

TEST(Presentation, TextWithoutTheReferenceAndPointsAsNumber)
{
    QuestionRow q = question(QStringLiteral("5"), QStringLiteral("Где это? File#map.gif# конец"));
    const Presentation p = present(q, {}, kTimes);
    EXPECT_EQ(p.shownText, QStringLiteral("Где это? "));
    EXPECT_EQ(p.systemNumber, QStringLiteral("1_001_1_5"));
    EXPECT_EQ(p.pointsValue, 5);

    q.points = QStringLiteral("x");
    const Presentation bad = present(q, {}, kTimes);
    EXPECT_FALSE(bad.pointsValid);
    EXPECT_EQ(bad.pointsValue, 0);
}

class QuestionFilesTest : public ::testing::Test {
protected:
    void SetUp() override { QDir().mkpath(home.path(QStringLiteral("Hist/foto"))); }
    void put(const QString& name) { home.write(QStringLiteral("Hist/foto/") + name, "x"); }
    QuestionFiles files(const QString& text) { return questionFiles(home.home(), QStringLiteral("Hist"), question(QStringLiteral("5"), text)); }

    test::TempHome home;
};

TEST_F(QuestionFilesTest, PicturesNamedAfterTheQuestion)
{
    EXPECT_FALSE(files(QStringLiteral("В")).showPictureNote);
    put(QStringLiteral("1_001_1_5.gif"));
    put(QStringLiteral("1_001_1_5.jpg"));
    const QuestionFiles f = files(QStringLiteral("В"));
    EXPECT_TRUE(f.gifExists && f.jpgExists && f.showPictureNote);
    EXPECT_EQ(f.gifWindowFile, home.path(QStringLiteral("Hist/foto/1_001_1_5.gif")));
    EXPECT_EQ(f.picturePath, f.jpgCandidate); // the JPEG is assigned last
    EXPECT_EQ(f.explanationPath, QStringLiteral("tt"));
}

TEST_F(QuestionFilesTest, ExplanationFileByItsKind)
{
    put(QStringLiteral("map.gif"));
    put(QStringLiteral("notes.RTF"));
    put(QStringLiteral("doc.pdf"));

    QuestionFiles f = files(QStringLiteral("Где? File#map.gif#"));
    EXPECT_EQ(f.gifWindowFile, home.path(QStringLiteral("Hist/foto/map.gif")));
    EXPECT_EQ(f.explanationPath, f.gifWindowFile);
    EXPECT_TRUE(f.explanationCaption.startsWith(QStringLiteral("Пояснения к вопросу из файла: ")));

    f = files(QStringLiteral("File#notes.RTF#"));
    EXPECT_TRUE(f.explanationIsText);
    EXPECT_EQ(f.explanationPath, QStringLiteral("tt"));

    f = files(QStringLiteral("File#doc.pdf#"));
    EXPECT_TRUE(f.openWithShell);
    EXPECT_EQ(f.picturePath, home.path(QStringLiteral("Hist/foto/doc.pdf")));

    f = files(QStringLiteral("File#absent.txt#"));
    EXPECT_FALSE(f.explanationExists);
    EXPECT_EQ(f.explanationPath, QStringLiteral("tt"));
}

TEST_F(QuestionFilesTest, NamesThatLeaveTheFotoFolderAreNotUsed)
{
    home.write(QStringLiteral("Hist/secret.txt"), "x");
    for (const QString& text : {QStringLiteral("File#../secret.txt#"), QStringLiteral("File#..\\secret.txt#"),
                                QStringLiteral("File#/etc/passwd#"), QStringLiteral("File#noclose.txt")}) {
        const QuestionFiles f = files(text);
        EXPECT_FALSE(f.explanationSafe) << qPrintable(text);
        EXPECT_TRUE(f.explanationFile.isEmpty());
        EXPECT_FALSE(f.explanationIsText || f.openWithShell);
    }
}

TEST_F(QuestionFilesTest, NamesBeginningWithAColonAreLookedUpInsideFoto)
{
    // ":" begins a Qt resource path; such names are files of Foto like any other.
    put(QStringLiteral(":x.txt"));
    const QString foto = home.root() + QStringLiteral("/Hist/foto/");
    QuestionFiles f = files(QStringLiteral("File#:x.txt#"));
    EXPECT_EQ(f.explanationFile, foto + QStringLiteral(":x.txt"));
    EXPECT_TRUE(f.explanationExists && f.explanationIsText);
    EXPECT_TRUE(f.explanationCaption.endsWith(QDir::toNativeSeparators(foto + QStringLiteral(":x.txt"))));

    QuestionRow q = question();
    q.subjectCode = QStringLiteral(":1");
    f = questionFiles(home.home(), QStringLiteral("Hist"), q);
    EXPECT_EQ(f.gifCandidate, foto + QStringLiteral(":1_001_1_5.gif"));
}
