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
#include <functional>
#include <vector>

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
            const qsizetype records = filled / size;
            const QByteArrayView bytes(buffer_.constData(), filled);
            for (qsizetype i = 0; i < records; ++i)
                visit(index++, RecordView(*layout_, bytes.sliced(i * size, size)));
            if (progress)
                progress(index, std::max(index, total));
            if (filled < block_)
                return index; // the end of the file (a partial record left unread)
        }
    }

    // The records at `indices` (ascending), read where they lie.
    std::vector<QByteArray> readAt(const QString& path, const std::vector<int>& indices) const
    {
        std::vector<QByteArray> out;
        out.reserve(indices.size());
        if (indices.empty())
            return out;
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("Не удалось открыть файл %1: %2")
                            .arg(QDir::toNativeSeparators(path), file.errorString()));
        for (const int i : indices) {
            if (!file.seek(qint64(i) * layout_->size))
                throw Error(QStringLiteral("Ошибка чтения файла %1").arg(QDir::toNativeSeparators(path)));
            QByteArray record = file.read(layout_->size);
            if (record.size() != layout_->size)
                throw Error(QStringLiteral("Файл %1 изменился во время чтения (запись %2).")
                                .arg(QDir::toNativeSeparators(path))
                                .arg(i + 1));
            out.push_back(std::move(record));
        }
        return out;
    }

    const RecordLayout& layout() const { return *layout_; }

private:
    const RecordLayout* layout_;
    qsizetype block_;
    QByteArray buffer_;
};

} // namespace tavel
