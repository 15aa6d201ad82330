// The explanation window's rules: loading, the answer form, choosing terms, the
// answer code, the hint copy and the placement of the windows.
#include "session/explanation.h"

#include "storage/error.h"
#include "support/temp_home.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <gtest/gtest.h>

using namespace tavel;
using tavel::test::cp;

namespace {

const QStringList kForm = {
    QStringLiteral("Закон (А) открыл учёный (Б)."),
    QStringLiteral("Опыт (б) повторил позже."),
    QStringLiteral("Список терминов:"),
    QStringLiteral("1 Ньютон"),
    QStringLiteral("2 Гук"),
    QStringLiteral("3 Бойль"),
};

} // namespace

TEST(ExplanationForm, LetterCountStopsAtTheFirstMissingMarker)
{
    EXPECT_EQ(letterCount(u"(А) и (Б), потом (Г)"), 2);
    EXPECT_EQ(letterCount(u"(Б) без первого"), 0);
    EXPECT_EQ(letterCount(u"(A) латинская"), 0);
    EXPECT_EQ(letterCount(u"(а) строчная"), 0); // counting is case-sensitive
    EXPECT_EQ(letterCount(u"(И)(З)(Ж)(Е)(Д)(Г)(В)(Б)(А)"), 9); // order in the text does not matter

    const AnswerForm form = answerForm({QStringLiteral("(А) (Б)"), QStringLiteral("(Г)"),
                                        QStringLiteral("Список терминов"), QStringLiteral("1 x")});
    EXPECT_EQ(form.letterCount, 2);
    EXPECT_EQ(form.markers, (QStringList{QStringLiteral("(А)"), QStringLiteral("(Б)")}));
}

TEST(ExplanationForm, TermListAfterTheFirstLineOpensTheGroup)
{
    const AnswerForm form = answerForm(kForm);
    EXPECT_TRUE(form.groupShown);
    EXPECT_EQ(form.terms, kForm.mid(3));
    EXPECT_EQ(termListLine({QStringLiteral("a"), QStringLiteral("   СПИСОК ТЕРМИНОВ  "), QStringLiteral("1 t")}), 1);

    // The title as the very first line: markers counted, no answer group.
    const AnswerForm first = answerForm({QStringLiteral("Список терминов (А)"), QStringLiteral("1 Ньютон")});
    EXPECT_EQ(first.letterCount, 1);
    EXPECT_FALSE(first.groupShown);
    EXPECT_TRUE(first.terms.isEmpty());

    // No title at all, or no markers: no group.
    EXPECT_FALSE(answerForm({QStringLiteral("(А)"), QStringLiteral("1 x")}).groupShown);
    EXPECT_EQ(termListLine({QStringLiteral("(А)")}), -1);
    const AnswerForm plain = answerForm({QStringLiteral("текст"), QStringLiteral("Список терминов"), QStringLiteral("1 x")});
    EXPECT_EQ(plain.letterCount, 0);
    EXPECT_FALSE(plain.groupShown);
    EXPECT_TRUE(plain.markers.isEmpty());
}

TEST(ExplanationAnswer, ChoosingTermThreeForBWritesThreeAndNamesTheTermInCapitals)
{
    const AnswerForm form = answerForm(kForm);
    const int chosen = 2; // "3 Бойль"
    EXPECT_EQ(termCellValue(chosen), QStringLiteral("3"));
    EXPECT_EQ(termName(form.terms[chosen]), QStringLiteral("БОЙЛЬ"));

    QStringList lines = kForm;
    EXPECT_EQ(replaceMarker(lines, u" (Б) ", termName(form.terms[chosen])), 2);
    EXPECT_EQ(lines[0], QStringLiteral("Закон (А) открыл учёный БОЙЛЬ."));
    EXPECT_EQ(lines[1], QStringLiteral("Опыт БОЙЛЬ повторил позже.")); // "(б)" matches too
    // A second choice for the same letter finds nothing left to replace.
    EXPECT_EQ(replaceMarker(lines, u"(Б)", QStringLiteral("ГУК")), 0);
}

