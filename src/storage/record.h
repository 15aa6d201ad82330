// One record of a record file: reading its fields from bytes (RecordView) and
// building the bytes of a new record (RecordBuffer), both driven by a layout.
#pragma once

#include "storage/record_layout.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tavel {

class RecordView {
public:
    RecordView(const RecordLayout& layout, QByteArrayView bytes) : layout_(&layout), bytes_(bytes) {}

    const RecordLayout& layout() const { return *layout_; }
    QByteArrayView bytes() const { return bytes_; }

    // The meaningful bytes of a text field; a length byte above the field's
    // capacity is clamped to the capacity.
    QByteArrayView rawText(int field) const;
    // The length byte as stored, before clamping.
    int storedLength(int field) const;
    QString text(int field) const;
    qint32 integer(int field) const;
    double date(int field) const;

private:
    const RecordLayout* layout_;
    QByteArrayView bytes_;
};

// Writes a text field whose first byte (the length byte) is at `at`: the text
// cut to the field's capacity, in Windows-1251, zeros after it. Returns how
// many characters the code page could not hold (written as '?'). For code
// that fills many records in place; RecordBuffer::setText writes the same.
int writeTextField(char* at, const FieldLayout& field, QStringView text);

class RecordBuffer {
public:
    explicit RecordBuffer(const RecordLayout& layout);

    // Stores the text in Windows-1251, cut to the field's capacity. Returns
    // how many characters the code page could not hold (written as '?').
    int setText(int field, QStringView text);
    void setRawText(int field, QByteArrayView bytes);
    void setInteger(int field, qint32 value);
    void setDate(int field, double days);

    const QByteArray& bytes() const { return bytes_; }
    RecordView view() const { return RecordView(*layout_, bytes_); }

private:
    const RecordLayout* layout_;
    QByteArray bytes_;
};

} // namespace tavel
