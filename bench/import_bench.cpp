// tavel-import-bench: reading and decoding a 50 000-question import file of
// each layout (the file's text, the reader into the import grid's rows, the
// decoding into topic, question and answer rows with its progress on a gauge
// as the editor shows it) beside a baseline that only decodes the same file's
// bytes to text. bench/run prints the ratios.
#include "generate_import.h"

#include "authoring/import_decode.h"
#include "authoring/import_text.h"
#include "platform/windows/gauge_progress.h"
#include "storage/cp1251.h"

#include <QApplication>
#include <QProgressBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace tavel;
using namespace tavel::import;

constexpr int kQuestions = 50'000;

struct File {
    const char* name;
    Layout layout;
    QByteArray bytes;
};
std::vector<File> g_files;
QString g_work; // the EGE work file
QProgressBar* g_gauge = nullptr; // the editor's Gauge1

void importFile(benchmark::State& state, const File& file)
{
    const std::vector<TopicRecord> topics{{"1", "1", "Здесь должно быть название темы"}};
    for (auto _ : state) {
        const ImportText text = decodeImportText(file.bytes, QStringLiteral("bench.txt"));
        const ReadResult read = readLayout(file.layout, text.lines, QStringLiteral("bench.txt"), g_work);
        GaugeProgress gauge(g_gauge);
        const DecodeResult decoded =
            decodeImport(read.rows, topics, 1, 1, [&gauge](int done, int total) { gauge(done, total); });
        if (int(decoded.questions.size()) != kQuestions)
            state.SkipWithError("wrong question count");
        benchmark::DoNotOptimize(decoded.answers.data());
    }
}

void decodeBytes(benchmark::State& state, const File& file)
{
    for (auto _ : state) {
        const QString text = detectEncoding(file.bytes) == TextEncoding::Utf8 ? QString::fromUtf8(file.bytes)
                                                                              : cp1251::decode(file.bytes);
        benchmark::DoNotOptimize(text.constData());
    }
}

} // namespace

int main(int argc, char** argv)
{
    // A real gauge, repainted as the editor's is, on the offscreen platform.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QProgressBar gauge;
    gauge.resize(200, 20);
    gauge.show();
    g_gauge = &gauge;

    QTemporaryDir dir;
    g_work = dir.filePath(QStringLiteral("EGE.dat"));
    // UTF-8, as a teacher on Linux saves a file.
    g_files = {{"Digit", Layout::Digit, {}}, {"LetterW", Layout::LetterW, {}},
               {"Generator", Layout::Generator, {}}, {"Ege", Layout::Ege, {}}};
    for (File& f : g_files) {
        f.bytes = bench::importFileText(f.layout, kQuestions).toUtf8();
        std::printf("%s: %.1f MB\n", f.name, double(f.bytes.size()) / 1e6);
    }
    for (const File& f : g_files) {
        benchmark::RegisterBenchmark((std::string("BM_Import") + f.name).c_str(), importFile, f)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("BM_Text") + f.name).c_str(), decodeBytes, f)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
