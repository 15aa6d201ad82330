// The two passes of the keyword set, on the raw Windows-1251 bytes: texts are
// lower-cased byte by byte through a table, so no record is decoded unless it
// is taken.
#include "sets/keyword_set.h"

#include "sets/code_keys.h"
#include "storage/record_scan.h"
#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QDir>
#include <QHash>
#include <algorithm>
#include <array>
#include <bit>
#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TAVEL_KEYWORD_SSE2 1
#else
#define TAVEL_KEYWORD_SSE2 0
#endif
// A wider search where the compiler can build it for AVX2 beside the rest
// and the processor is asked at run time.
#if TAVEL_KEYWORD_SSE2 && (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define TAVEL_KEYWORD_AVX2 1
#else
#define TAVEL_KEYWORD_AVX2 0
#endif

namespace tavel {
namespace {

// Windows-1251's lower case of every byte, from the code page's own rules.
const std::array<char, 256>& lowerTable()
{
    static const std::array<char, 256> table = [] {
        std::array<char, 256> t{};
        for (int b = 0; b < 256; ++b) {
            const QString lower = cp1251::toLower(QString(QChar(cp1251::toUnicode(uchar(b)))));
            const QByteArray back = cp1251::encode(lower);
            t[size_t(b)] = back.size() == 1 ? back[0] : char(b);
        }
        return t;
    }();
    return table;
}

// The meaningful bytes of a text field, straight from the record's bytes
// (inline: the passes call it for every record).
QByteArrayView textOf(const char* record, const FieldLayout& field)
{
    const char* at = record + field.offset;
    return QByteArrayView(at + 1, std::min<qsizetype>(uchar(at[0]), field.size - 1));
}

// The bytes whose lower case is `lower`: a letter in either case.
struct CaseSet {
    char bytes[4] = {};
    int count = 0;

    explicit CaseSet(char lower)
    {
        const auto& table = lowerTable();
        for (int b = 0; b < 256; ++b)
            if (table[size_t(b)] == lower && count < 4)
                bytes[count++] = char(b);
    }
};

// The bytes a text may hold before its start, to be read (never used) by
// the search below: the code fields that precede a question's or an
// answer's text in its record.
inline constexpr qsizetype kReadableBefore = 15;

// A keyword, lower case, as the search uses it.
class Folded {
public:
    explicit Folded(QByteArray lowerWord) : word_(std::move(lowerWord))
    {
        if (word_.isEmpty())
            return;
        const CaseSet first(word_.front());
        const CaseSet last(word_.back());
        // No byte lower-cases to the letter: no text holds the word.
        possible_ = first.count > 0 && last.count > 0;
        firstTest_ = LetterTest(first);
        lastTest_ = LetterTest(last);
#if TAVEL_KEYWORD_SSE2
        // Up to four cases each; the search compares with every one.
        for (int k = 0; k < 4; ++k) {
            first_[k] = _mm_set1_epi8(first.bytes[std::min(k, std::max(first.count - 1, 0))]);
            last_[k] = _mm_set1_epi8(last.bytes[std::min(k, std::max(last.count - 1, 0))]);
        }
        fourCases_ = first.count > 2 || last.count > 2;
#endif
    }

