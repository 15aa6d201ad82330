// Selecting the question and answer records of one topic: the file is read
// from start to end through one block buffer (storage/record_scan.h), the
// trimmed subject and topic codes are compared on the raw bytes, and only the
// records kept are decoded. Memory stays bounded however large the subject.
#pragma once

#include "storage/record_scan.h"
#include "storage/records.h"

#include <QByteArray>
#include <algorithm>
#include <bit>
#include <vector>

namespace tavel {

// A code field of a record (capacity at most three characters: subject,
// topic, section and question codes), clamped to its capacity and trimmed of
// blanks and control bytes at both ends, packed into one integer: the length
// in the top byte, then the bytes. Two such fields hold the same trimmed code
// exactly when their packed values are equal. Branch-free, because the scans
// call it for every record and the blanks around codes vary at random.
inline quint32 packedCode(const char* record, const FieldLayout& field)
{
    const auto* f = reinterpret_cast<const unsigned char*>(record + field.offset);
    const unsigned length = std::min<unsigned>(f[0], unsigned(std::min(field.capacity(), 3)));
    const quint32 word = quint32(f[1]) | quint32(f[2]) << 8 | quint32(f[3]) << 16;
    // Bit i: character i lies within the length and is not blank.
    const unsigned kept = (unsigned(f[1] > 32) | unsigned(f[2] > 32) << 1 | unsigned(f[3] > 32) << 2) &
                          ((1u << length) - 1);
    if (kept == 0)
        return 0;
    const int first = std::countr_zero(kept);
    const int last = 31 - std::countl_zero(kept);
    const int size = last - first + 1;
    return quint32(size) << 24 | ((word >> (8 * first)) & ((1u << (8 * size)) - 1));
}

// The same packing of a code given as text; a code that is longer than three
// characters once trimmed packs to a value no field can have.
quint32 packedCode(QStringView code);

// The trimmed codes of a topic, bound to the two fields of a layout that
// hold them, to compare records with without decoding them.
class TopicCodes {
public:
    TopicCodes(const RecordLayout& layout, int subjectField, int topicField, QStringView subjectCode,
               QStringView topicCode);

    bool matches(const RecordView& record) const
    {
        const char* bytes = record.bytes().data();
        return packedCode(bytes, topicField_) == topic_ && packedCode(bytes, subjectField_) == subject_;
    }

private:
    const FieldLayout& subjectField_;
    const FieldLayout& topicField_;
    quint32 subject_;
    quint32 topic_;
};

// The topic's records of a question or answer file (a missing file holds
// none), decoded, in file order. Throws Error naming a file that cannot be
// read.
std::vector<QuestionRecord> questionsOfTopic(const QString& woprosPath, QStringView subjectCode,
                                             QStringView topicCode, const ScanProgress& progress = {});
std::vector<AnswerRecord> answersOfTopic(const QString& otwetPath, QStringView subjectCode,
                                         QStringView topicCode, const ScanProgress& progress = {});

} // namespace tavel
