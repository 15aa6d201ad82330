// Looking records up by their codes while a scan passes over them: the codes
// packed into integers (packedCode, storage/topic_scan.h), a flat table of
// the packed keys looked for, and the leading bytes of a record that decide
// its codes, so that a run of records with the same codes is judged once.
#pragma once

#include "storage/topic_scan.h"

#include <algorithm>
#include <array>
#include <bit>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#include <cstring>
#include <initializer_list>
#include <vector>

namespace tavel {

// Subject and topic packed: two records belong to the same topic exactly
// when their keys are equal.
inline quint64 packedTopicKey(quint32 subject, quint32 topic)
{
    return quint64(subject) << 32 | topic;
}

// The four codes of a question (subject, topic, section, question) as
// sixteen bytes: each trimmed code in its slot of two, three, two and three
// bytes (bytes 1, 4, 8 and 11: where a question or answer record keeps them,
// after their length bytes), the rest of every byte zero. A trimmed code
// neither starts nor ends with a blank or control byte, so the zero bytes
// after it cannot be taken for part of it: two questions have equal keys
// exactly when their trimmed codes are equal.
struct PackedQuestionKey {
    quint64 low = 0;  // bytes 0 to 7
    quint64 high = 0; // bytes 8 to 15

    friend bool operator==(const PackedQuestionKey& a, const PackedQuestionKey& b)
    {
        return a.low == b.low && a.high == b.high;
    }
};

namespace question_key {
inline constexpr int kOffsets[4] = {0, 3, 7, 10}; // of the length bytes
inline constexpr int kCapacities[4] = {2, 3, 2, 3};
// A code too long for its slot: no record has this key.
inline constexpr PackedQuestionKey kNone{~quint64(0), ~quint64(0)};
// For every allowed length of the four codes (0..2, 0..3, 0..2, 0..3), the
// bytes of a record that lie within the codes: 0xff, the others 0.
inline constexpr auto kTextMasks = [] {
    std::array<std::array<unsigned char, 16>, 3 * 4 * 3 * 4> masks{};
    for (int l0 = 0; l0 <= 2; ++l0)
        for (int l1 = 0; l1 <= 3; ++l1)
            for (int l2 = 0; l2 <= 2; ++l2)
                for (int l3 = 0; l3 <= 3; ++l3) {
                    const int lengths[4] = {l0, l1, l2, l3};
                    for (int f = 0; f < 4; ++f)
                        for (int k = 1; k <= lengths[f]; ++k)
                            masks[size_t(((l0 * 4 + l1) * 3 + l2) * 4 + l3)][size_t(kOffsets[f] + k)] = 0xff;
                }
    return masks;
}();
} // namespace question_key

// From the packed codes (packedCode).
inline PackedQuestionKey packedQuestionKey(quint32 subject, quint32 topic, quint32 test, quint32 number)
{
    unsigned char bytes[16] = {};
    const quint32 codes[4] = {subject, topic, test, number};
    for (int f = 0; f < 4; ++f) {
        const int size = int(codes[f] >> 24);
        if (size > question_key::kCapacities[f])
            return question_key::kNone;
        for (int k = 0; k < size; ++k)
            bytes[question_key::kOffsets[f] + 1 + k] = uchar(codes[f] >> (8 * k));
    }
    PackedQuestionKey key;
    std::memcpy(&key.low, bytes, 8);
    std::memcpy(&key.high, bytes + 8, 8);
    return key;
}

// The fields of a record that hold a topic's codes, or a question's, bound to
// its layout so that keys come straight from the record's bytes.
struct TopicFields {
    const FieldLayout& subject;
    const FieldLayout& topic;

    TopicFields(const RecordLayout& layout, int subjectField, int topicField)
        : subject(layout.field(subjectField)), topic(layout.field(topicField))
    {
    }
    quint64 key(const char* record) const
    {
        return packedTopicKey(packedCode(record, subject), packedCode(record, topic));
    }
};

struct QuestionFields {
    TopicFields topic;
    const FieldLayout& test;
    const FieldLayout& number;