    // True when the text, lower-cased, holds the word. `roomBefore`: the
    // kReadableBefore bytes before the text can be read. A place can hold
    // the word only when its first and its last letter stand there in
    // either case: sixteen places are tried at once for that, and only the
    // places that pass have their middle letters compared through the
    // lower-case table. The text is neither copied nor lower-cased.
    bool in(QByteArrayView text, bool roomBefore) const
    {
        const qsizetype m = word_.size();
        if (m == 0)
            return true;
        const qsizetype last = text.size() - m; // the last place the word can start
        if (last < 0 || !possible_)
            return false;
        const char* t = text.data();
#if TAVEL_KEYWORD_SSE2
        if (roomBefore) {
            // Blocks of sixteen places ending at the last place; the first
            // block starts up to fifteen places before the text, and those
            // places are masked off. No load reaches past the text's end.
            qsizetype at = last - 15 - (last & ~qsizetype(15));
            unsigned keep = ~0u << -at;
            for (; at <= last - 15; at += 16, keep = ~0u) {
                const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + at));
                const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(t + at + m - 1));
                unsigned places = unsigned(_mm_movemask_epi8(_mm_and_si128(anyCase(a, first_), anyCase(b, last_)))) & keep;
                for (; places != 0; places &= places - 1)
                    if (middleAt(t + at + std::countr_zero(places)))
                        return true;
            }
            return false;
        }
#else
        Q_UNUSED(roomBefore);
#endif
        const auto& lower = lowerTable();
        for (qsizetype i = 0; i <= last; ++i)
            if (lower[uchar(t[i])] == word_[0] && lower[uchar(t[i + m - 1])] == word_[m - 1] && middleAt(t + i))
                return true;
        return false;
    }

    qsizetype size() const { return word_.size(); }
    bool possible() const { return possible_; }
    // A byte that may be the word's first or last letter (in any case):
    // (byte | fold) == value. Every case of the letter passes (the cases
    // differ only in the bits of `fold`), a few other bytes too (a capital
    // and its small letter differ in one bit: 0x20, for Ё and ё 0x10).
    struct LetterTest {
        uchar fold = 0;
        uchar value = 0;
        LetterTest() = default;
        explicit LetterTest(const CaseSet& cases)
        {
            for (int k = 0; k < cases.count; ++k)
                fold |= uchar(cases.bytes[k] ^ cases.bytes[0]);
            value = uchar(cases.bytes[0] | fold);
        }
    };
    const LetterTest& firstTest() const { return firstTest_; }
    const LetterTest& lastTest() const { return lastTest_; }
    // The word's letters in lower case.
    const QByteArray& word() const { return word_; }

    // The letters between the first and the last match at `at`.
    bool middleAt(const char* at) const
    {
        const auto& lower = *lower_;
        for (qsizetype j = 1; j + 1 < word_.size(); ++j)
            if (lower[uchar(at[j])] != word_[j])
                return false;
        return true;
    }

#if TAVEL_KEYWORD_SSE2
    __m128i anyCase(__m128i bytes, const __m128i* cases) const
    {
        __m128i eq = _mm_or_si128(_mm_cmpeq_epi8(bytes, cases[0]), _mm_cmpeq_epi8(bytes, cases[1]));
        if (fourCases_)
            eq = _mm_or_si128(eq, _mm_or_si128(_mm_cmpeq_epi8(bytes, cases[2]), _mm_cmpeq_epi8(bytes, cases[3])));
        return eq;
    }

    __m128i first_[4];
    __m128i last_[4];
    bool fourCases_ = false;
#endif
    QByteArray word_;
    bool possible_ = true;
    LetterTest firstTest_;
    LetterTest lastTest_;
    const std::array<char, 256>* lower_ = &lowerTable();
};

// Where the text lies in each record of a block.
struct TextField {
    int recordSize;
    int offset;   // of the length byte
    int capacity; // the most bytes the text holds
};

// Whether the word stands at `at` (a place of the block where its first and
// last letter stand in some case) within the text of the record there; if
// so, returns that record's index, else -1.
inline int recordHolding(const Folded& word, const char* block, qsizetype at, const TextField& text)
{
    const int record = int(at / text.recordSize);
    const qsizetype start = qsizetype(record) * text.recordSize + text.offset + 1;
    const qsizetype length = std::min<qsizetype>(uchar(block[start - 1]), text.capacity);
    if (at < start || at + word.size() > start + length || !word.middleAt(block + at))
        return -1;
    return record;
}

// Marks (marks[r] = 1) every record of a block of `count` records whose text
// holds the word, in one sweep over the block's bytes whatever the records'
// boundaries: sixteen or thirty-two places at a time are tried for the
// word's first and last letter, and only the places that pass are looked at
// closely. No record's length changes the sweep's course, so it runs without
// the mispredicted branches a search text by text pays at every text's end.
// The bytes beyond a text (whatever a file holds there) are swept too, and
// a place found there is not taken.
void markScalar(const Folded& word, const char* block, int count, const TextField& text, uchar* marks, qsizetype from)
{
    const auto& lower = lowerTable();
    const qsizetype m = word.size();
    const qsizetype last = qsizetype(count) * text.recordSize - m;
    const char first = word.word().front();
    const char final = word.word().back();
    for (qsizetype at = from; at <= last; ++at) {
        if (lower[uchar(block[at])] != first || lower[uchar(block[at + m - 1])] != final)
            continue;
        if (const int r = recordHolding(word, block, at, text); r >= 0) {
            marks[r] = 1;
            at = qsizetype(r + 1) * text.recordSize - 1; // on to the next record
        }
    }
}

