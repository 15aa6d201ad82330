// tavel-bench: Start of a topic test as the main window runs it, on three
// shapes of a large subject, each beside the floor: the bytes of the same two
// files read through one reused buffer. bench/run turns the times into the
// ratios it prints.
//
// The subjects are generated once into the folder `subjects` beside this
// program (the bench build folder) and kept there; a stamp file names the
// shape, and a subject whose stamp differs is generated again.
#include "floor.h"
#include "generate_subject.h"
#include "topic_start.h"

#include "storage/error.h"
#include "storage/shared_files.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProgressBar>
#include <cstdio>

namespace {

using namespace tavel;

struct Shape {
    const char* name; // the benchmark names' suffix
    bench::SubjectShape shape;
};

// The three shapes: many topics of a usual size, one topic holding the whole
// subject, and a subject ten times larger (999 topics: a topic code holds at
// most three characters).
const Shape kShapes[] = {
    {"Wide", {100, 100'000, 400'000}},
    {"One", {1, 100'000, 400'000}},
    {"Big", {999, 1'000'000, 4'000'000}},
};

// A generated subject and the topic the benchmarks start: the middle one.
struct Subject {
    QString home;       // the installation folder holding the subject folder
    QString folderName; // the subject folder's name
    QStringList files;  // Wopros.dat and Otwet.dat, what Start reads
    StartRequest request;
};

QString stampOf(const bench::SubjectShape& shape)
{
    // "keys 2": question numbers unique within a topic's section (the
    // generator before it let them repeat).
    return QStringLiteral("topics %1 questions %2 answers %3 seed %4 code '%5' keys 2\n")
        .arg(shape.topics)
        .arg(shape.questions)
        .arg(shape.answers)
        .arg(shape.seed)
        .arg(shape.subjectCode);
}

// The subject of `shape` under `root`, generated when its stamp is missing or
// differs. The topic chosen is the middle one of Tema.dat.
Subject prepareSubject(const QString& root, const Shape& shape)
{
    const QString folder = root + QLatin1Char('/') + QLatin1String(shape.name);
    const QString stampPath = folder + QStringLiteral("/shape.txt");
    const QString stamp = stampOf(shape.shape);
    QFile stampFile(stampPath);
    const bool fresh = stampFile.open(QIODevice::ReadOnly) && QString::fromUtf8(stampFile.readAll()) == stamp;
    stampFile.close();
    if (!fresh) {
        QElapsedTimer clock;
        clock.start();
        QFile::remove(stampPath);
        bench::generateSubject(folder, shape.shape);
        if (!stampFile.open(QIODevice::WriteOnly) || stampFile.write(stamp.toUtf8()) < 0)
            throw Error(QStringLiteral("Не удалось записать файл %1").arg(stampPath));
        std::fprintf(stderr, "Subject %s generated in %s (%lld ms)\n", shape.name, qPrintable(folder),
                     qlonglong(clock.elapsed()));
    }

    Subject subject;
    subject.home = root;
    subject.folderName = QLatin1String(shape.name);
    subject.files = {subjectFile(folder, subject_files::questions), subjectFile(folder, subject_files::answers)};
    subject.request = bench::middleTopicRequest(root, subject.folderName);
    return subject;
}

void registerShape(const Subject& subject, QProgressBar& gauge, const char* name)
{
    benchmark::RegisterBenchmark((std::string("BM_TopicStart") + name).c_str(),
                                 [subject, &gauge](benchmark::State& state) {
                                     UniformRandom random(7);
                                     bench::guarded(state, [&] {
                                         for (auto _ : state)
                                             bench::startTopic(subject.home, subject.request, gauge, random);
                                     });
                                 })
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark((std::string("BM_Floor") + name).c_str(),
                                 [files = subject.files](benchmark::State& state) { bench::readFloor(state, files); })
        ->Unit(benchmark::kMillisecond);
}

} // namespace

int main(int argc, char** argv)
{
    // A real gauge, repainted as the main window's is, on the offscreen
    // platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QProgressBar gauge;
    gauge.resize(200, 20);
    gauge.show();

    const QString root = QCoreApplication::applicationDirPath() + QStringLiteral("/subjects");
    return bench::runBenchmarks(argc, argv, [&](const QString&) {
        for (const Shape& shape : kShapes)
            registerShape(prepareSubject(root, shape), gauge, shape.name);
    });
}
