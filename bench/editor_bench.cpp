// tavel-editor-bench: the question-base editor on a large subject (100 000
// questions, 400 000 answers). Opening loads the four grids from their files
// as the editor does on every showing; saving rewrites the answer grid into
// Otwet.dat. Each is measured beside its floor in the same run: reading the
// same four files' bytes through one reused buffer (floor.h), and writing as many bytes as
// the answer file holds from one reused buffer through the same atomic save.
// bench/run turns the times into the ratios editor-open and editor-save.
#include "floor.h"
#include "generate_subject.h"

#include "authoring/editor_grids.h"
#include "authoring/grid_files.h"
#include "storage/atomic_save.h"
#include "storage/error.h"

#include <QFile>
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

// Opening the editor: the four grids loaded from the files.
void BM_EditorOpen(benchmark::State& state)
{
    authoring::EditorGrids grids;
    bench::guarded(state, [&] { for (auto _ : state) {
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

// The floor of opening: the bytes of the same four files read through one
// reused buffer (floor.h).
void BM_ReadFourFiles(benchmark::State& state)
{
    bench::readFloor(state, QStringList(std::begin(g_subject.files), std::end(g_subject.files)));
}
BENCHMARK(BM_ReadFourFiles)->Unit(benchmark::kMillisecond);

// Saving the answer grid as loaded, with a few cells edited (the rows the
// author touched are encoded from their text, the others copied as stored).
void BM_EditorSave(benchmark::State& state)
{
    authoring::GridModel answers(Grid::Answers);
    const QString target = g_subject.folder + QStringLiteral("/OtwetSaved.dat");
    bench::guarded(state, [&] {
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
    bench::guarded(state, [&] { for (auto _ : state) {
        saveAtomically(target, buffer);
        benchmark::DoNotOptimize(buffer.data());
    } });
}
BENCHMARK(BM_WriteAnswerBytes)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return bench::runBenchmarks(argc, argv, [](const QString& dir) {
        const bench::GeneratedSubject subject = bench::generateSubject(dir);
        g_subject.folder = subject.folder;
        for (int i = 0; i < 4; ++i)
            g_subject.files[i] = subject.folder + u'/' + authoring::fileNameOf(kGrids[i]);
        g_subject.answerBytes = QFile(g_subject.files[3]).size();
        g_subject.answers = int(g_subject.answerBytes / layouts::otwet.size);
        std::fprintf(stderr, "Subject generated in %s: %d answers, %lld bytes of answers\n", qPrintable(dir),
                     g_subject.answers, qlonglong(g_subject.answerBytes));
    });
}
