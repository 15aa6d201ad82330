// Scanning a large record file from record 0 to its end through one block
// buffer (small enough to stay in the processor's cache) that is reused for
// every block (and every scan of the same scanner), so a subject of hundreds
// of thousands of records costs one pass over its bytes, no allocation per
// record and a bounded amount of memory. A missing file scans as empty; a
// trailing partial record is not read.
#pragma once

#include "storage/error.h"
#include "storage/record.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <cerrno>
#include <cstring>
#include <functional>
#include <vector>
#if defined(Q_OS_UNIX)
#include <unistd.h>
#endif

namespace tavel {

// Called with the records read so far and the file's record count: after
// every block (a bounded number of times per file, never per record).
using ScanProgress = std::function<void(int done, int total)>;

class RecordScanner {
public:
    explicit RecordScanner(const RecordLayout& layout, int recordsPerBlock = 512)
        : layout_(&layout), block_(qsizetype(layout.size) * recordsPerBlock)
    {
    }

    // Calls visit(index, view) for every complete record in file order and
    // returns the number of records; `progress`, when given, after every
    // block. Throws Error naming the file when it exists but cannot be read.
    template <class Visit>
    int scan(const QString& path, Visit&& visit, const ScanProgress& progress = {})
    {
        const int size = layout_->size;
        return scanBlocks(
            path,
            [&](int first, const char* records, int count) {
                for (int i = 0; i < count; ++i)
                    visit(first + i, RecordView(*layout_, QByteArrayView(records + qsizetype(i) * size, size)));
            },
            progress);
    }

    // The same a block at a time: visitBlock(first, records, count) with the
    // index of the block's first record and its `count` complete records one
    // after another, for work that goes over many records at once (a text
    // search across record boundaries). The bytes live until the next block.
    template <class VisitBlock>
    int scanBlocks(const QString& path, VisitBlock&& visitBlock, const ScanProgress& progress = {})
    {
        QFile file(path);
        if (!file.exists())
            return 0;
        if (!file.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("Не удалось открыть файл %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        if (buffer_.size() < block_)
            buffer_.resize(block_);
        const int size = layout_->size;
        const int total = int(file.size() / size);
        int index = 0;
        for (;;) {
            qsizetype filled = 0;
            while (filled < block_) {
                const qint64 n = file.read(buffer_.data() + filled, block_ - filled);
                if (n < 0)
                    throw Error(QStringLiteral("Ошибка чтения файла %1: %2")
                                    .arg(QDir::toNativeSeparators(path), file.errorString()));
                if (n == 0)
                    break;
                filled += n;
            }
            const int records = int(filled / size);
            if (records > 0)
                visitBlock(index, buffer_.constData(), records);
            index += records;
            if (progress)
                progress(index, std::max(index, total));
            if (filled < block_)
                return index; // the end of the file (a partial record left unread)
        }
    }

    // The records at `indices` (ascending), read where they lie; a stretch
    // of consecutive records with one read.
    std::vector<QByteArray> readAt(const QString& path, const std::vector<int>& indices) const
    {
        std::vector<QByteArray> out;
        out.reserve(indices.size());
        if (indices.empty())
            return out;
        // Unbuffered: each read takes just the records asked for, not a
        // buffer's worth of bytes around them.
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
            throw Error(QStringLiteral("Не удалось открыть файл %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        const int size = layout_->size;
        for (size_t k = 0; k < indices.size();) {
            size_t end = k + 1;
            while (end < indices.size() && indices[end] == indices[end - 1] + 1 && end - k < 256)
                ++end;
            const qint64 wanted = qint64(size) * qint64(end - k);
            const QByteArray run = readRun(file, qint64(indices[k]) * size, wanted);
            if (run.size() != wanted)
                throw Error(QStringLiteral("Файл %1 изменился во время чтения (запись %2).")
                                .arg(QDir::toNativeSeparators(path))
                                .arg(indices[k] + 1 + run.size() / size));
            for (size_t j = k; j < end; ++j)
                out.push_back(run.mid(qsizetype(j - k) * size, size));
            k = end;
        }
        return out;
    }

    const RecordLayout& layout() const { return *layout_; }

private:
    // `bytes` bytes from `offset` on (fewer at the end of the file): one
    // system call where the system reads at an offset.
    static QByteArray readRun(QFile& file, qint64 offset, qint64 bytes)
    {
        QByteArray out(bytes, Qt::Uninitialized);
        qint64 done = 0;
#if defined(Q_OS_UNIX)
        while (done < bytes) {
            const ssize_t n = ::pread(file.handle(), out.data() + done, size_t(bytes - done), off_t(offset + done));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw Error(QStringLiteral("Ошибка чтения файла %1: %2")
                                .arg(QDir::toNativeSeparators(file.fileName()), QString::fromLocal8Bit(std::strerror(errno))));
            if (n == 0)
                break;
            done += n;
        }
#else
        if (!file.seek(offset))
            throw Error(QStringLiteral("Ошибка чтения файла %1").arg(QDir::toNativeSeparators(file.fileName())));
        done = std::max<qint64>(file.read(out.data(), bytes), 0);
#endif
        out.truncate(done);
        return out;
    }

    const RecordLayout* layout_;
    qsizetype block_;
    QByteArray buffer_;
};

} // namespace tavel
