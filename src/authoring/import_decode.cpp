// Decoding the import grid into a topic, questions and answers.
#include "authoring/import_decode.h"

#include "authoring/import_text.h"
#include "storage/error.h"
#include "storage/text.h"

#include <charconv>

namespace tavel::import {
namespace {

const QString kDeletionMark = QStringLiteral("Уд");

// `view` as a string, sharing `whole` when it is all of it.
QString textOf(QStringView view, const QString& whole)
{
    return view.size() == whole.size() ? whole : view.toString();
}

// The text after the first `mark` when it stands at position 1 to 4, trimmed;
// the whole line otherwise. "12. Сколько?" -> "Сколько?"; "1234. Текст" stays.
QString afterNumber(QStringView line, QChar mark, const QString& cell)
{
    const qsizetype p = line.first(std::min<qsizetype>(line.size(), 4)).indexOf(mark);
    return textOf(p >= 0 ? trimmedView(line.sliced(p + 1)) : line, cell);
}

// Whether `text` is `n` in decimal, as QString::number writes it.
bool isDecimalOf(QStringView text, int n)
{
    char digits[16];
    const auto [end, error] = std::to_chars(digits, digits + sizeof digits, n);
    return error == std::errc() && text == QLatin1StringView(digits, end - digits);
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

    // Room for every row at once: the grids of a large import are hundreds of
    // thousands of rows, and growing them step by step costs more than decoding.
    size_t questionCount = 0;
    for (size_t r = 1; r < rows.size(); ++r)
        if (trimmedView(rows[r].questionNo) != trimmedView(rows[r - 1].questionNo))
            ++questionCount;
    out.questions.reserve(questionCount + 1);
    out.answers.reserve(rows.size() - std::min(rows.size(), questionCount + 1));

    const QString section = QStringLiteral("1");
    const QString points = QStringLiteral("1");
    const int total = int(rows.size()) + 1;
    const int step = std::max(1, total / 100);
    QString number;
    int n = 0;
    for (size_t r = 1; r < rows.size(); ++r) {
        if (progress && r % size_t(step) == 0)
            progress(int(r), total);
        const QString& cell = rows[r].answerText;
        QStringView line = trimmedView(cell);
        line = line.first(std::min<qsizetype>(line.size(), kDecodeLineLimit));
        if (line.isEmpty())
            continue;
        // An answer before any question (only possible in a grid edited by
        // hand) is taken as a question, so that it is not lost.
        if (n == 0 || trimmedView(rows[r].questionNo) != trimmedView(rows[r - 1].questionNo)) {
            ++n;
            // The reader's number is shared when it is the same text, as it
            // mostly is: no string made per question.
            number = isDecimalOf(rows[r].questionNo, n) ? rows[r].questionNo : QString::number(n);
            QuestionRecord q;
            q.subjectCode = out.topic.subjectCode;
            q.topicCode = out.topic.topicCode;
            q.testCode = section;
            q.questionNo = number;
            q.questionText = afterNumber(line, QLatin1Char('.'), cell);
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
            a.answerText = afterNumber(line, QLatin1Char(')'), cell);
            out.answers.push_back(std::move(a));
        }
    }
    if (progress)
        progress(total, total);
    if (out.questions.empty())
        throw Error(QStringLiteral("В таблице импорта под заголовком нет ни одного вопроса: декодировать "
                                   "нечего; таблицы не изменены."));
    return out;
}

} // namespace tavel::import