    QuestionFields(const RecordLayout& layout, int subjectField, int topicField, int testField, int numberField)
        : topic(layout, subjectField, topicField), test(layout.field(testField)), number(layout.field(numberField))
    {
        const FieldLayout* fields[4] = {&topic.subject, &topic.topic, &test, &number};
        sameLayout_ = layout.size >= 16;
        for (int f = 0; f < 4; ++f)
            sameLayout_ = sameLayout_ && fields[f]->offset == question_key::kOffsets[f] &&
                          fields[f]->capacity() == question_key::kCapacities[f];
    }

    PackedQuestionKey key(const char* record) const
    {
#if defined(__SSE2__)
        // Straight from the record's sixteen leading bytes when no code has
        // a blank before one of its characters (blanks after the last one,
        // as codes are often stored, are cleared): the bytes within the
        // codes that are above the blank, every other byte zero.
        if (sameLayout_) {
            const auto* r = reinterpret_cast<const unsigned char*>(record);
            const unsigned l0 = r[0], l1 = r[3], l2 = r[7], l3 = r[10];
            if (l0 <= 2 && l1 <= 3 && l2 <= 2 && l3 <= 3) {
                const auto& mask = question_key::kTextMasks[size_t(((l0 * 4 + l1) * 3 + l2) * 4 + l3)];
                const __m128i text = _mm_loadu_si128(reinterpret_cast<const __m128i*>(mask.data()));
                const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(record));
                const __m128i printable =
                    _mm_and_si128(_mm_cmpeq_epi8(_mm_max_epu8(bytes, _mm_set1_epi8(33)), bytes), text);
                const __m128i blank = _mm_andnot_si128(printable, text);
                // A blank with a character after it has one right after it
                // (the first after the blanks), in the same code: a code's
                // bytes lie one after another, and a length byte outside
                // `text` parts two codes.
                const __m128i after = _mm_slli_si128(blank, 1);
                if (_mm_movemask_epi8(_mm_and_si128(after, printable)) == 0) {
                    alignas(16) quint64 key[2];
                    _mm_store_si128(reinterpret_cast<__m128i*>(key), _mm_and_si128(bytes, printable));
                    return {key[0], key[1]};
                }
            }
        }
#endif
        return packedQuestionKey(packedCode(record, topic.subject), packedCode(record, topic.topic),
                                 packedCode(record, test), packedCode(record, number));
    }

private:
    bool sameLayout_ = false;
};

// The upper half of a product with an odd constant: every bit of the key
// reaches the bits a table uses (codes differ in a few bytes only).
inline size_t hashOf(quint64 key)
{
    return size_t((key * 0x9E3779B97F4A7C15ull) >> 32);
}

inline size_t hashOf(const PackedQuestionKey& key)
{
    return hashOf((key.low * 0xC2B2AE3D27D4EB4Full) ^ key.high);
}

// Keys, each with a value, in a flat open-addressing table that is at most
// half full. Beside each slot lies one byte, 0 for a free slot and otherwise
// eight bits of the key's hash: a key that is not there (what a scan meets
// for most records) costs a look at those bytes, which stay in the cache,
// and seldom a comparison of keys.
template <class Key>
class CodeLookup {
public:
    explicit CodeLookup(size_t expected = 0)
    {
        size_t size = 16;
        while (size < expected * 2)
            size *= 2;
        resize(size);
    }

    // False, the value left as it was, when the key is there already.
    bool insert(const Key& key, int value)
    {
        const size_t hash = hashOf(key);
        const size_t i = indexOf(key, hash);
        if (tags_[i] != 0)
            return false;
        tags_[i] = tagOf(hash);
        slots_[i] = {key, value};
        if (++count_ * 2 > slots_.size())
            grow();
        return true;
    }

    // The key's value, or nullptr when the key is not there.
    int* find(const Key& key)
    {
        const size_t i = indexOf(key, hashOf(key));
        return tags_[i] != 0 ? &slots_[i].value : nullptr;
    }
    const int* find(const Key& key) const { return const_cast<CodeLookup*>(this)->find(key); }
    bool contains(const Key& key) const { return find(key) != nullptr; }

    size_t size() const { return count_; }

private:
    struct Slot {
        Key key{};
        int value = 0;
    };

    static quint8 tagOf(size_t hash) { return quint8(hash >> 24) | 0x80; }

    // The key's slot, or the free slot where it would go.
    size_t indexOf(const Key& key, size_t hash) const
    {
        const quint8 tag = tagOf(hash);
        for (size_t i = hash & mask_;; i = (i + 1) & mask_) {
            if (tags_[i] == 0 || (tags_[i] == tag && slots_[i].key == key))
                return i;
        }
    }

