// What the benchmark programs share: the floor baseline (the bytes of the
// files an operation reads, read into one reused buffer), the guard that turns
// a failing read into a skipped benchmark, and main's plumbing (the flags, a
// temporary folder for the generated files, the run).
#pragma once

#include "storage/error.h"

#include <QByteArray>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <functional>

namespace tavel::bench {

// An Error thrown by `body` ends the benchmark with its message instead of
// the program.
template <class Body>
void guarded(benchmark::State& state, Body body)
{
    try {
        body();
    } catch (const Error& e) {
        state.SkipWithError(e.what());
    }
}

// The floor under any operation that reads files: their bytes read from
// start to end through one buffer of kBlockBytes, reused for every block,
// every file and every call, so that neither an allocation nor the first
// touch of fresh memory nor a write-back of a buffer larger than the cache is
// counted. No reading of the same files can be faster: this is what a scan
// that looks at every byte costs at the least.
class FileFloor {
public:
    static constexpr qint64 kBlockBytes = 128 * 1024;

    // Reads every file and returns the number of bytes read. Throws Error
    // naming a file that cannot be opened, read whole, or is empty (a floor
    // of nothing would make any ratio meaningless).
    qint64 read(const QStringList& paths);

private:
    QByteArray buffer_;
};

// The baseline benchmark of a program: FileFloor::read of `paths` per
// iteration.
void readFloor(benchmark::State& state, const QStringList& paths);

// main() of a benchmark program: parses the flags (an unknown one ends the
// program with status 1), calls `prepare` with the path of a temporary folder
// that lives until the benchmarks are done (an Error from it is printed and
// ends the program with status 1), then runs the benchmarks.
int runBenchmarks(int argc, char** argv, const std::function<void(const QString& folder)>& prepare);

} // namespace tavel::bench
