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
#include <QSet>
#include <array>
#include <algorithm>
#include <cstring>

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

// A keyword, lower case, as the search uses it: its bytes and the bytes
// whose lower case is its first byte (the letter in either case).
struct Folded {
    QByteArray word;
    char starts[4] = {};
    int startCount = 0;
    const std::array<char, 256>* lower_ = &lowerTable();

    explicit Folded(QByteArray lowerWord) : word(std::move(lowerWord))
    {
        if (word.isEmpty())
            return;
        const auto& lower = lowerTable();
        for (int b = 0; b < 256; ++b)
            if (lower[size_t(b)] == word[0] && startCount < 4)
                starts[startCount++] = char(b);
    }

    // True when the text, lower-cased, holds the word. The first letter is
    // found with memchr in each of its cases, the rest compared through the
    // lower-case table, so the text is neither copied nor walked byte by byte.
    bool in(QByteArrayView text) const
    {
        const qsizetype m = word.size();
        if (m == 0)
            return true;
        const auto& lower = *lower_;
        const char* t = text.data();
        const qsizetype last = text.size() - m; // the last place the word can start
        for (int s = 0; s < startCount; ++s) {
            qsizetype from = 0;
            while (from <= last) {
                const void* hit = std::memchr(t + from, starts[s], size_t(last - from + 1));
                if (!hit)
                    break;
                const qsizetype i = static_cast<const char*>(hit) - t;
                qsizetype j = 1;
                while (j < m && lower[uchar(t[i + j])] == word[j])
                    ++j;
                if (j == m)
                    return true;
                from = i + 1;
            }
        }
        return false;
    }
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

    bool foundIn(QByteArrayView text) const { return w1.in(text) && w2.in(text); }
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
    std::vector<int> limits;
    limits.reserve(files.package.size());
    QHash<quint64, std::vector<int>> matches; // package topic -> matching questions, file order
    for (size_t i = 0; i < files.package.size(); ++i) {
        limits.push_back(countOf(files.package[i], false, where, int(i)));
        matches.insert(code_keys::package(files.package[i]), {});
    }
    const Keywords words(word1, word2);
    if (!words.possible)
        return {};

    // First pass: the questions of the package's topics that hold the words,
    // kept whole (they are few) so the set needs no second read of them.
    const QHash<QByteArray, bool> kinds =
        kind == TopicKind::Any ? QHash<QByteArray, bool>() : topicKinds(files.temaPath, kind);
    std::vector<QByteArray> kept;
    std::vector<code_keys::QuestionKey> codes; // of every question record, file order
    codes.reserve(size_t(RecordFile::countOnDisk(files.woprosPath, QuestionRecord::layout())));
    QByteArray stored;
    RecordScanner questions(QuestionRecord::layout());
    questions.scan(files.woprosPath, [&](int, const RecordView& r) {
        codes.push_back(
            code_keys::question(r, wopros::SubjectCode, wopros::TopicCode, wopros::TestCode, wopros::QuestionNo));
        const auto it = matches.find(code_keys::topic(r, wopros::SubjectCode, wopros::TopicCode));
        if (it == matches.end() || !words.foundIn(r.rawText(wopros::QuestionText)))
            return;
        if (kind != TopicKind::Any) {
            stored = r.rawText(wopros::SubjectCode).toByteArray();
            stored += '\x01';
            stored.append(r.rawText(wopros::TopicCode));
            // A question of a topic missing from Tema.dat has no name to judge.
            if (!kinds.value(stored, false))
                return;
        }
        it->push_back(int(kept.size()));
        kept.push_back(r.bytes().toByteArray());
    });

    QuestionSet set;
    QSet<code_keys::QuestionKey> inSet;
    const RecordLayout& layout = QuestionRecord::layout();
    for (size_t i = 0; i < files.package.size(); ++i) {
        const std::vector<int>& found = matches[code_keys::package(files.package[i])];
        const int limit = limits[i] > 0 ? std::min(limits[i], int(found.size())) : int(found.size());
        for (int k = 0; k < limit; ++k) {
            const RecordView r(layout, kept[size_t(found[size_t(k)])]);
            set.push_back(QuestionRecord::decode(r));
            inSet.insert(code_keys::question(r, wopros::SubjectCode, wopros::TopicCode, wopros::TestCode,
                                             wopros::QuestionNo));
        }
    }

    // Second pass: the answers name the questions still wanted, in answer
    // order; the first record of each is found among the codes kept and read
    // where it lies.
    std::vector<code_keys::QuestionKey> pending;
    RecordScanner answers(AnswerRecord::layout());
    if (answerCodes)
        answerCodes->reserve(size_t(RecordFile::countOnDisk(files.otwetPath, AnswerRecord::layout())));
    answers.scan(files.otwetPath, [&](int, const RecordView& a) {
        if (answerCodes)
            answerCodes->push_back(
                code_keys::question(a, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo));
        if (!words.foundIn(a.rawText(otwet::AnswerText)))
            return;
        const code_keys::QuestionKey key =
            code_keys::question(a, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo);
        if (!inSet.contains(key)) {
            inSet.insert(key);
            pending.push_back(key);
        }
    });
    if (pending.empty())
        return set;
    QHash<code_keys::QuestionKey, int> first;
    first.reserve(qsizetype(pending.size()));
    for (const code_keys::QuestionKey& k : pending)
        first.insert(k, -1);
    for (int i = 0; i < int(codes.size()); ++i) {
        if (auto it = first.find(codes[size_t(i)]); it != first.end() && *it < 0)
            *it = i;
    }
    std::vector<int> indices;
    for (const code_keys::QuestionKey& k : pending)
        if (const int i = first.value(k); i >= 0)
            indices.push_back(i);
    std::vector<int> sorted = indices;
    std::sort(sorted.begin(), sorted.end());
    const std::vector<QByteArray> bytes = questions.readAt(files.woprosPath, sorted);
    for (const int index : indices) {
        const size_t at = size_t(std::lower_bound(sorted.begin(), sorted.end(), index) - sorted.begin());
        set.push_back(QuestionRecord::decode(RecordView(layout, bytes[at])));
    }
    return set;
}

} // namespace tavel