#if TAVEL_KEYWORD_SSE2 || TAVEL_KEYWORD_AVX2
// One turn of a vector search: bit i of `places` says the word's first and
// last letters fit at place `at` + i. Each such place is checked whole, and a
// record found needs no look at its other places.
template <class Mask>
inline void markPlaces(const Folded& word, const char* block, const TextField& text, uchar* marks, qsizetype at,
                       Mask places)
{
    constexpr qsizetype bits = qsizetype(sizeof(Mask)) * 8;
    while (places != 0) {
        const qsizetype place = at + std::countr_zero(places);
        places &= places - 1;
        if (const int r = recordHolding(word, block, place, text); r >= 0) {
            marks[r] = 1;
            const qsizetype next = qsizetype(r + 1) * text.recordSize - at;
            places = next >= bits ? 0 : places & (~Mask(0) << next);
        }
    }
}
#endif

#if TAVEL_KEYWORD_SSE2
void markSse2(const Folded& word, const char* block, int count, const TextField& text, uchar* marks)
{
    const qsizetype m = word.size();
    const qsizetype last = qsizetype(count) * text.recordSize - m; // the last place
    const __m128i firstFold = _mm_set1_epi8(char(word.firstTest().fold));
    const __m128i firstValue = _mm_set1_epi8(char(word.firstTest().value));
    const __m128i lastFold = _mm_set1_epi8(char(word.lastTest().fold));
    const __m128i lastValue = _mm_set1_epi8(char(word.lastTest().value));
    qsizetype at = 0;
    for (; at + 15 <= last; at += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + at));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + at + m - 1));
        const quint32 places = quint32(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(a, firstFold), firstValue),
                                                                   _mm_cmpeq_epi8(_mm_or_si128(b, lastFold), lastValue))));
        markPlaces(word, block, text, marks, at, places);
    }
    markScalar(word, block, count, text, marks, at);
}
#endif

#if TAVEL_KEYWORD_AVX2
// Sixty-four places a turn, in two halves of thirty-two.
__attribute__((target("avx2"))) void markAvx2(const Folded& word, const char* block, int count,
                                               const TextField& text, uchar* marks)
{
    const qsizetype m = word.size();
    const qsizetype last = qsizetype(count) * text.recordSize - m;
    const __m256i firstFold = _mm256_set1_epi8(char(word.firstTest().fold));
    const __m256i firstValue = _mm256_set1_epi8(char(word.firstTest().value));
    const __m256i lastFold = _mm256_set1_epi8(char(word.lastTest().fold));
    const __m256i lastValue = _mm256_set1_epi8(char(word.lastTest().value));
    qsizetype at = 0;
    for (; at + 63 <= last; at += 64) {
        const char* t = block + at;
        const __m256i a0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t));
        const __m256i b0 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + m - 1));
        const __m256i a1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + 32));
        const __m256i b1 = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(t + 32 + m - 1));
        const quint32 low = quint32(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a0, firstFold), firstValue),
                             _mm256_cmpeq_epi8(_mm256_or_si256(b0, lastFold), lastValue))));
        const quint32 high = quint32(_mm256_movemask_epi8(
            _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(a1, firstFold), firstValue),
                             _mm256_cmpeq_epi8(_mm256_or_si256(b1, lastFold), lastValue))));
        markPlaces(word, block, text, marks, at, quint64(low) | quint64(high) << 32);
    }
    markScalar(word, block, count, text, marks, at);
}

bool hasAvx2()
{
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}
#endif

int g_widthLimit = 0; // see keyword_search::limitWidth

