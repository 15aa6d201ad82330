// Bulk reading and atomic writing of record files.
#include "storage/record_file.h"

#include "storage/atomic_save.h"
#include "storage/error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace tavel {
namespace {

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

} // namespace

RecordFile RecordFile::read(const QString& path, const RecordLayout& layout)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть файл %1: %2").arg(native(path), file.errorString()));
    RecordFile result;
    result.path_ = path;
    result.layout_ = &layout;
    result.bytes_ = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Ошибка чтения файла %1: %2").arg(native(path), file.errorString()));
    result.count_ = int(result.bytes_.size() / layout.size);
    result.trailingBytes_ = int(result.bytes_.size() % layout.size);
    return result;
}

qint64 RecordFile::countOnDisk(const QString& path, const RecordLayout& layout)
{
    return QFileInfo(path).size() / layout.size;
}

void writeRecordFile(const QString& path, const RecordLayout& layout, const QList<QByteArray>& records)
{
    saveAtomically(path, [&](QIODevice& device) {
        for (const QByteArray& record : records) {
            Q_ASSERT(record.size() == layout.size);
            if (device.write(record) != layout.size)
                return false;
        }
        return true;
    });
}

void appendRecord(const QString& path, const RecordLayout& layout, const QByteArray& record)
{
    Q_ASSERT(record.size() == layout.size);
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        throw Error(QStringLiteral("Не удалось открыть файл %1: %2").arg(native(path), file.errorString()));
    // A trailing partial record is overwritten, so the new record starts on a
    // record boundary.
    const qint64 whole = file.size() / layout.size * layout.size;
    if (!file.seek(whole) || file.write(record) != record.size() || !file.resize(whole + record.size()))
        throw Error(QStringLiteral("Ошибка записи в файл %1: %2").arg(native(path), file.errorString()));
}

void ensureFileExists(const QString& path)
{
    if (QFileInfo::exists(path))
        return;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw Error(QStringLiteral("Не удалось создать файл %1: %2").arg(native(path), file.errorString()));
}

} // namespace tavel
