// Keys for looking records up by their codes without allocating: the trimmed
// codes' bytes (Windows-1251, as stored) packed into whole numbers, each code
// in a slot of its field's capacity (subject 2, topic 3, section 2, question
// 3 bytes) padded with zero bytes. Two records get the same key exactly when
// their codes are equal by the key rules (trimmed, byte for byte): a trimmed
// code never ends in a zero byte, so the padding cannot be mistaken for it.
// A code too long for its slot (typed into a grid) gets kNoMatch, which no
// stored record produces.
#pragma once

#include "storage/cp1251.h"
#include "storage/record.h"
#include "storage/records.h"

#include <QByteArrayView>
#include <QHashFunctions>
#include <algorithm>

namespace tavel::code_keys {

inline constexpr quint64 kNoMatch = ~quint64(0);

// Blanks and control characters off both ends (the key rules' trimming,
// inline for the scans).
inline QByteArrayView trimView(QByteArrayView code)
{
    qsizetype begin = 0;
    qsizetype end = code.size();
    while (begin < end && uchar(code[begin]) <= 32)
        ++begin;
    while (end > begin && uchar(code[end - 1]) <= 32)
        --end;
    return code.sliced(begin, end - begin);
}

// Shifts the trimmed code into `key`, `width` bytes (the code's bytes
// first, zero bytes after them); false when it is longer.
inline bool pack(quint64& key, QByteArrayView code, int width)
{
    code = trimView(code);
    const qsizetype n = code.size();
    if (n > width)
        return false;
    const auto byte = [&code](int i) { return quint64(uchar(code[i])); };
    quint64 bytes = 0;
    switch (n) {
    case 3:
        bytes = byte(0) << 16 | byte(1) << 8 | byte(2);
        break;
    case 2:
        bytes = byte(0) << 8 | byte(1);
        break;
    case 1:
        bytes = byte(0);
        break;
    default:
        break;
    }
    key = (key << (8 * width)) | (bytes << (8 * (width - n)));
    return true;
}

// Subject and topic, 40 bits.
inline quint64 topicKey(QByteArrayView subject, QByteArrayView topic)
{
    quint64 key = 0;
    return pack(key, subject, 2) && pack(key, topic, 3) ? key : kNoMatch;
}

// The meaningful bytes of a text field, read straight from the record's bytes (the
// scans call this for every record, so it stays inline).
inline QByteArrayView fieldText(const RecordView& r, int field)
{
    const FieldLayout& f = r.layout().field(field);
    const char* at = r.bytes().data() + f.offset;
    return QByteArrayView(at + 1, std::min<qsizetype>(uchar(at[0]), f.size - 1));
}

inline quint64 topic(const RecordView& r, int subjectField, int topicField)
{
    return topicKey(fieldText(r, subjectField), fieldText(r, topicField));
}

// The topic of a package record.
inline quint64 package(const PackageRecord& row)
{
    return topicKey(cp1251::encode(row.subjectCode), cp1251::encode(row.topicCode));
}

// The four codes of a question: subject, topic and section in `head`,
// the question code in `tail`.
struct QuestionKey {
    quint64 head = kNoMatch;
    quint64 tail = 0;
    friend bool operator==(const QuestionKey& a, const QuestionKey& b)
    {
        return a.head == b.head && a.tail == b.tail;
    }
};

inline size_t qHash(const QuestionKey& key, size_t seed = 0)
{
    // A multiply-xor mix: cheap, and enough for keys that differ in few bytes.
    const quint64 mixed = (key.head * 0x9E3779B97F4A7C15ull) ^ (key.tail * 0xC2B2AE3D27D4EB4Full);
    return size_t(mixed ^ (mixed >> 29)) ^ seed;
}

inline QuestionKey questionKey(QByteArrayView subject, QByteArrayView topic, QByteArrayView test,
                               QByteArrayView question)
{
    QuestionKey key;
    quint64 head = topicKey(subject, topic);
    quint64 tail = 0;
    if (head == kNoMatch || !pack(head, test, 2) || !pack(tail, question, 3))
        return {};
    key.head = head;
    key.tail = tail;
    return key;
}

inline QuestionKey question(const RecordView& r, int subjectField, int topicField, int testField, int questionField)
{
    return questionKey(fieldText(r, subjectField), fieldText(r, topicField), fieldText(r, testField),
                       fieldText(r, questionField));
}

} // namespace tavel::code_keys
