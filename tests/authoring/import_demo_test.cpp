// The demo's sample import files: each imports, decodes as a new topic of a
// demo subject, is saved and runs as a topic test with the kinds it was
// written for.
#include "authoring/import_decode.h"
#include "authoring/import_readers.h"
#include "authoring/import_text.h"
#include "session/presentation.h"
#include "session/question_list.h"
#include "support/temp_home.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace tavel;
using namespace tavel::import;

TEST(ImportDemo, EverySampleRunsAsATopicAfterSaving)
{
    struct Sample {
        const char* file;
        Layout layout;
        TextEncoding encoding;
        std::vector<QuestionKind> kinds;
        std::vector<int> right; // KPraw of each question
    } samples[] = {
        {"s_cifry.txt", Layout::Digit, TextEncoding::Utf8,
         {QuestionKind::TickBoxes, QuestionKind::TickBoxes, QuestionKind::Ranking, QuestionKind::TickBoxes,
          QuestionKind::TickBoxes},
         {1, 2, -1, 1, 1}},
        {"s_bukvy_w.txt", Layout::LetterW, TextEncoding::Utf8,
         {QuestionKind::TickBoxes, QuestionKind::TickBoxes, QuestionKind::TickBoxes, QuestionKind::TickBoxes},
         {1, 1, 2, 1}},
        {"iz_generatora.txt", Layout::Generator, TextEncoding::Utf8,
         {QuestionKind::TickBoxes, QuestionKind::TickBoxes, QuestionKind::TickBoxes},
         {1, 1, 1}},
        {"ege.txt", Layout::Ege, TextEncoding::Windows1251,
         {QuestionKind::TickBoxes, QuestionKind::TickBoxes, QuestionKind::ExactAnswer},
         {1, 1, -1}},
    };
    const QString demo = QStringLiteral(TAVEL_DEMO_DIR);
    const QString subject = demo + QStringLiteral("/Istoriy/");
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.file);
        test::TempHome home;
        const QString path = demo + QStringLiteral("/Import/") + QString::fromLatin1(s.file);
        const ImportText text = readImportFile(path);
        EXPECT_EQ(text.encoding, s.encoding);
        const ReadResult read =
            readLayout(s.layout, text.lines, path, home.path(QStringLiteral("EGE.dat")));
        ASSERT_TRUE(read.stop.isEmpty()) << read.stop.toStdString();

        std::vector<TopicRecord> topics = readRecords<TopicRecord>(subject + QStringLiteral("Tema.dat"));
        std::vector<QuestionRecord> questions = readRecords<QuestionRecord>(subject + QStringLiteral("Wopros.dat"));
        std::vector<AnswerRecord> answers = readRecords<AnswerRecord>(subject + QStringLiteral("Otwet.dat"));
        const DecodeResult d = decodeImport(read.rows, topics, int(questions.size()), int(answers.size()));
        ASSERT_TRUE(d.append);
        topics.push_back(d.topic);
        questions.insert(questions.end(), d.questions.begin(), d.questions.end());
        answers.insert(answers.end(), d.answers.begin(), d.answers.end());
        QDir().mkpath(home.path(QStringLiteral("Istoriy")));
        writeRecords(home.path(QStringLiteral("Istoriy/Tema.dat")), topics);
        writeRecords(home.path(QStringLiteral("Istoriy/Wopros.dat")), questions);
        writeRecords(home.path(QStringLiteral("Istoriy/Otwet.dat")), answers);

        StartRequest request;
        request.folderName = QStringLiteral("Istoriy");
        request.subjectCode = d.topic.subjectCode;
        request.topicCode = d.topic.topicCode;
        request.shuffle = false;
        UniformRandom random(1);
        const StartData start = prepareTopic(home.home(), request, random);
        ASSERT_EQ(start.questions.size(), s.kinds.size());
        for (size_t q = 0; q < start.questions.size(); ++q) {
            const Presentation p = present(start.questions[q], start.answers, TimeSettings{});
            EXPECT_EQ(p.kind, s.kinds[q]) << "question " << q + 1;
            EXPECT_GE(p.variantCount(), 1) << "question " << q + 1;
            if (s.right[q] >= 0)
                EXPECT_EQ(p.rightCount, s.right[q]) << "question " << q + 1;
            EXPECT_FALSE(p.shownText.isEmpty());
        }
    }
}
