// The shared floor baseline and main of the benchmark programs.
#include "floor.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace tavel::bench {

qint64 FileFloor::read(const QStringList& paths)
{
    qint64 total = 0;
    for (const QString& path : paths) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("Не удалось открыть файл %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        const qint64 size = file.size();
        if (size == 0)
            throw Error(QStringLiteral("Файл %1 пуст").arg(QDir::toNativeSeparators(path)));
        if (buffer_.size() < kBlockBytes)
            buffer_.resize(kBlockBytes);
        qint64 done = 0;
        while (done < size) {
            const qint64 n = file.read(buffer_.data(), std::min<qint64>(kBlockBytes, size - done));
            if (n <= 0)
                throw Error(QStringLiteral("Ошибка чтения файла %1").arg(QDir::toNativeSeparators(path)));
            benchmark::DoNotOptimize(buffer_.data());
            done += n;
        }
        total += done;
    }
    benchmark::DoNotOptimize(buffer_.data());
    return total;
}

void readFloor(benchmark::State& state, const QStringList& paths)
{
    FileFloor floor;
    guarded(state, [&] {
        for (auto _ : state)
            benchmark::DoNotOptimize(floor.read(paths));
    });
}

int runBenchmarks(int argc, char** argv, const std::function<void(const QString& folder)>& prepare)
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
        if (prepare)
            prepare(dir.path());
    } catch (const Error& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

} // namespace tavel::bench
