// Decoding the import grid into a topic, questions and answers.
#include "authoring/import_decode.h"

#include "storage/error.h"
#include "storage/text.h"

namespace tavel::import {
namespace {

const QString kDeletionMark = QStringLiteral("Уд");

// The text after the first `mark` when it stands at position 1 to 4, trimmed;
// the whole line otherwise. "12. Сколько?" -> "Сколько?"; "1234. Текст" stays.
QString afterNumber(const QString& line, QChar mark)
{
    const qsizetype p = line.indexOf(mark);
    return p >= 0 && p <= 3 ? trimmed(QStringView(line).sliced(p + 1)) : line;
}

// Topic codes are stored in three characters.
constexpr int kLargestTopicCode = 999;

} // namespace

DecodeResult decodeImport(std::span<const ImportRow> rows, std::span<const TopicRecord> topics,
                          int questionRows, int answerRows, const DecodeProgress& progress)
{
    if (rows.empty())
        throw Error(QStringLiteral("Таблица импорта пуста: сначала прочитайте txt файл одной из кнопок "
                                   "группы «Читать txt файл»."));
    // Rows marked for deletion carry "Уд" instead of a subject code.
    const TopicRecord* last = nullptr;
    for (const TopicRecord& t : topics)
        if (trimmed(t.subjectCode) != kDeletionMark)
            last = &t;
    if (!last)
        throw Error(QStringLiteral("В таблице тем нет строки, не помеченной «Уд»: код предмета для "
                                   "новой темы взять неоткуда."));

    DecodeResult out;
    out.append = questionRows >= kAppendFromQuestionRows;
    out.topic.subjectCode = last->subjectCode;
    out.topic.topicName = trimmed(rows[0].answerText).left(kDecodeLineLimit);
    out.topic.topicCode = QStringLiteral("1");
    if (out.append) {
        int largest = 1;
        for (size_t i = 0; i < topics.size(); ++i) {
            const std::optional<int> code = wholeNumber(topics[i].topicCode);
            if (!code)
                throw Error(QStringLiteral("Строка %1 таблицы тем: код темы «%2» не целое число. Исправьте "
                                           "код (или удалите строку) и декодируйте снова; таблицы не "
                                           "изменены.")
                                .arg(i + 1)
                                .arg(topics[i].topicCode));
            largest = std::max(largest, *code);
        }
        if (largest >= kLargestTopicCode)
            throw Error(QStringLiteral("Код новой темы был бы %1, а код темы не длиннее трёх цифр; "
                                       "таблицы не изменены.")
                            .arg(qint64(largest) + 1));
        out.topic.topicCode = QString::number(largest + 1);
        out.keptQuestions = questionRows;
        out.keptAnswers = answerRows;
    }

    const QString section = QStringLiteral("1");
    const QString points = QStringLiteral("1");
    const int total = int(rows.size()) + 1;
    const int step = std::max(1, total / 100);
    QString number;
    int n = 0;
    for (size_t r = 1; r < rows.size(); ++r) {
        if (progress && r % size_t(step) == 0)
            progress(int(r), total);
        const QString line = trimmed(rows[r].answerText).left(kDecodeLineLimit);
        if (line.isEmpty())
            continue;
        // An answer before any question (only possible in a grid edited by
        // hand) is taken as a question, so that it is not lost.
        if (n == 0 || trimmed(rows[r].questionNo) != trimmed(rows[r - 1].questionNo)) {
            number = QString::number(++n);
            QuestionRecord q;
            q.subjectCode = out.topic.subjectCode;
            q.topicCode = out.topic.topicCode;
            q.testCode = section;
            q.questionNo = number;
            q.questionText = afterNumber(line, QLatin1Char('.'));
            q.points = points;
            out.questions.push_back(std::move(q));
        } else {
            // The answer belongs to the question above it, whatever number the
            // reader (or the teacher) put into its row.
            AnswerRecord a;
            a.subjectCode = out.topic.subjectCode;
            a.topicCode = out.topic.topicCode;
            a.testCode = section;
            a.questionNo = number;
            a.answerNo = rows[r].answerNo;
            a.answerMark = rows[r].answerMark;
            a.answerText = afterNumber(line, QLatin1Char(')'));
            out.answers.push_back(std::move(a));
        }
    }
    if (progress)
        progress(total, total);
    return out;
}

} // namespace tavel::import
