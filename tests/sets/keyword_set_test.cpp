// The keyword set's two passes, the topic kinds and the dictionary file.
#include "sets/dictionary.h"
#include "sets/keyword_set.h"

#include "storage/error.h"
#include "storage/text.h"
#include "storage/text_file.h"
#include "support/temp_home.h"

#include <climits>
#include <gtest/gtest.h>
#include <random>

using namespace tavel;
using namespace tavel::test;

namespace {

QStringList ids(const QuestionSet& set)
{
    QStringList out;
    for (const QuestionRecord& q : set)
        out << trimmed(q.topicCode) + u'/' + trimmed(q.questionNo);
    return out;
}

// A subject: topics 1 "Орфография ЕГЭ", 2 "Пунктуация гиа" (lower case: not
// the kind), 3 "Морфология ГИА", 4 (not in the package); their questions and
// answers as given.
class KeywordSubject : public ::testing::Test {
protected:
    TempHome t;
    PackageRows package;

    void SetUp() override
    {
        writeRecords(t.path("Tema.dat"), std::vector<TopicRecord>{{"1", "1", "Орфография ЕГЭ"},
                                                                   {"1", "2", "Пунктуация гиа"},
                                                                   {"1", "3", "Морфология ГИА"},
                                                                   {"1", "4", "Лексика"}});
        package = {{"1", "1", "Орфография ЕГЭ", "2", "1"},
                   {"1", "2", "Пунктуация гиа", "5", "1"},
                   {"1", "3", "Морфология ГИА", "0", "1"}};
        questions({{"1", "1", "1", "1", "Безударные гласные в корне", {}, "2", {}},
                   {"1", "2", "1", "1", "Запятая перед союзом", {}, "1", {}},
                   {"1", "1", "1", "2", "Проверка БЕЗУДАРНЫХ гласных", {}, "1", {}},
                   {"1", "1", "1", "3", "Чередование безударных гласных", {}, "1", {}},
                   {"1", "3", "1", "1", "Части речи", {}, "1", {}},
                   {"1", "4", "1", "1", "Ёлка и ель", {}, "1", {}},
                   {"1", "3", "1", "2", "Безударное окончание", {}, "1", {}},
                   {"1 ", "2", "1", "2", "Тире", {}, "1", {}}});
        answers({{"1", "4", "1", "1", "1", "+", "безударный слог"},   // topic 4, only by answer
                 {"1", "1", "1", "1", "1", "+", "безударная"},       // already in by text
                 {"1", "4", "1", "1", "2", "-", "ещё безударный"},    // same question again
                 {"1", "2", "1", "1", "1", "+", "нет"},
                 {"1", "9", "1", "1", "1", "+", "безударный без вопроса"}});
    }

    void questions(const std::vector<QuestionRecord>& qs)
    {
        writeRecords(t.path("Wopros.dat"), qs);
    }
    void answers(const std::vector<AnswerRecord>& as)
    {
        writeRecords(t.path("Otwet.dat"), as);
    }

    QStringList build(TopicKind kind, const QString& w1, const QString& w2 = {})
    {
        return ids(buildKeywordSet({t.path("Exam.dat"), package, t.path("Tema.dat"), t.path("Wopros.dat"), t.path("Otwet.dat")}, kind, w1, w2));
    }
};

} // namespace

TEST_F(KeywordSubject, StemMatchesInsideWordsIgnoringCaseThenAnswersOnceEach)
{
    // The same with each search a processor may take: AVX2, SSE2, bytes.
    for (const int width : {0, 16, 1}) {
        SCOPED_TRACE(width);
        keyword_search::limitWidth(width);
        // Topic 1 takes its first 2 ("Всего"), topic 3 ("Всего" 0) is not limited;
        // then the question found only through its answers, once.
        EXPECT_EQ(build(TopicKind::Any, QStringLiteral(" БезУдарн ")), (QStringList{"1/1", "1/2", "3/2", "4/1"}));
        EXPECT_EQ(build(TopicKind::Any, QStringLiteral("безударн"), QStringLiteral("гласн")),
                  (QStringList{"1/1", "1/2"}));
        EXPECT_EQ(build(TopicKind::Any, QStringLiteral("ЁЛК")), (QStringList{})); // topic 4 is not in the package
        EXPECT_EQ(build(TopicKind::Any, QStringLiteral("ЕЩЁ")), (QStringList{"4/1"}));
        EXPECT_EQ(build(TopicKind::Any, QStringLiteral("нет такого")), (QStringList{}));
        EXPECT_EQ(build(TopicKind::Any, QStringLiteral("безударн∞")), (QStringList{})); // not in the code page
    }
    keyword_search::limitWidth(0);
}

TEST_F(KeywordSubject, BothKeywordsEmptyTakeEveryPackageTopicThenEveryAnsweredQuestion)
{
    // Topic 2's second question has the subject code "1 ": equal when trimmed.
    EXPECT_EQ(build(TopicKind::Any, QString(), QStringLiteral("  ")),
              (QStringList{"1/1", "1/2", "2/1", "2/2", "3/1", "3/2", "4/1"}));
}

