// tavel-bench: the selection of one topic's questions and answers from a large
// subject (read Wopros.dat and Otwet.dat, keep the records of the topic), and
// the Start of a topic test through the code the main window calls, each
// measured beside a baseline that only reads the bytes of the same two files.
// bench/run turns the two times into the ratio it prints.
#include "generate_subject.h"

#include "platform/random.h"
#include "session/presentation.h"
#include "session/test_start.h"
#include "storage/error.h"
#include "storage/shared_files.h"
#include "storage/topic_scan.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace tavel;

// The subject every benchmark works on, generated once at start.
struct Subject {
    QString home;       // the installation folder holding the subject folder
    QString folderName; // the subject folder's name
    QString wopros;
    QString otwet;
    QString subjectCode;
    QString topicCode;
    size_t questions = 0; // of the topic, as generated
    size_t answers = 0;
};
Subject g_subject;

// What Start hands the scan: a progress callback that moves a gauge.
int g_gauge = 0;
const ScanProgress kGauge = [](int done, int) { benchmark::DoNotOptimize(g_gauge = done); };

struct TopicRecords {
    std::vector<QuestionRecord> questions;
    std::vector<AnswerRecord> answers;
};

TopicRecords scanTopic()
{
    const RecordFile wopros = RecordFile::read(g_subject.wopros, layouts::wopros);
    const RecordFile otwet = RecordFile::read(g_subject.otwet, layouts::otwet);
    return {questionsOfTopic(wopros, g_subject.subjectCode, g_subject.topicCode, kGauge),
            answersOfTopic(otwet, g_subject.subjectCode, g_subject.topicCode, kGauge)};
}

QByteArray readAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть файл %1").arg(path));
    return file.readAll();
}

// A failing read ends the benchmark with the message instead of the program.
template <class Body>
void guarded(benchmark::State& state, Body body)
{
    try {
        body();
    } catch (const Error& e) {
        state.SkipWithError(e.what());
    }
}

void BM_TopicScan(benchmark::State& state)
{
    guarded(state, [&] { for (auto _ : state) {
        TopicRecords topic = scanTopic();
        benchmark::DoNotOptimize(topic.questions.data());
        benchmark::DoNotOptimize(topic.answers.data());
        if (topic.questions.size() != g_subject.questions || topic.answers.size() != g_subject.answers) {
            state.SkipWithError("the scan found another number of records than were generated");
            break;
        }
    } });
    state.counters["questions"] = double(g_subject.questions);
    state.counters["answers"] = double(g_subject.answers);
}
BENCHMARK(BM_TopicScan)->Unit(benchmark::kMillisecond);

// Start of a topic test as the main window runs it: the question list
// (range 1..500, shuffled, cut to the limit of 500) and the topic's answers
// built by prepareTopic, then the first question presented.
void BM_TopicStart(benchmark::State& state)
{
    const InstallFolder home(g_subject.home);
    StartRequest request;
    request.folderName = g_subject.folderName;
    request.subjectCode = g_subject.subjectCode;
    request.topicCode = g_subject.topicCode;
    UniformRandom random(7);
    guarded(state, [&] { for (auto _ : state) {
        const StartData data = prepareTopic(home, request, random, kGauge);
        if (data.questions.empty() || data.answers.size() != g_subject.answers) {
            state.SkipWithError("Start found another number of records than were generated");
            break;
        }
        const Presentation first = present(data.questions.front(), data.answers, TimeSettings{});
        benchmark::DoNotOptimize(first.variants.data());
    } });
}
BENCHMARK(BM_TopicStart)->Unit(benchmark::kMillisecond);

// The floor under any scan: the bytes of both files read once.
void BM_ReadBothFiles(benchmark::State& state)
{
    guarded(state, [&] { for (auto _ : state) {
        const QByteArray wopros = readAll(g_subject.wopros);
        const QByteArray otwet = readAll(g_subject.otwet);
        benchmark::DoNotOptimize(wopros.data());
        benchmark::DoNotOptimize(otwet.data());
        if (wopros.isEmpty() || otwet.isEmpty()) {
            state.SkipWithError("a subject file is empty");
            break;
        }
    } });
}
BENCHMARK(BM_ReadBothFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;

    QTemporaryDir dir;
    if (!dir.isValid()) {
        std::fprintf(stderr, "Не удалось создать временную папку: %s\n", qPrintable(dir.errorString()));
        return 1;
    }
    try {
        QElapsedTimer clock;
        clock.start();
        const bench::GeneratedSubject subject = bench::generateSubject(dir.path());
        const int topic = subject.middleTopic();
        g_subject.home = QFileInfo(subject.folder).absolutePath();
        g_subject.folderName = QFileInfo(subject.folder).fileName();
        g_subject.wopros = subjectFile(subject.folder, subject_files::questions);
        g_subject.otwet = subjectFile(subject.folder, subject_files::answers);
        g_subject.subjectCode = subject.subjectCode;
        g_subject.topicCode = subject.topics[size_t(topic)].topicCode;
        g_subject.questions = size_t(subject.questionsPerTopic[size_t(topic)]);
        g_subject.answers = size_t(subject.answersPerTopic[size_t(topic)]);
        std::fprintf(stderr, "Subject generated in %s (%lld ms); topic %s: %zu questions, %zu answers\n",
                     qPrintable(dir.path()), qlonglong(clock.elapsed()), qPrintable(g_subject.topicCode),
                     g_subject.questions, g_subject.answers);
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
