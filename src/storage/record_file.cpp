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
    result.findDamage();
    return result;
}

void RecordFile::findDamage()
{
    qint64 found = 0;
    const auto note = [&](const QString& sentence) {
        if (++found <= kMaxDamageNotes)
            damage_.push_back(sentence);
    };
    for (int i = 0; i < count_; ++i) {
        const RecordView record = at(i);
        for (int f = 0; f < int(layout_->fields.size()); ++f) {
            const FieldLayout& field = layout_->field(f);
            if (field.type == FieldType::Text && record.storedLength(f) > field.capacity())
                note(QStringLiteral("Файл %1, запись %2, поле %3: длина %4 больше поля, прочитано %5 знаков")
                         .arg(native(path_))
                         .arg(i + 1)
                         .arg(QLatin1String(field.name))
                         .arg(record.storedLength(f))
                         .arg(field.capacity()));
        }
    }
    if (trailingBytes_ > 0)
        note(QStringLiteral("Файл %1, запись %2: неполная (%3 байт из %4), не прочитана")
                 .arg(native(path_))
                 .arg(count_ + 1)
                 .arg(trailingBytes_)
                 .arg(layout_->size));
    if (found > kMaxDamageNotes) {
        damage_.pop_back();
        damage_.push_back(QStringLiteral("Файл %1: и ещё повреждений: %2").arg(native(path_)).arg(found - kMaxDamageNotes + 1));
    }
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
