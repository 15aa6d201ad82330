// The two passes of the keyword set, on the raw Windows-1251 bytes: texts are
// lower-cased byte by byte through a table, so no record is decoded unless it
// is taken.
#include "sets/keyword_set.h"

#include "sets/code_keys.h"
#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/text.h"

#include <QDir>
#include <QHash>
#include <QSet>
#include <array>
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

// Lower-cases `text` into `buffer` (reused between calls).
QByteArrayView lowered(QByteArrayView text, QByteArray& buffer)
{
    const auto& table = lowerTable();
    buffer.resize(text.size());
    char* out = buffer.data();
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = table[uchar(text[i])];
    return QByteArrayView(buffer.constData(), text.size());
}

// The two keywords as bytes; `possible` is false when a keyword holds a
// character the code page cannot store (no stored text can hold it).
struct Keywords {
    QByteArray w1;
    QByteArray w2;
    bool possible = true;

    Keywords(const QString& word1, const QString& word2)
    {
        const QString a = keywordOf(word1);
        const QString b = keywordOf(word2);
        possible = cp1251::canEncode(a) && cp1251::canEncode(b);
        w1 = cp1251::encode(a);
        w2 = cp1251::encode(b);
    }

    bool foundIn(QByteArrayView lowerText) const
    {
        return (w1.isEmpty() || lowerText.indexOf(w1) >= 0) && (w2.isEmpty() || lowerText.indexOf(w2) >= 0);
    }
};

// The kind of every topic, by its codes as stored (untrimmed): the first
// Tema.dat record with those codes decides.
QHash<QByteArray, bool> topicKinds(const RecordFile& tema, TopicKind kind)
{
    QHash<QByteArray, bool> kinds;
    for (int i = 0; i < tema.count(); ++i) {
        const RecordView r = tema.at(i);
        QByteArray key = r.rawText(tema::SubjectCode).toByteArray();
        key += '\x01';
        key.append(r.rawText(tema::TopicCode));
        if (!kinds.contains(key))
            kinds.insert(key, topicOfKind(r.text(tema::TopicName), kind));
    }
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

QuestionSet buildKeywordSet(const KeywordFiles& files, TopicKind kind, const QString& word1, const QString& word2)
{
    const QString where = QStringLiteral("Файл пакета %1").arg(QDir::toNativeSeparators(files.examPath));
    std::vector<int> limits;
    limits.reserve(files.package.size());
    QHash<QByteArray, std::vector<int>> matches; // package topic -> matching questions, file order
    for (size_t i = 0; i < files.package.size(); ++i) {
        const PackageRecord& row = files.package[i];
        limits.push_back(countOf(row, false, where, int(i)));
        matches.insert(code_keys::package(row), {});
    }
    const Keywords words(word1, word2);
    if (!words.possible)
        return {};

    const RecordFile& wopros = *files.wopros;
    const QHash<QByteArray, bool> kinds = kind == TopicKind::Any ? QHash<QByteArray, bool>() : topicKinds(*files.tema, kind);
    QByteArray buffer;
    QByteArray key;
    for (int i = 0; i < wopros.count(); ++i) {
        const RecordView r = wopros.at(i);
        key = code_keys::topic(r, wopros::SubjectCode, wopros::TopicCode);
        const auto it = matches.find(key);
        if (it == matches.end() || !words.foundIn(lowered(r.rawText(wopros::QuestionText), buffer)))
            continue;
        if (kind != TopicKind::Any) {
            QByteArray stored = r.rawText(wopros::SubjectCode).toByteArray();
            stored += '\x01';
            stored.append(r.rawText(wopros::TopicCode));
            // A question of a topic missing from Tema.dat has no name to judge.
            if (!kinds.value(stored, false))
                continue;
        }
        it->push_back(i);
    }

    QuestionSet set;
    QSet<QByteArray> inSet;
    for (size_t i = 0; i < files.package.size(); ++i) {
        const PackageRecord& row = files.package[i];
        const std::vector<int>& found = matches.value(code_keys::package(row));
        const int limit = limits[i] > 0 ? std::min(limits[i], int(found.size())) : int(found.size());
        for (int k = 0; k < limit; ++k) {
            const RecordView r = wopros.at(found[size_t(k)]);
            set.push_back(QuestionRecord::decode(r));
            inSet.insert(code_keys::question(r, wopros::SubjectCode, wopros::TopicCode, wopros::TestCode, wopros::QuestionNo));
        }
    }

    // The answers name the questions still wanted, in answer order; one more
    // pass over the questions finds the first record of each.
    const RecordFile& otwet = *files.otwet;
    std::vector<QByteArray> pending;
    for (int i = 0; i < otwet.count(); ++i) {
        const RecordView a = otwet.at(i);
        if (!words.foundIn(lowered(a.rawText(otwet::AnswerText), buffer)))
            continue;
        key = code_keys::question(a, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode, otwet::QuestionNo);
        if (!inSet.contains(key)) {
            inSet.insert(key);
            pending.push_back(key);
        }
    }
    if (pending.empty())
        return set;
    QHash<QByteArray, int> first;
    first.reserve(qsizetype(pending.size()));
    for (const QByteArray& k : pending)
        first.insert(k, -1);
    for (int i = 0; i < wopros.count(); ++i) {
        const RecordView r = wopros.at(i);
        key = code_keys::question(r, wopros::SubjectCode, wopros::TopicCode, wopros::TestCode, wopros::QuestionNo);
        if (auto it = first.find(key); it != first.end() && *it < 0)
            *it = i;
    }
    for (const QByteArray& k : pending) {
        if (const int i = first.value(k, -1); i >= 0)
            set.push_back(QuestionRecord::decode(wopros.at(i)));
    }
    return set;
}

} // namespace tavel