TEST(ExplanationAnswer, TermNameIsCharactersThreeToThirtyTwo)
{
    EXPECT_EQ(termName(u"  1) Ньютон  "), QStringLiteral(" НЬЮТОН"));
    EXPECT_EQ(termName(u"12Гук"), QStringLiteral("ГУК"));
    EXPECT_EQ(termName(u"1"), QString());
    EXPECT_EQ(termName(QString(QStringLiteral("1 ") + QString(40, QChar(u'я')))), QString(30, QChar(u'Я')));
}

TEST(ExplanationAnswer, ReplacingInADocumentKeepsFormatsAndDoesNotLoop)
{
    QTextDocument document;
    document.setHtml(QStringLiteral("<p>Ответ <b>(Б)</b> и (б)</p><p>ещё (Б)</p>"));
    // The replacement contains the marker: it is not searched again.
    EXPECT_EQ(replaceMarker(document, u"(Б)", QStringLiteral("X(Б)")), 3);
    EXPECT_EQ(documentLines(document),
              (QStringList{QStringLiteral("Ответ X(Б) и X(Б)"), QStringLiteral("ещё X(Б)")}));
    bool boldKept = false;
    for (auto it = document.begin().begin(); !it.atEnd(); ++it)
        if (it.fragment().text().contains(QStringLiteral("X(Б)")) && it.fragment().charFormat().fontWeight() == QFont::Bold)
            boldKept = true;
    EXPECT_TRUE(boldKept);
}

TEST(ExplanationAnswer, AnswerCodeAndHintCopy)
{
    EXPECT_EQ(answerCode({QStringLiteral(" 3 "), QStringLiteral("1"), QStringLiteral("9")}, 2), QStringLiteral("31"));
    EXPECT_EQ(answerCode({QStringLiteral("3")}, 3), QStringLiteral("3")); // missing cells are empty
    EXPECT_EQ(answerCode({}, 0), QString());
    EXPECT_EQ(hintCells(u"4213", 3), (QStringList{QStringLiteral("4"), QStringLiteral("2"), QStringLiteral("1")}));
    EXPECT_EQ(hintCells(u"4", 3), (QStringList{QStringLiteral("4"), QString(), QString()}));
}

TEST(ExplanationFile, PlainTextIsWindows1251AndRtfKeepsItsFormats)
{
    test::TempHome home;
    home.write(QStringLiteral("Istoriy/Foto/a.txt"), cp(QStringLiteral("Закон (А)\r\nСписок терминов\r\n1 Ньютон\r\n")));
    home.write(QStringLiteral("Istoriy/Foto/b.RTF"),
               "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0 Arial;}}\\pard {\\b \\'c7\\'e0\\'ea\\'ee\\'ed} (\\'c0)\\par "
               "\\'d1\\'ef\\'e8\\'f1\\'ee\\'ea \\'f2\\'e5\\'f0\\'ec\\'e8\\'ed\\'ee\\'e2\\par 1 x\\par}");
    QTextDocument document;
    loadExplanation(home.path(QStringLiteral("Istoriy/Foto/a.txt")), document);
    EXPECT_EQ(documentLines(document),
              (QStringList{QStringLiteral("Закон (А)"), QStringLiteral("Список терминов"), QStringLiteral("1 Ньютон")}));

    loadExplanation(home.path(QStringLiteral("Istoriy/Foto/b.RTF")), document);
    const QStringList lines = documentLines(document);
    EXPECT_EQ(lines, (QStringList{QStringLiteral("Закон (А)"), QStringLiteral("Список терминов"), QStringLiteral("1 x")}));
    EXPECT_TRUE(answerForm(lines).groupShown);
    EXPECT_EQ(document.begin().begin().fragment().charFormat().fontWeight(), QFont::Bold);

    // Loading again replaces the text (the window's "Восстановить текст").
    loadExplanation(home.path(QStringLiteral("Istoriy/Foto/a.txt")), document);
    EXPECT_EQ(document.blockCount(), 3);

    // A long path is no problem: the path is passed whole.
    const QString deep = QStringLiteral("Istoriy/Foto/") + QString(70, QLatin1Char('d')) + QStringLiteral(".txt");
    home.write(deep, cp(QStringLiteral("длинный путь")));
    loadExplanation(home.path(deep), document);
    EXPECT_EQ(document.toPlainText(), QStringLiteral("длинный путь"));

    try {
        loadExplanation(home.path(QStringLiteral("Istoriy/Foto/none.txt")), document);
        FAIL() << "a missing file must be reported";
    } catch (const Error& error) {
        EXPECT_TRUE(error.message().contains(QStringLiteral("none.txt")));
    }
}