// marks[r] for the `count` records of a block: 1 when the record's text holds
// the word (an empty word: every record). `marks` is resized and cleared.
void markRecords(const Folded& word, const char* block, int count, const TextField& text, std::vector<uchar>& marks)
{
    marks.assign(size_t(count), word.size() == 0 ? 1 : 0);
    if (word.size() == 0 || !word.possible())
        return;
#if TAVEL_KEYWORD_AVX2
    if (g_widthLimit == 0 && hasAvx2())
        return markAvx2(word, block, count, text, marks.data());
#endif
#if TAVEL_KEYWORD_SSE2
    if (g_widthLimit == 0 || g_widthLimit >= 16)
        return markSse2(word, block, count, text, marks.data());
#endif
    markScalar(word, block, count, text, marks.data(), 0);
}

// The two keywords as bytes; `possible` is false when a keyword holds a
// character the code page cannot store (no stored text can hold it).
struct Keywords {
    Folded w1;
    Folded w2;
    bool possible = true;

    Keywords(const QString& word1, const QString& word2)
        : w1(cp1251::encode(keywordOf(word1))), w2(cp1251::encode(keywordOf(word2)))
    {
        possible = cp1251::canEncode(keywordOf(word1)) && cp1251::canEncode(keywordOf(word2));
    }

    // marks[r] = 1 for each of the `count` records of a block whose text
    // holds both words: the longer word (fewer places pass its letters) is
    // swept for over the whole block, the other one looked for only in the
    // texts that hold the first.
    void mark(const char* block, int count, const TextField& text, bool roomBefore, std::vector<uchar>& marks) const
    {
        const bool firstLonger = w1.size() >= w2.size();
        const Folded& swept = firstLonger ? w1 : w2;
        const Folded& other = firstLonger ? w2 : w1;
        markRecords(swept, block, count, text, marks);
        if (other.size() == 0)
            return;
        const FieldLayout field{"", text.offset, text.capacity + 1, FieldType::Text};
        for (int r = 0; r < count; ++r)
            if (marks[size_t(r)] && !other.in(textOf(block + qsizetype(r) * text.recordSize, field), roomBefore))
                marks[size_t(r)] = 0;
    }
};

// The kind of every topic, by its codes as stored (untrimmed): the first
// Tema.dat record with those codes decides.
QHash<QByteArray, bool> topicKinds(const QString& temaPath, TopicKind kind)
{
    QHash<QByteArray, bool> kinds;
    RecordScanner scanner(TopicRecord::layout(), 1024);
    scanner.scan(temaPath, [&](int, const RecordView& r) {
        QByteArray key = r.rawText(tema::SubjectCode).toByteArray();
        key += '\x01';
        key.append(r.rawText(tema::TopicCode));
        if (!kinds.contains(key))
            kinds.insert(key, topicOfKind(r.text(tema::TopicName), kind));
    });
    return kinds;
}

} // namespace

void keyword_search::limitWidth(int bytes)
{
    g_widthLimit = std::max(bytes, 0);
}

QString topicKindText(TopicKind kind)
{
    switch (kind) {
    case TopicKind::Any:
        return QStringLiteral("Любая");
    case TopicKind::Ege:
        return QStringLiteral("ЕГЭ");
    case TopicKind::Gia:
        return QStringLiteral("ГИА");
    case TopicKind::Neither:
        return QStringLiteral("без ЕГЭ  ГИА");
    }
    return {};
}

bool topicOfKind(const QString& topicName, TopicKind kind)
{
    const bool ege = topicName.contains(QStringLiteral("ЕГЭ"));
    const bool gia = topicName.contains(QStringLiteral("ГИА"));
    switch (kind) {
    case TopicKind::Any:
        return true;
    case TopicKind::Ege:
        return ege;
    case TopicKind::Gia:
        return gia;
    case TopicKind::Neither:
        return !ege && !gia;
    }
    return true;
}

QString keywordOf(const QString& text)
{
    return cp1251::toLower(trimmed(text));
}

QString keywordSetTitle(TopicKind kind, const QString& word1, const QString& word2)
{
    return topicKindText(kind) + QStringLiteral(" Ключевые слова: ") + keywordOf(word1) + u' ' + keywordOf(word2);
}