    void resize(size_t size)
    {
        slots_.assign(size, Slot{});
        tags_.assign(size, 0);
        mask_ = size - 1;
    }

    void grow()
    {
        std::vector<Slot> oldSlots;
        std::vector<quint8> oldTags;
        oldSlots.swap(slots_);
        oldTags.swap(tags_);
        resize(oldSlots.size() * 2);
        for (size_t k = 0; k < oldSlots.size(); ++k) {
            if (oldTags[k] == 0)
                continue;
            const size_t i = indexOf(oldSlots[k].key, hashOf(oldSlots[k].key));
            tags_[i] = oldTags[k];
            slots_[i] = oldSlots[k];
        }
    }

    std::vector<Slot> slots_;
    std::vector<quint8> tags_;
    size_t mask_ = 0;
    size_t count_ = 0;
};

// The leading `bytes` bytes of a record (1 to 16), read as two words, to tell
// cheaply whether a record starts like the one before it: a scan keeps its
// decision for a record whose code fields are byte for byte the previous
// one's (the answers of a question, the questions of a topic lie one after
// another). A record is at least 16 bytes long.
struct RecordHead {
    quint64 low = ~quint64(0);
    quint64 high = ~quint64(0);

    RecordHead() = default;
    RecordHead(const char* record, int bytes)
    {
        std::memcpy(&low, record, 8);
        if (bytes >= 8) {
            std::memcpy(&high, record + bytes - 8, 8);
        } else {
            low &= (quint64(1) << (8 * bytes)) - 1;
            high = 0;
        }
    }

    // The number of leading bytes that hold the given fields of a layout
    // (their length bytes included), or 0 when they reach beyond 16 bytes or
    // the record is shorter than 16: no head can then stand for them.
    static int bytesOf(const RecordLayout& layout, std::initializer_list<int> fields)
    {
        int bytes = 0;
        for (const int f : fields)
            bytes = std::max(bytes, layout.field(f).offset + layout.field(f).size);
        return bytes <= 16 && layout.size >= 16 ? bytes : 0;
    }
};

// Tells, block by block of a scan, where a new run of records with the same
// leading code bytes starts: everything decided from those codes holds for
// the whole run. The first record starts one; when the fields lie beyond the
// bytes a head can hold, every record does.
class HeadRuns {
public:
    HeadRuns(const RecordLayout& layout, std::initializer_list<int> fields)
        : bytes_(RecordHead::bytesOf(layout, fields))
    {
    }

    // The runs of a block of `count` records of `size` bytes, in order:
    // visit(first, k, n, starts) for stretches of n records from the block's
    // record k on that share their leading code bytes; `starts` is false for
    // a stretch that continues the run before it (the previous block's last,
    // or a long run cut in pieces). The heads of the block are compared in a
    // first loop without branches, so their loads overlap; the stretches are
    // then visited a run at a time, not a record at a time.
    template <class Visit>
    void forEachRun(const char* records, int count, int size, Visit&& visit)
    {
        if (bytes_ == 0) {
            for (int k = 0; k < count; ++k)
                visit(records + qsizetype(k) * size, k, 1, true);
            return;
        }
        for (int base = 0; base < count; base += 64) {
            const int m = std::min(64, count - base);
            const char* chunk = records + qsizetype(base) * size;
            quint64 starts = 0;
            RecordHead previous = previous_;
            for (int j = 0; j < m; ++j) {
                const RecordHead head(chunk + qsizetype(j) * size, bytes_);
                // Without a branch: whether a run starts here is as random as the data.
                starts |= quint64(((head.low ^ previous.low) | (head.high ^ previous.high)) != 0) << j;
                previous = head;
            }
            if (!started_)
                starts |= 1;
            started_ = true;
            previous_ = previous;
            int j = 0;
            while (j < m) {
                const quint64 later = j + 1 < 64 ? starts >> (j + 1) : 0;
                const int next = later ? std::min(m, j + 1 + std::countr_zero(later)) : m;
                visit(chunk + qsizetype(j) * size, base + j, next - j, bool(starts >> j & 1));
                j = next;
            }
        }
    }

private:
    int bytes_;
    bool started_ = false;
    RecordHead previous_;
};

} // namespace tavel