TEST(ExplanationFile, FilesBeyondThePageCapsAreRefusedNamingThem)
{
    // 32 MB took gigabytes and most of a minute; every line and run costs the
    // document time, so lines and bytes are capped.
    test::TempHome home;
    home.write(QStringLiteral("F/lines.txt"), QByteArray(5001, '\n'));
    home.write(QStringLiteral("F/paras.rtf"), "{\\rtf1 " + QByteArray(5001 * 5, ' ').replace("     ", "\\par ") + "x}");
    home.write(QStringLiteral("F/big.txt"), QByteArray(256 * 1024 + 1, 'x'));
    home.write(QStringLiteral("F/fits.rtf"), "{\\rtf1 " + QByteArray(4999 * 5, ' ').replace("     ", "\\par ") + "}");
    for (const char* name : {"lines.txt", "paras.rtf", "big.txt"}) {
        QTextDocument document;
        const QString message = test::errorOf([&] { loadExplanation(home.path(QStringLiteral("F/") + QLatin1String(name)), document); });
        EXPECT_TRUE(message.contains(QLatin1String(name))) << name << ": " << message.toStdString();
    }
    QTextDocument document;
    loadExplanation(home.path(QStringLiteral("F/fits.rtf")), document);
    EXPECT_EQ(document.blockCount(), 4999);
}

TEST(ExplanationFile, TextKindIsTheLastThreeCharactersIgnoringCase)
{
    EXPECT_TRUE(isTextExplanation(QStringLiteral("/t/Foto/a.txt")));
    EXPECT_TRUE(isTextExplanation(QStringLiteral("/t/Foto/A.RTF")));
    EXPECT_FALSE(isTextExplanation(QStringLiteral("/t/Foto/map.gif")));
    EXPECT_FALSE(isTextExplanation(QStringLiteral("/t/Foto/notext")));
    EXPECT_TRUE(isTextExplanation(QStringLiteral("/t/Foto/plaintxt"))); // no dot needed: the last three characters
}

TEST(Fonts, StepsOfTwoNotBelowSeven)
{
    EXPECT_EQ(fontSizeAfterStep(10, true), 12);
    EXPECT_EQ(fontSizeAfterStep(10, false), 8);
    EXPECT_EQ(fontSizeAfterStep(8, false), 6);
    EXPECT_EQ(fontSizeAfterStep(7, false), 7);
    EXPECT_EQ(fontSizeAfterStep(6, false), 6);
}

TEST(Placement, ExplanationWindowFillsTheScreenBelowTheMainWindow)
{
    const VerticalSpan below = explanationPlacement(1000, 300, 500);
    EXPECT_EQ(below.top, 501);
    EXPECT_EQ(below.height, 499);
    // A main window taller than the space: the window keeps its height at the bottom.
    const VerticalSpan tall = explanationPlacement(1000, 300, 800);
    EXPECT_EQ(tall.top, 699);
    EXPECT_EQ(tall.height, 300);
}

TEST(Placement, PictureWindowInTheBottomRightCorner)
{
    EXPECT_EQ(pictureWindowGeometry(QSize(200, 100), QSize(1280, 1000)), QRect(1070, 860, 210, 135));
    // Taller than the work area minus 80: top 40 and 80 pixels shorter.
    EXPECT_EQ(pictureWindowGeometry(QSize(300, 930), QSize(1280, 1000)), QRect(970, 40, 310, 885));
    // Exactly at the limit the top is 40 already and nothing is taken off.
    EXPECT_EQ(pictureWindowGeometry(QSize(300, 920), QSize(1280, 1000)), QRect(970, 40, 310, 955));
}
