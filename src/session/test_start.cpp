// The shared tail of every start, and the topic as a source of questions.
#include "session/test_start.h"

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
quint64 packedQuestionKey(quint32 test, quint32 number)
{
    return quint64(test) << 32 | number;
}

// The keys of the questions kept, for a membership test per answer: a flat
// open-addressing table, at most half full, so that a miss costs about one
// probe.
class KeySet {
public:
    explicit KeySet(const std::vector<quint64>& keys)
    {
        size_t size = 16;
        while (size < keys.size() * 2)
            size *= 2;
        slots_.assign(size, kEmpty);
        mask_ = size - 1;
        for (const quint64 key : keys) {
            if (key == kEmpty)
                continue; // codes too long for any record: nothing to find
            size_t i = slot(key);
            while (slots_[i] != kEmpty && slots_[i] != key)
                i = (i + 1) & mask_;
            slots_[i] = key;
        }
    }

    bool contains(quint64 key) const
    {
        for (size_t i = slot(key);; i = (i + 1) & mask_) {
            if (slots_[i] == key)
                return true;
            if (slots_[i] == kEmpty)
                return false;
        }
    }

private:
    // No record's key has all bits set (the length bytes of its codes are at
    // most 3).
    static constexpr quint64 kEmpty = ~quint64(0);
    size_t slot(quint64 key) const { return size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & mask_; }

    std::vector<quint64> slots_;
    size_t mask_ = 0;
};

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
    std::vector<quint64> keys;
    keys.reserve(data.questions.size());
    for (const QuestionRow& q : data.questions)
        keys.push_back(packedQuestionKey(packedCode(q.testCode), packedCode(q.questionNo)));
    const KeySet kept(keys);
    const TopicCodes answersOf(layouts::otwet, otwet::SubjectCode, otwet::TopicCode, request.subjectCode,
                               request.topicCode);
    const FieldLayout& testField = layouts::otwet.field(otwet::TestCode);
    const FieldLayout& numberField = layouts::otwet.field(otwet::QuestionNo);
    RecordScanner(layouts::otwet).scan(otwetPath, [&](int, const RecordView& r) {
        if (!answersOf.matches(r))
            return;
        const char* record = r.bytes().data();
        if (kept.contains(packedQuestionKey(packedCode(record, testField), packedCode(record, numberField))))
            data.answers.push_back(answerRow(AnswerRecord::decode(r)));
    }, progress);
    return data;
}

} // namespace tavel
