// Reading and writing whole record files. A file is read with one bulk read;
// a trailing partial record is ignored (and reported in `trailingBytes`).
// Writes replace the whole file atomically.
#pragma once

#include "storage/record.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace tavel {

class RecordFile {
public:
    RecordFile() = default;

    // Reads the file at `path`. Throws Error naming the file when it cannot be read.
    static RecordFile read(const QString& path, const RecordLayout& layout);
    // The record count of a file from its size alone (size / record size).
    static qint64 countOnDisk(const QString& path, const RecordLayout& layout);

    const QString& path() const { return path_; }
    const RecordLayout& layout() const { return *layout_; }
    int count() const { return count_; }
    int trailingBytes() const { return trailingBytes_; }
    // What was wrong with the file, one sentence each naming the file and the
    // record (from 1): length bytes above their field (read as the field's
    // capacity) and a trailing partial record (not read). At most
    // kMaxDamageNotes sentences, the last one counting the rest. Empty for a
    // sound file.
    const QStringList& damage() const { return damage_; }
    static constexpr int kMaxDamageNotes = 20;
    RecordView at(int index) const
    {
        return RecordView(*layout_, QByteArrayView(bytes_).sliced(qsizetype(index) * layout_->size, layout_->size));
    }

private:
    void findDamage();

    QString path_;
    const RecordLayout* layout_ = nullptr;
    QByteArray bytes_;
    int count_ = 0;
    int trailingBytes_ = 0;
    QStringList damage_;
};

// Rewrites the whole file with `records` (each of the layout's size), atomically.
void writeRecordFile(const QString& path, const RecordLayout& layout, const QList<QByteArray>& records);
// Adds one record at the end of the file (creating it when missing).
void appendRecord(const QString& path, const RecordLayout& layout, const QByteArray& record);
// Creates an empty file when none exists. Throws Error when it cannot.
void ensureFileExists(const QString& path);

} // namespace tavel
