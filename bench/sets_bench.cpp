// tavel-sets-bench: the package exam (10 questions drawn from each of the
// 100 topics of the large subject) and a two-keyword set over the whole
// subject, each through the code the main window's commands call (read the
// files, gather the set, write Temp.dat, make the candidates of the one
// start), measured beside the floor: the bytes of the same files read through
// one reused buffer (floor.h). bench/run turns the times into ratios.
#include "floor.h"
#include "generate_subject.h"

#include "platform/random.h"
#include "sets/keyword_set.h"
#include "sets/package_exam.h"
#include "sets/question_set.h"
#include "storage/error.h"
#include "storage/shared_files.h"

#include <QElapsedTimer>
#include <climits>
#include <cstdio>

namespace {

using namespace tavel;

struct Subject {
    QString folder;
    QString exam;    // Exam.dat with the real totals ("Надо" 1)
    QString package; // Exam10.dat: 10 wanted from every topic
    QString tema;
    QString wopros;
    QString otwet;
    QString temp;
    int topics = 0;
};
Subject g_subject;

void BM_PackageExam(benchmark::State& state)
{
    UniformRandom random(11);
    bench::guarded(state, [&] { for (auto _ : state) {
        const PackageFile package = readPackage(g_subject.package);
        const PackageDraw draw = drawPackage(package, g_subject.wopros, true, random);
        writeTempFile(g_subject.temp, draw.questions);
        const SetCandidates candidates = setCandidates(draw.questions, g_subject.otwet, 1, INT_MAX, 5000);
        if (int(candidates.questions.size()) != 10 * g_subject.topics || candidates.answers.empty()) {
            state.SkipWithError("the package exam drew another number of questions than was wanted");
            break;
        }
        benchmark::DoNotOptimize(candidates.answers.data());
    } });
}
BENCHMARK(BM_PackageExam)->Unit(benchmark::kMillisecond);

void BM_ReadPackageFiles(benchmark::State& state)
{
    bench::readFloor(state, {g_subject.package, g_subject.wopros, g_subject.otwet});
}
BENCHMARK(BM_ReadPackageFiles)->Unit(benchmark::kMillisecond);

void BM_KeywordSet(benchmark::State& state)
{
    size_t found = 0;
    bench::guarded(state, [&] { for (auto _ : state) {
        const PackageFile exam = readPackage(g_subject.exam);
        const KeywordFiles files{g_subject.exam, exam.rows, g_subject.tema, g_subject.wopros, g_subject.otwet};
        AnswerCodes answerCodes;
        const QuestionSet set =
            buildKeywordSet(files, TopicKind::Any, QStringLiteral("Закон"), QStringLiteral("энерги"), &answerCodes);
        writeTempFile(g_subject.temp, set);
        const SetCandidates candidates = setCandidates(set, g_subject.otwet, 1, INT_MAX, 500, &answerCodes);
        if (set.empty()) {
            state.SkipWithError("the keywords found nothing");
            break;
        }
        found = set.size();
        benchmark::DoNotOptimize(candidates.answers.data());
    } });
    state.counters["found"] = double(found);
}
BENCHMARK(BM_KeywordSet)->Unit(benchmark::kMillisecond);

void BM_ReadKeywordFiles(benchmark::State& state)
{
    bench::readFloor(state, {g_subject.exam, g_subject.tema, g_subject.wopros, g_subject.otwet});
}
BENCHMARK(BM_ReadKeywordFiles)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv, [](const QString& dir) {
        QElapsedTimer clock;
        clock.start();
        const bench::GeneratedSubject subject = bench::generateSubject(dir + QStringLiteral("/Big"));
        g_subject.folder = subject.folder;
        g_subject.exam = subjectFile(subject.folder, subject_files::package);
        g_subject.package = subjectFile(subject.folder, u"Exam10.dat");
        g_subject.tema = subjectFile(subject.folder, subject_files::topics);
        g_subject.wopros = subjectFile(subject.folder, subject_files::questions);
        g_subject.otwet = subjectFile(subject.folder, subject_files::answers);
        g_subject.temp = subjectFile(subject.folder, subject_files::temp);
        g_subject.topics = int(subject.topics.size());
        // The default package with the real totals, and a package wanting 10
        // from every topic.
        PackageRows exam;
        PackageRows ten;
        for (size_t i = 0; i < subject.topics.size(); ++i) {
            const TopicRecord& t = subject.topics[i];
            const QString total = QString::number(subject.questionsPerTopic[i]);
            exam.push_back({t.subjectCode, t.topicCode, t.topicName, total, QStringLiteral("1")});
            ten.push_back({t.subjectCode, t.topicCode, t.topicName, total, QStringLiteral("10")});
        }
        savePackage(g_subject.exam, exam);
        savePackage(g_subject.package, ten);
        std::fprintf(stderr, "Subject generated in %s (%lld ms)\n", qPrintable(dir), qlonglong(clock.elapsed()));
    });
}
