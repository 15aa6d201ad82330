// The shared tail of every start, and the topic as a source of questions.
#include "session/test_start.h"

#include "storage/code_lookup.h"
#include "storage/error.h"
#include "storage/record_scan.h"
#include "storage/text.h"

#include <QSet>
#include <algorithm>
#include <vector>

namespace tavel {
namespace {

QString questionKey(const QString& subject, const QString& topic, const QString& test, const QString& number)
{
    return subject + QChar(u'\x1f') + topic + QChar(u'\x1f') + test + QChar(u'\x1f') + number;
}

// Keys, order, limit, points and minutes of a start; no answers yet.
StartData selectQuestions(StartSource& source, RandomSource& random)
{
    StartData data;
    data.questions = std::move(source.candidates);
    for (QuestionRow& row : data.questions) {
        row.key = shuffleKey(random, source.keyMultiplier);
        row.mark = kPendingMark;
    }
    if (source.shuffle)
        sortByKey(data.questions);
    applyLimit(data.questions, source.questionLimit);

    const PointsSum sum = totalPoints(data.questions);
    if (!sum.ok())
        throw Error(sum.error);
    data.totalPoints = sum.total;
    data.limitTime = limitMinutes(source.maxTime, int(data.questions.size()));
    data.title = std::move(source.title);
    data.packageName = std::move(source.packageName);
    return data;
}

} // namespace

StartData buildStart(StartSource source, RandomSource& random)
{
    StartData data = selectQuestions(source, random);
    QSet<QString> kept;
    kept.reserve(qsizetype(data.questions.size()));
    for (const QuestionRow& q : data.questions)
        kept.insert(questionKey(q.subjectCode, q.topicCode, q.testCode, q.questionNo));
    data.answers.reserve(source.answers.size());
    for (AnswerRow& a : source.answers)
        if (kept.contains(questionKey(a.subjectCode, a.topicCode, a.testCode, a.questionNo)))
            data.answers.push_back(std::move(a));
    return data;
}

StartData prepareTopic(const InstallFolder& home, const StartRequest& request, RandomSource& random,
                       const ScanProgress& progress)
{
    const QString folder = trimmed(request.folderName);
    const QString woprosPath = home.path(QString(folder + QStringLiteral("\\Wopros.dat")));
    const QString otwetPath = home.path(QString(folder + QStringLiteral("\\Otwet.dat")));

    // The topic's questions whose ordinal (counted from 1 over the topic's
    // questions in file order) lies in the inclusive range; only those are
    // decoded.
    StartSource source;
    const qint64 first = std::max<qint64>(1, request.firstOrdinal);
    const qint64 last = request.lastOrdinal;
    qint64 ordinal = 0;
    const TopicCodes questionsOf(layouts::wopros, wopros::SubjectCode, wopros::TopicCode, request.subjectCode,
                                 request.topicCode);
    // The questions of a topic lie one after another: a run of records with
    // the same leading code bytes is judged once, and counted, not visited,
    // outside the range.
    HeadRuns topicRuns(layouts::wopros, {wopros::SubjectCode, wopros::TopicCode});
    const int questionSize = layouts::wopros.size;
    bool inTopic = false;
    RecordScanner(layouts::wopros).scanBlocks(woprosPath, [&](int, const char* records, int count) {
        topicRuns.forEachRun(records, count, questionSize, [&](const char* run, int, int n, bool starts) {
            if (starts)
                inTopic = questionsOf.matches(RecordView(layouts::wopros, QByteArrayView(run, questionSize)));
            if (!inTopic)
                return;
            const qint64 from = std::max(first, ordinal + 1);
            const qint64 to = std::min(last, ordinal + n);
            for (qint64 k = from; k <= to; ++k)
                source.candidates.push_back(questionRow(
                    RecordView(layouts::wopros, QByteArrayView(run + (k - ordinal - 1) * questionSize, questionSize))));
            ordinal += n;
        });
    }, progress);

    source.shuffle = request.shuffle;
    source.questionLimit = request.questionLimit;
    source.maxTime = request.maxTime;
    source.keyMultiplier = request.keyMultiplier;
    source.title = request.topicName;
    StartData data = selectQuestions(source, random);

    // Only the answers of the questions kept are decoded: a topic of many
    // thousands of questions asks at most the limit of them.
    const quint32 subject = packedCode(request.subjectCode);
    const quint32 topic = packedCode(request.topicCode);
    // A quarter full at most: most answers are not kept, and a key that is
    // not there is then told at the first look.
    CodeLookup<PackedQuestionKey> kept(2 * data.questions.size());
    for (const QuestionRow& q : data.questions)
        kept.insert(packedQuestionKey(subject, topic, packedCode(q.testCode), packedCode(q.questionNo)), 0);
    const QuestionFields answerCodes(layouts::otwet, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode,
                                     otwet::QuestionNo);
    // The answers of one question lie one after another, and whether an
    // answer is kept depends only on the bytes of its four codes, which lead
    // the record: a run of answers with the same leading bytes is judged
    // once.
    HeadRuns runs(layouts::otwet, {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo});
    const int size = layouts::otwet.size;
    bool keep = false;
    QByteArray answers; // the records of the answers kept, decoded after the scan
    RecordScanner(layouts::otwet).scanBlocks(otwetPath, [&](int, const char* records, int count) {
        runs.forEachRun(records, count, size, [&](const char* run, int, int n, bool starts) {
            if (starts)
                keep = kept.contains(answerCodes.key(run));
            if (keep)
                answers.append(run, qsizetype(n) * size);
        });
    }, progress);
    AnswerRowMaker().appendRows(answers, data.answers);
    return data;
}

} // namespace tavel