QuestionSet buildKeywordSet(const KeywordFiles& files, TopicKind kind, const QString& word1, const QString& word2,
                            AnswerCodes* answerCodes)
{
    if (answerCodes)
        *answerCodes = AnswerCodes();
    const QString where = QStringLiteral("Файл пакета %1").arg(QDir::toNativeSeparators(files.examPath));
    // Per package record its limit and its list of matching questions (in
    // `matches`, one list per topic: two records of one topic share it).
    std::vector<int> limits;
    std::vector<int> listOf;
    limits.reserve(files.package.size());
    listOf.reserve(files.package.size());
    CodeLookup<quint64> topicIndex(files.package.size());
    std::vector<std::vector<int>> matches; // indices into `kept`, file order
    for (size_t i = 0; i < files.package.size(); ++i) {
        limits.push_back(countOf(files.package[i], false, where, int(i)));
        const quint64 key = code_keys::package(files.package[i]);
        if (topicIndex.insert(key, int(matches.size())))
            matches.emplace_back();
        listOf.push_back(*topicIndex.find(key));
    }
    const Keywords words(word1, word2);
    if (!words.possible)
        return {};

    // First pass: the questions of the package's topics that hold the words,
    // kept whole (they are few) so the set needs no second read of them.
    const QHash<QByteArray, bool> kinds =
        kind == TopicKind::Any ? QHash<QByteArray, bool>() : topicKinds(files.temaPath, kind);
    const RecordLayout& layout = QuestionRecord::layout();
    const QuestionFields questionFields(layout, wopros::SubjectCode, wopros::TopicCode, wopros::TestCode,
                                        wopros::QuestionNo);
    const FieldLayout& questionText = layout.field(wopros::QuestionText);
    const bool questionRoom = questionText.offset + 1 >= kReadableBefore;
    QByteArray kept; // the records taken, one after another
    const int recordSize = layout.size;
    std::vector<code_keys::QuestionKey> codes; // of every question record, file order
    codes.reserve(size_t(RecordFile::countOnDisk(files.woprosPath, layout)));
    QByteArray stored;
    // The questions of a topic mostly lie one after another: a run of
    // records with the same leading code bytes is looked up once.
    HeadRuns topicRuns(layout, {wopros::SubjectCode, wopros::TopicCode});
    std::vector<int>* into = nullptr; // the list of the record's topic, when in the package
    std::vector<uchar> marks;
    const TextField questionField{recordSize, questionText.offset, questionText.capacity()};
    RecordScanner questions(layout);
    questions.scanBlocks(files.woprosPath, [&](int, const char* block, int count) {
        words.mark(block, count, questionField, questionRoom, marks);
        const size_t codesAt = codes.size();
        codes.resize(codesAt + size_t(count));
        code_keys::QuestionKey* code = codes.data() + codesAt;
        for (int k = 0; k < count; ++k)
            code[k] = questionFields.key(block + qsizetype(k) * recordSize);
        topicRuns.forEachRun(block, count, recordSize, [&](const char* run, int first, int n, bool starts) {
            if (starts) {
                const int* found = topicIndex.find(questionFields.topic.key(run));
                into = found ? &matches[size_t(*found)] : nullptr;
            }
            if (!into)
                return;
            for (int k = first; k < first + n; ++k) {
                if (!marks[size_t(k)])
                    continue;
                const char* record = block + qsizetype(k) * recordSize;
                if (kind != TopicKind::Any) {
                    const RecordView r(layout, QByteArrayView(record, recordSize));
                    stored = r.rawText(wopros::SubjectCode).toByteArray();
                    stored += '\x01';
                    stored.append(r.rawText(wopros::TopicCode));
                    // A question of a topic missing from Tema.dat has no name to judge.
                    if (!kinds.value(stored, false))
                        continue;
                }
                into->push_back(int(kept.size() / recordSize));
                kept.append(record, recordSize);
            }
        });
    });

    QuestionSet set;
    CodeLookup<code_keys::QuestionKey> inSet;
    for (size_t i = 0; i < files.package.size(); ++i) {
        const std::vector<int>& found = matches[size_t(listOf[i])];
        const int limit = limits[i] > 0 ? std::min(limits[i], int(found.size())) : int(found.size());
        for (int k = 0; k < limit; ++k) {
            const char* record = kept.constData() + qsizetype(found[size_t(k)]) * recordSize;
            set.appendStored(record);
            inSet.insert(questionFields.key(record), 0);
        }
    }

    // Second pass: the answers name the questions still wanted, in answer
    // order; the first record of each is found among the codes kept and read
    // where it lies. The codes of the answers of one question are looked at
    // once, on its first answer.
    std::vector<code_keys::QuestionKey> pending;
    const QuestionFields answerFields(AnswerRecord::layout(), otwet::SubjectCode, otwet::TopicCode, otwet::TestCode,
                                      otwet::QuestionNo);
    HeadRuns runs(AnswerRecord::layout(), {otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo});
    const FieldLayout& answerText = AnswerRecord::layout().field(otwet::AnswerText);
    const bool answerRoom = answerText.offset + 1 >= kReadableBefore;
    code_keys::QuestionKey key;
    RecordScanner answers(AnswerRecord::layout());
    const int answerSize = AnswerRecord::layout().size;
    const TextField answerField{answerSize, answerText.offset, answerText.capacity()};
    std::vector<AnswerRun>* answerRuns = answerCodes ? &answerCodes->runs : nullptr;
    if (answerRuns)
        answerRuns->reserve(size_t(RecordFile::countOnDisk(files.otwetPath, AnswerRecord::layout()) / 2));
    // The records of the current run are kept while its question is in the
    // set: from its start when it was then, or from where its question came
    // in when the run started in this block.
    bool keeping = false;
    const char* runStart = nullptr; // in this block; null when the run began in an earlier one
    const int answerCount = answers.scanBlocks(files.otwetPath, [&](int firstIndex, const char* block, int count) {
        words.mark(block, count, answerField, answerRoom, marks);
        runStart = nullptr;
        runs.forEachRun(block, count, answerSize, [&](const char* run, int first, int n, bool starts) {
            if (starts) {
                key = answerFields.key(run);
                runStart = run;
                if (answerRuns) {
                    answerRuns->push_back({key, firstIndex + first, 0});
                    keeping = inSet.contains(key);
                    if (keeping)
                        answerCodes->kept.emplace_back(int(answerRuns->size() - 1), answerCodes->records.size());
                }
            }
            // The answers of one question name it once.
            const uchar* mark = marks.data() + first;
            const bool added = std::any_of(mark, mark + n, [](uchar m) { return m != 0; }) && inSet.insert(key, 0);
            if (added)
                pending.push_back(key);
            if (!answerRuns)
                return;
            if (added && runStart) {
                // Kept from the run's start, within this block.
                keeping = true;
                answerCodes->kept.emplace_back(int(answerRuns->size() - 1), answerCodes->records.size());
                answerCodes->records.append(runStart, run - runStart);
            }
            if (keeping)
                answerCodes->records.append(run, qsizetype(n) * answerSize);
        });
    });
    // Each run reaches to the next one's start, the last to the file's end.
    if (answerRuns)
        for (size_t r = 0; r < answerRuns->size(); ++r)
            (*answerRuns)[r].count =
                (r + 1 < answerRuns->size() ? (*answerRuns)[r + 1].first : answerCount) - (*answerRuns)[r].first;
    if (pending.empty())
        return set;
    // The first record of each, -1 until found; a quarter full at most, so
    // that the codes of other questions are told at the first look.
    CodeLookup<code_keys::QuestionKey> first(2 * pending.size());
    for (const code_keys::QuestionKey& k : pending)
        first.insert(k, -1);
    size_t unfound = first.size();
    for (int i = 0; i < int(codes.size()) && unfound > 0; ++i) {
        if (int* at = first.find(codes[size_t(i)]); at && *at < 0) {
            *at = i;
            --unfound;
        }
    }
    std::vector<int> indices;
    for (const code_keys::QuestionKey& k : pending)
        if (const int i = *first.find(k); i >= 0)
            indices.push_back(i);
    std::vector<int> sorted = indices;
    std::sort(sorted.begin(), sorted.end());
    const std::vector<QByteArray> bytes = questions.readAt(files.woprosPath, sorted);
    for (const int index : indices) {
        const size_t at = size_t(std::lower_bound(sorted.begin(), sorted.end(), index) - sorted.begin());
        set.appendStored(bytes[at].constData());
    }
    return set;
}

} // namespace tavel
