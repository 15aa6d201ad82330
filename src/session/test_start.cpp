// The shared tail of every start, and the topic as a source of questions.
#include "session/test_start.h"

#include "storage/error.h"
#include "storage/text.h"

#include <QFileInfo>
#include <QSet>

namespace tavel {
namespace {

RecordFile readOrEmpty(const QString& path, const RecordLayout& layout)
{
    // A subject's files are created empty when the subject is opened; one that
    // is missing all the same holds no records.
    if (!QFileInfo::exists(path))
        return RecordFile();
    return RecordFile::read(path, layout);
}

QString questionKey(const QString& subject, const QString& topic, const QString& test, const QString& number)
{
    return subject + QChar(u'\x1f') + topic + QChar(u'\x1f') + test + QChar(u'\x1f') + number;
}

} // namespace

StartData buildStart(StartSource source, RandomSource& random)
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

    QSet<QString> kept;
    kept.reserve(qsizetype(data.questions.size()));
    for (const QuestionRow& q : data.questions)
        kept.insert(questionKey(q.subjectCode, q.topicCode, q.testCode, q.questionNo));
    data.answers.reserve(source.answers.size());
    for (AnswerRow& a : source.answers)
        if (kept.contains(questionKey(a.subjectCode, a.topicCode, a.testCode, a.questionNo)))
            data.answers.push_back(std::move(a));

    data.title = std::move(source.title);
    data.packageName = std::move(source.packageName);
    return data;
}

StartData prepareTopic(const InstallFolder& home, const StartRequest& request, RandomSource& random,
                       const ScanProgress& progress)
{
    const QString folder = trimmed(request.folderName);
    const QString woprosPath = home.path(QString(folder + QStringLiteral("\\Wopros.dat")));
    const QString otwetPath = home.path(QString(folder + QStringLiteral("\\Otwet.dat")));

    StartSource source;
    const RecordFile wopros = readOrEmpty(woprosPath, QuestionRecord::layout());
    if (wopros.count() > 0) {
        const std::vector<int> ofTopic = recordsOfTopic(wopros, wopros::SubjectCode, wopros::TopicCode,
                                                        request.subjectCode, request.topicCode, progress);
        // Ordinals count the topic's questions from 1; the range is inclusive.
        const qint64 first = std::max<qint64>(1, request.firstOrdinal);
        const qint64 last = std::min<qint64>(qint64(ofTopic.size()), request.lastOrdinal);
        for (qint64 ordinal = first; ordinal <= last; ++ordinal)
            source.candidates.push_back(
                questionRow(QuestionRecord::decode(wopros.at(ofTopic[size_t(ordinal - 1)])), QString()));
    } else if (progress) {
        progress(0, 0);
    }

    const RecordFile otwet = readOrEmpty(otwetPath, AnswerRecord::layout());
    if (otwet.count() > 0) {
        const std::vector<int> answers = recordsOfTopic(otwet, otwet::SubjectCode, otwet::TopicCode,
                                                        request.subjectCode, request.topicCode, progress);
        source.answers.reserve(answers.size());
        for (int i : answers)
            source.answers.push_back(answerRow(AnswerRecord::decode(otwet.at(i))));
    } else if (progress) {
        progress(0, 0);
    }

    source.shuffle = request.shuffle;
    source.questionLimit = request.questionLimit;
    source.maxTime = request.maxTime;
    source.keyMultiplier = request.keyMultiplier;
    source.title = request.topicName;
    return buildStart(std::move(source), random);
}

} // namespace tavel
