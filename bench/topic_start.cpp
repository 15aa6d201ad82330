// The topic started by the benchmarks, and Start itself.
#include "topic_start.h"

#include "platform/windows/gauge_progress.h"
#include "session/presentation.h"
#include "storage/error.h"
#include "storage/shared_files.h"

#include <QDateTime>
#include <benchmark/benchmark.h>

namespace tavel::bench {

StartRequest middleTopicRequest(const QString& home, const QString& folderName)
{
    const QString folder = home + QLatin1Char('/') + folderName;
    const std::vector<TopicRecord> topics = readRecords<TopicRecord>(subjectFile(folder, subject_files::topics));
    if (topics.empty())
        throw Error(QStringLiteral("В предмете %1 нет тем").arg(folder));
    const TopicRecord& topic = topics[topics.size() / 2];
    StartRequest request;
    request.folderName = folderName;
    request.subjectCode = topic.subjectCode;
    request.topicCode = topic.topicCode;
    request.topicName = topic.topicName;
    return request;
}

SessionState startTopic(const QString& home, const StartRequest& request, QProgressBar& gauge, RandomSource& random)
{
    GaugeProgress progress(&gauge);
    StartData data = prepareTopic(InstallFolder(home), request, random,
                                  [&progress](int done, int total) { progress(done, total); });
    if (data.questions.empty() || data.answers.empty())
        throw Error(QStringLiteral("Старт не нашёл в теме вопросов или ответов"));
    SessionState session;
    tavel::startTopic(session, std::move(data), QDateTime::currentDateTime());
    const Presentation first = present(session.questions.front(), session.answers, TimeSettings{});
    benchmark::DoNotOptimize(first.variants.data());
    return session;
}

} // namespace tavel::bench
