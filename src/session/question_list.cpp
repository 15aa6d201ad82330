// Building the question list and the answer table of a topic test.
#include "session/question_list.h"

#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/question_keys.h"
#include "storage/text.h"

#include <QFileInfo>
#include <cmath>
#include <map>
#include <set>

namespace tavel {

QString QuestionRow::systemNumber() const
{
    return tavel::systemNumber(subjectCode, topicCode, testCode, questionNo);
}

bool AnswerRow::belongsTo(const QuestionRow& q) const
{
    // QuestionNo first: within one topic it tells rows apart soonest.
    return questionNo == q.questionNo && testCode == q.testCode && topicCode == q.topicCode
           && subjectCode == q.subjectCode;
}

QuestionRow questionRow(const QuestionRecord& r, const QString& key)
{
    QuestionRow row;
    row.subjectCode = trimmed(r.subjectCode);
    row.topicCode = trimmed(r.topicCode);
    row.testCode = trimmed(r.testCode);
    row.questionNo = trimmed(r.questionNo);
    row.questionText = trimmed(r.questionText);
    row.key = key;
    row.points = trimmed(r.points);
    return row;
}

AnswerRow answerRow(const AnswerRecord& r)
{
    return AnswerRow{trimmed(r.subjectCode), trimmed(r.topicCode), trimmed(r.testCode), trimmed(r.questionNo),
                     trimmed(r.answerNo),    trimmed(r.answerMark), trimmed(r.answerText)};
}

QString shuffleKey(RandomSource& random, int multiplier)
{
    return QString::number(qint64(std::nearbyint(random.next() * multiplier)));
}

void sortByKey(QuestionList& rows)
{
    // Simulates the selection sort exactly: per key (as Windows-1251 bytes,
    // compared unsigned) the set of positions at or before p holding it.
    const int n = int(rows.size());
    std::vector<QByteArray> keys(rows.size());
    std::map<QByteArray, std::set<int>> where;
    for (int i = 0; i < n; ++i) {
        keys[size_t(i)] = cp1251::encode(rows[size_t(i)].key);
        where[keys[size_t(i)]].insert(i);
    }
    for (int p = n - 1; p > 0; --p) {
        const auto largest = std::prev(where.end());
        const QByteArray maxKey = largest->first;
        const int first = *largest->second.begin();
        largest->second.erase(first);
        if (first != p) {
            const QByteArray& movedKey = keys[size_t(p)];
            auto& moved = where[movedKey];
            moved.erase(p);
            moved.insert(first);
            std::swap(rows[size_t(first)], rows[size_t(p)]);
            std::swap(keys[size_t(first)], keys[size_t(p)]);
        }
        const auto again = where.find(maxKey);
        if (again != where.end() && again->second.empty())
            where.erase(again);
    }
}

void applyLimit(QuestionList& rows, int limit)
{
    const size_t keep = size_t(std::max(0, limit));
    if (rows.size() > keep)
        rows.resize(keep);
}

PointsSum totalPoints(const QuestionList& rows)
{
    PointsSum sum;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString points = trimmed(rows[i].points);
        if (points.isEmpty())
            continue;
        bool ok = false;
        const int value = points.toInt(&ok);
        if (!ok) {
            sum.badRow = int(i);
            sum.error = QStringLiteral("Баллы вопроса %1 (%2-й в списке) записаны как «%3», а это не целое число. "
                                       "В сумму баллов вошли только вопросы до него: %4.")
                            .arg(rows[i].systemNumber())
                            .arg(i + 1)
                            .arg(points)
                            .arg(sum.total);
            return sum;
        }
        sum.total += value;
    }
    return sum;
}

int limitMinutes(int maxTime, int questionCount)
{
    return maxTime != 0 ? maxTime : questionCount;
}

namespace {

RecordFile readOrEmpty(const QString& path, const RecordLayout& layout)
{
    // A subject's files are created empty when the subject is opened; one that
    // is missing all the same holds no records.
    if (!QFileInfo::exists(path))
        return RecordFile();
    return RecordFile::read(path, layout);
}

} // namespace

StartData prepareTopic(const InstallFolder& home, const StartRequest& request, RandomSource& random,
                       const ScanProgress& progress)
{
    const QString folder = trimmed(request.folderName);
    const QString woprosPath = home.path(QString(folder + QStringLiteral("\\Wopros.dat")));
    const QString otwetPath = home.path(QString(folder + QStringLiteral("\\Otwet.dat")));

    StartData data;
    const RecordFile wopros = readOrEmpty(woprosPath, QuestionRecord::layout());
    if (wopros.count() > 0) {
        const std::vector<int> ofTopic = recordsOfTopic(wopros, wopros::SubjectCode, wopros::TopicCode,
                                                        request.subjectCode, request.topicCode, progress);
        // Ordinals count the topic's questions from 1; the range is inclusive.
        const qint64 first = std::max<qint64>(1, request.firstOrdinal);
        const qint64 last = std::min<qint64>(qint64(ofTopic.size()), request.lastOrdinal);
        for (qint64 ordinal = first; ordinal <= last; ++ordinal) {
            const QuestionRecord record = QuestionRecord::decode(wopros.at(ofTopic[size_t(ordinal - 1)]));
            data.questions.push_back(questionRow(record, shuffleKey(random, request.keyMultiplier)));
        }
    } else if (progress) {
        progress(0, 0);
    }
    if (request.shuffle)
        sortByKey(data.questions);
    applyLimit(data.questions, request.questionLimit);

    const PointsSum sum = totalPoints(data.questions);
    data.totalPoints = sum.total;
    data.pointsError = sum.error;
    data.limitTime = limitMinutes(request.maxTime, int(data.questions.size()));

    const RecordFile otwet = readOrEmpty(otwetPath, AnswerRecord::layout());
    if (otwet.count() > 0) {
        const std::vector<int> answers = recordsOfTopic(otwet, otwet::SubjectCode, otwet::TopicCode,
                                                        request.subjectCode, request.topicCode, progress);
        data.answers.reserve(answers.size());
        for (int i : answers)
            data.answers.push_back(answerRow(AnswerRecord::decode(otwet.at(i))));
    } else if (progress) {
        progress(0, 0);
    }
    return data;
}

} // namespace tavel
