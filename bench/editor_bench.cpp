// tavel-editor-bench: the question-base editor on a large subject (100 000
// questions, 400 000 answers). Opening loads the four grids from their files
// as the editor does on every showing; saving rewrites the answer grid into
// Otwet.dat. Each is measured beside its floor in the same run: reading the
// same four files' bytes into one reused buffer, and writing as many bytes as
// the answer file holds from one reused buffer through the same atomic save.
// bench/run turns the times into the ratios editor-open and editor-save.
#include "generate_subject.h"

#include "authoring/editor_grids.h"
#include "authoring/grid_files.h"
#include "storage/atomic_save.h"
#include "storage/error.h"

#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace tavel;
using authoring::Grid;

struct Subject {
    QString folder;
    QString files[4]; // Predmet, Tema, Wopros, Otwet
    qint64 answerBytes = 0;
    int answers = 0;
};
Subject g_subject;

constexpr Grid kGrids[] = {Grid::Sections, Grid::Topics, Grid::Questions, Grid::Answers};

template <class Body>
void guarded(benchmark::State& state, Body body)
{
    try {
        body();
    } catch (const Error& e) {
        state.SkipWithError(e.what());
    }
}

// Opening the editor: the four grids loaded from the files.
void BM_EditorOpen(benchmark::State& state)
{
    authoring::EditorGrids grids;
    guarded(state, [&] { for (auto _ : state) {
        int records = 0;
        for (int i = 0; i < 4; ++i)
            records += authoring::loadGrid(grids.of(kGrids[i]), g_subject.files[i]).records;
        benchmark::DoNotOptimize(records);
        if (grids.answerGrid.rows() != g_subject.answers) {
            state.SkipWithError("the answer grid holds another number of rows than were generated");
            break;
        }
    } });
}
BENCHMARK(BM_EditorOpen)->Unit(benchmark::kMillisecond);

// The floor of opening: the bytes of the same four files read into one
// buffer that is reused from one iteration to the next.
void BM_ReadFourFiles(benchmark::State& state)
{
    QByteArray buffer;
    guarded(state, [&] { for (auto _ : state) {
        qint64 total = 0;
        for (const QString& path : g_subject.files) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                throw Error(QStringLiteral("Не удалось открыть файл %1").arg(path));
            if (buffer.size() < file.size())
                buffer.resize(file.size());
            const qint64 read = file.read(buffer.data(), file.size());
            if (read != file.size())
                throw Error(QStringLiteral("Не удалось прочитать файл %1").arg(path));
            total += read;
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::DoNotOptimize(total);
    } });
}
BENCHMARK(BM_ReadFourFiles)->Unit(benchmark::kMillisecond);

// Saving the answer grid as loaded, with a few cells edited (the rows the
// author touched are encoded from their text, the others copied as stored).
void BM_EditorSave(benchmark::State& state)
{
    authoring::GridModel answers(Grid::Answers);
    const QString target = g_subject.folder + QStringLiteral("/OtwetSaved.dat");
    guarded(state, [&] {
        authoring::loadGrid(answers, g_subject.files[3]);
        for (int r = 0; r < answers.rows(); r += 1000)
            answers.setCell(r, otwet::AnswerText, QStringLiteral("Исправленный ответ %1").arg(r));
        for (auto _ : state) {
            const int written = authoring::saveGrid(answers, target);
            benchmark::DoNotOptimize(written);
            if (written != g_subject.answers) {
                state.SkipWithError("the save wrote another number of records than the grid holds");
                break;
            }
        }
    });
}
BENCHMARK(BM_EditorSave)->Unit(benchmark::kMillisecond);

// The floor of saving: as many bytes as the answer file holds, from one
// reused buffer, through the same atomic save.
void BM_WriteAnswerBytes(benchmark::State& state)
{
    const QByteArray buffer(g_subject.answerBytes, 'x');
    const QString target = g_subject.folder + QStringLiteral("/OtwetBytes.dat");
    guarded(state, [&] { for (auto _ : state) {
        saveAtomically(target, buffer);
        benchmark::DoNotOptimize(buffer.data());
    } });
}
BENCHMARK(BM_WriteAnswerBytes)->Unit(benchmark::kMillisecond);

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
        const bench::GeneratedSubject subject = bench::generateSubject(dir.path());
        g_subject.folder = subject.folder;
        for (int i = 0; i < 4; ++i)
            g_subject.files[i] = subject.folder + u'/' + authoring::fileNameOf(kGrids[i]);
        g_subject.answerBytes = QFile(g_subject.files[3]).size();
        g_subject.answers = int(g_subject.answerBytes / layouts::otwet.size);
        std::fprintf(stderr, "Subject generated in %s: %d answers, %lld bytes of answers\n", qPrintable(dir.path()),
                     g_subject.answers, qlonglong(g_subject.answerBytes));
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }

    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