TEST_F(KeywordSubject, KindsNeedTheirWordInCapitalsInTheTopicName)
{
    EXPECT_EQ(build(TopicKind::Ege, QString()), (QStringList{"1/1", "1/2", "4/1", "2/1"}));
    EXPECT_EQ(build(TopicKind::Gia, QString()), (QStringList{"3/1", "3/2", "4/1", "1/1", "2/1"}));
    // Topic 2's second question "1 " does not equal "1" as stored: no topic
    // name, so no kind.
    EXPECT_EQ(build(TopicKind::Neither, QString()), (QStringList{"2/1", "4/1", "1/1"}));
    EXPECT_TRUE(topicOfKind(QStringLiteral("Задания ЕГЭ и ГИА"), TopicKind::Gia));
    EXPECT_FALSE(topicOfKind(QStringLiteral("Задания ЕГЭ и ГИА"), TopicKind::Neither));
    EXPECT_EQ(keywordSetTitle(TopicKind::Neither, QStringLiteral(" Корень"), QStringLiteral("ГЛАСН ")),
              QStringLiteral("без ЕГЭ  ГИА Ключевые слова: корень гласн"));
}

TEST_F(KeywordSubject, ANonNumericTotalNamesExamDatAndTheRecord)
{
    package[1].totalCount = QStringLiteral("много");
    const QString error = errorOf([&] { build(TopicKind::Any, QStringLiteral("а")); });
    EXPECT_TRUE(error.contains(QStringLiteral("Exam.dat")) && error.contains(QStringLiteral("запись 2")) &&
                error.contains(QStringLiteral("много")))
        << error.toStdString();
}

// The answers the keyword set's scan keeps or marks for reading are those a
// scan of Otwet.dat finds, in file order: on a subject of a few blocks of
// answers with runs across the blocks' edges, questions taken by text and by
// an answer at any place in its run, and answers of one question in two
// places of the file.
TEST_F(KeywordSubject, TheAnswersTheSetsScanKeptAreTheAnswersAScanFinds)
{
    std::mt19937 random(5);
    std::vector<QuestionRecord> qs;
    std::vector<AnswerRecord> as;
    for (int q = 1; q <= 300; ++q) {
        const QString number = QString::number(q);
        qs.push_back({"1", "1", "1", number, random() % 10 == 0 ? u"ключ в тексте"_qs : u"вопрос"_qs, {}, "1", {}});
        const int count = 1 + int(random() % 8);
        for (int a = 1; a <= count; ++a)
            as.push_back({"1", "1", "1", number, QString::number(a), "-",
                          random() % 12 == 0 ? u"ответ с ключом"_qs : u"ответ"_qs});
    }
    for (int moved = 0; moved < 40; ++moved) { // answers away from their question's others
        const size_t from = random() % as.size();
        as.push_back(as[from]);
        as.erase(as.begin() + qsizetype(from));
    }
    questions(qs);
    answers(as);
    package = {{"1", "1", "Орфография ЕГЭ", "0", "1"}};
    const KeywordFiles files{t.path("Exam.dat"), package, t.path("Tema.dat"), t.path("Wopros.dat"), t.path("Otwet.dat")};
    AnswerCodes codes;
    const QuestionSet set = buildKeywordSet(files, TopicKind::Any, u"ключ"_qs, QString(), &codes);
    ASSERT_GT(set.size(), 60u);
    ASSERT_GT(as.size(), 1024u); // three blocks of the scan at least
    for (const int limit : {500, 7}) {
        const SetCandidates kept = setCandidates(set, files.otwetPath, 1, INT_MAX, limit, &codes);
        const SetCandidates scanned = setCandidates(set, files.otwetPath, 1, INT_MAX, limit);
        ASSERT_EQ(kept.answers.size(), scanned.answers.size()) << limit;
        for (size_t i = 0; i < kept.answers.size(); ++i) {
            const AnswerRow& a = kept.answers[i];
            const AnswerRow& b = scanned.answers[i];
            ASSERT_TRUE(a.questionNo == b.questionNo && a.answerNo == b.answerNo && a.answerText == b.answerText &&
                        a.subjectCode == b.subjectCode && a.topicCode == b.topicCode && a.testCode == b.testCode &&
                        a.answerMark == b.answerMark)
                << "answer " << i << " with a limit of " << limit;
        }
    }
}

TEST(Dictionary, CreatedWhenMissingReadInEitherEncodingOfferedSorted)
{
    TempHome t;
    const QString path = dictionaryPath(t.path("S"));
    t.write("S/x", {});
    ensureDictionary(path);
    EXPECT_EQ(readDictionary(path), QStringList{QStringLiteral("ключевые слова")});
    writeTextLines(path, {QStringLiteral("яблоко")});
    ensureDictionary(path); // an existing dictionary is left alone
    EXPECT_EQ(readDictionary(path), QStringList{QStringLiteral("яблоко")});

    // Written by another program in UTF-8, with a BOM and empty lines.
    t.write("S/Slovar.txt", QStringLiteral("\uFEFFкорень\r\n\r\nБезударн\n  ель \n").toUtf8());
    const QStringList lines = readDictionary(path);
    EXPECT_EQ(lines, (QStringList{"корень", "", "Безударн", "  ель "}));
    EXPECT_EQ(keywordItems(lines), (QStringList{"Безударн", "ель", "корень"}));
    writeDictionary(path, keywordItems(lines));
    EXPECT_EQ(t.read("S/Slovar.txt"), cp(QStringLiteral("Безударн\r\nель\r\nкорень\r\n")));
}
