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

private:
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
    const std::array<char, 256>* lower_ = &lowerTable();
};

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

    bool foundIn(QByteArrayView text, bool roomBefore) const
    {
        return w1.in(text, roomBefore) && w2.in(text, roomBefore);
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
        answerCodes->clear();
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
    std::vector<QByteArray> kept;
    std::vector<code_keys::QuestionKey> codes; // of every question record, file order
    codes.reserve(size_t(RecordFile::countOnDisk(files.woprosPath, layout)));
    QByteArray stored;
    // The questions of a topic mostly lie one after another: a run of
    // records with the same leading code bytes is looked up once.
    HeadRuns topicRuns(layout, {wopros::SubjectCode, wopros::TopicCode});
    std::vector<int>* into = nullptr; // the list of the record's topic, when in the package
    RecordScanner questions(layout);
    questions.scan(files.woprosPath, [&](int, const RecordView& r) {
        const char* record = r.bytes().data();
        codes.push_back(questionFields.key(record));
        if (topicRuns.startsRun(record)) {
            const int* list = topicIndex.find(questionFields.topic.key(record));
            into = list ? &matches[size_t(*list)] : nullptr;
        }
        if (!into || !words.foundIn(textOf(record, questionText), questionRoom))
            return;
        if (kind != TopicKind::Any) {
            stored = r.rawText(wopros::SubjectCode).toByteArray();
            stored += '\x01';
            stored.append(r.rawText(wopros::TopicCode));
            // A question of a topic missing from Tema.dat has no name to judge.
            if (!kinds.value(stored, false))
                return;
        }
        into->push_back(int(kept.size()));
        kept.push_back(r.bytes().toByteArray());
    });

    QuestionSet set;
    CodeLookup<code_keys::QuestionKey> inSet;
    for (size_t i = 0; i < files.package.size(); ++i) {
        const std::vector<int>& found = matches[size_t(listOf[i])];
        const int limit = limits[i] > 0 ? std::min(limits[i], int(found.size())) : int(found.size());
        for (int k = 0; k < limit; ++k) {
            const QByteArray& bytes = kept[size_t(found[size_t(k)])];
            set.appendStored(bytes.constData());
            inSet.insert(questionFields.key(bytes.constData()), 0);
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
    answers.scan(files.otwetPath, [&](int i, const RecordView& a) {
        const char* record = a.bytes().data();
        if (runs.startsRun(record)) {
            key = answerFields.key(record);
            if (answerCodes)
                answerCodes->push_back({key, i, 0});
        }
        if (answerCodes)
            ++answerCodes->back().count;
        if (words.foundIn(textOf(record, answerText), answerRoom) && inSet.insert(key, 0))
            pending.push_back(key);
    });
    if (pending.empty())
        return set;
    CodeLookup<code_keys::QuestionKey> first(pending.size()); // the first record of each, -1 until found
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
