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

// The section code and number of a question, packed: the key its answers
// carry within the topic.
quint64 sectionAndNumber(quint32 test, quint32 number)
{
    return quint64(test) << 32 | number;
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
    RecordScanner(layouts::wopros).scan(woprosPath, [&](int, const RecordView& r) {
        if (!questionsOf.matches(r))
            return;
        ++ordinal;
        if (ordinal >= first && ordinal <= last)
            source.candidates.push_back(questionRow(QuestionRecord::decode(r), QString()));
    }, progress);

    source.shuffle = request.shuffle;
    source.questionLimit = request.questionLimit;
    source.maxTime = request.maxTime;
    source.keyMultiplier = request.keyMultiplier;
    source.title = request.topicName;
    StartData data = selectQuestions(source, random);

    // Only the answers of the questions kept are decoded: a topic of many
    // thousands of questions asks at most the limit of them.
    CodeLookup<quint64> kept(data.questions.size());
    for (const QuestionRow& q : data.questions)
        kept.insert(sectionAndNumber(packedCode(q.testCode), packedCode(q.questionNo)), 0);
    const TopicCodes answersOf(layouts::otwet, otwet::SubjectCode, otwet::TopicCode, request.subjectCode,
                               request.topicCode);
    const FieldLayout& testField = layouts::otwet.field(otwet::TestCode);
    const FieldLayout& numberField = layouts::otwet.field(otwet::QuestionNo);
    // The answers of one question lie one after another, and whether an
    // answer is kept depends only on the bytes of its four codes, which lead
    // the record: an answer whose leading bytes equal the previous one's gets
    // the previous decision without looking at its codes again.
    HeadRuns runs(layouts::otwet, {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo});
    bool previousKept = false;
    RecordScanner(layouts::otwet).scan(otwetPath, [&](int, const RecordView& r) {
        const char* record = r.bytes().data();
        if (runs.startsRun(record))
            previousKept = answersOf.matches(r) &&
                           kept.contains(sectionAndNumber(packedCode(record, testField), packedCode(record, numberField)));
        if (previousKept)
            data.answers.push_back(answerRow(AnswerRecord::decode(r)));
    }, progress);
    return data;
}

} // namespace tavel
