// Field access on record bytes.
#include "storage/record.h"

#include "storage/cp1251.h"

#include <QtEndian>
#include <cstring>

namespace tavel {

int RecordView::storedLength(int field) const
{
    const FieldLayout& f = layout_->field(field);
    return static_cast<unsigned char>(bytes_[f.offset]);
}

QByteArrayView RecordView::rawText(int field) const
{
    const FieldLayout& f = layout_->field(field);
    const int length = std::min(storedLength(field), f.capacity());
    return bytes_.sliced(f.offset + 1, length);
}

QString RecordView::text(int field) const
{
    return cp1251::decode(rawText(field));
}

qint32 RecordView::integer(int field) const
{
    const FieldLayout& f = layout_->field(field);
    return qFromLittleEndian<qint32>(bytes_.data() + f.offset);
}

double RecordView::date(int field) const
{
    const FieldLayout& f = layout_->field(field);
    const quint64 bits = qFromLittleEndian<quint64>(bytes_.data() + f.offset);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

RecordBuffer::RecordBuffer(const RecordLayout& layout) : layout_(&layout), bytes_(layout.size, '\0') {}

int writeTextField(char* at, const FieldLayout& field, QStringView text)
{
    const QStringView kept = text.left(field.capacity());
    at[0] = char(kept.size());
    const int unmappable = cp1251::encodeInto(kept, at + 1);
    std::memset(at + 1 + kept.size(), 0, size_t(field.capacity() - kept.size()));
    return unmappable;
}

int RecordBuffer::setText(int field, QStringView text)
{
    const FieldLayout& f = layout_->field(field);
    return writeTextField(bytes_.data() + f.offset, f, text);
}

void RecordBuffer::setRawText(int field, QByteArrayView bytes)
{
    const FieldLayout& f = layout_->field(field);
    const int length = int(std::min<qsizetype>(bytes.size(), f.capacity()));
    char* at = bytes_.data() + f.offset;
    std::memset(at, 0, size_t(f.size));
    at[0] = char(length);
    std::memcpy(at + 1, bytes.data(), size_t(length));
}

void RecordBuffer::setInteger(int field, qint32 value)
{
    qToLittleEndian(value, bytes_.data() + layout_->field(field).offset);
}

void RecordBuffer::setDate(int field, double days)
{
    quint64 bits;
    std::memcpy(&bits, &days, sizeof bits);
    qToLittleEndian(bits, bytes_.data() + layout_->field(field).offset);
}

} // namespace tavel
