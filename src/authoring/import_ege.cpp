// The EGE reader: marking, the work file and the assembly of the rows. The
// three phases work on views of the file's lines with a marker code each; the
// records of EGE.dat are made only as they are written.
#include "authoring/import_ege.h"

#include "authoring/import_text.h"
#include "storage/atomic_save.h"
#include "storage/record.h"
#include "storage/text.h"

#include <array>
#include <climits>
#include <cstring>

namespace tavel::import {
namespace {

enum class Mark : quint8 { None, Task, Answer, Before, End };

// A record of EGE.dat before it is written: its marker and its line's text
// (cut to kEgeLineLimit). 16 bytes: half a million of them for a large paper.
struct MarkedLine {
    MarkedLine(Mark m, QStringView t) : data(t.data()), size(qint32(std::min<qsizetype>(t.size(), INT_MAX))), mark(m) {}
    QStringView text() const { return {data, size}; }

    const QChar* data;
    qint32 size;
    Mark mark;
};
static_assert(sizeof(MarkedLine) == 16);

constexpr QStringView kEndText = u"Конец Теста";

QStringView markerText(Mark mark)
{
    switch (mark) {
    case Mark::Task:
        return u"НВ";
    case Mark::Answer:
        return u"НО";
    case Mark::Before:
        return u"КК";
    case Mark::End:
        return u"КТ";
    case Mark::None:
        break;
    }
    return {};
}

// The marker of a record as the assembly reads it (trimmed; any other text
// marks nothing).
Mark markOf(QStringView marker)
{
    const QStringView m = trimmedView(marker);
    for (Mark mark : {Mark::Task, Mark::Answer, Mark::Before, Mark::End})
        if (m == markerText(mark))
            return mark;
    return Mark::None;
}

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool isTaskLabel(QStringView line)
{
    if (line.size() < 2 || !isDigit(line[1]))
        return false;
    const char16_t c = line[0].unicode();
    return c == u'А' || c == u'В' || c == u'A' || c == u'B';
}

bool isAnswerStart(QStringView line)
{
    for (qsizetype i = 1; i <= 3 && i < line.size(); ++i)
        if (line[i] == QLatin1Char(')'))
            return true;
    return false;
}

// Phase A.
std::vector<MarkedLine> markLines(Lines lines)
{
    std::vector<MarkedLine> marked;
    marked.reserve(lines.size() + 1);
    for (const QStringView line : lines) {
        if (line.isEmpty())
            continue;
        MarkedLine m{Mark::None, line.left(kEgeLineLimit)};
        const bool answer = isAnswerStart(line);
        if (answer || isTaskLabel(line)) {
            m.mark = answer ? Mark::Answer : Mark::Task;
            if (!marked.empty())
                marked.back().mark = Mark::Before;
        }
        marked.push_back(m);
    }
    if (!marked.empty())
        marked.back().mark = Mark::Before;
    marked.push_back({Mark::End, kEndText});
    return marked;
}

// Phase C.
ReadResult assemble(std::span<const MarkedLine> records)
{
    ReadResult out;
    if (records.empty())
        return out;
    out.rows.reserve(records.size());
    const size_t n = records.size();
    auto marker = [&](size_t i) { return records[i].mark; };
    auto text = [&](size_t i) { return trimmedView(records[i].text()); };
    auto ends = [&](size_t i) { return i >= n || marker(i) == Mark::End; };
    // `lead` and `lead2`, then the texts of records [from, to), each after one
    // blank, in one string made at once.
    auto joined = [&](QStringView lead, QStringView lead2, size_t from, size_t to) {
        qsizetype size = lead.size() + lead2.size();
        for (size_t k = from; k < to; ++k)
            size += 1 + text(k).size();
        QString line(size, Qt::Uninitialized);
        QChar* at = line.data();
        auto put = [&at](QStringView part) {
            if (part.isEmpty())
                return; // an empty view may have no data at all
            std::memcpy(at, part.data(), size_t(part.size()) * sizeof(QChar));
            at += part.size();
        };
        put(lead);
        put(lead2);
        for (size_t k = from; k < to; ++k) {
            *at++ = QLatin1Char(' ');
            put(text(k));
        }
        return line;
    };

    ImportRow title;
    title.answerText = text(0).toString();
    out.rows.push_back(std::move(title));

    int count = 0;
    QString number = QString::number(count);
    size_t i = 1;
    while (!ends(i)) {
        if (marker(i) == Mark::Task) {
            number = QString::number(++count);
            const size_t from = ++i;
            while (!ends(i) && marker(i) != Mark::Answer)
                ++i;
            ImportRow row;
            row.answerText = joined(number, u". ", from, i);
            row.questionNo = number;
            out.rows.push_back(std::move(row));
            if (ends(i))
                break;
        }
        // An answer: its line, the line after it always, and one more unless
        // that one starts a task or an answer of its own.
        const size_t from = i++;
        if (!ends(i)) {
            ++i;
            if (!ends(i) && marker(i) != Mark::Answer && marker(i) != Mark::Task)
                ++i;
        }
        ImportRow row;
        row.questionNo = number;
        markAnswer(row, text(from), true, true);
        row.answerText = joined(text(from), {}, from + 1, i);
        out.rows.push_back(std::move(row));
    }
    return out;
}

// Records of EGE.dat in blocks of this many: a block of 1.7 MB goes to the
// disk as it stands (a save passes writes of 1 MB and more straight through),
// and an exam paper of 50 000 questions, half a million records and over
// 100 MB, is never held whole.
constexpr size_t kBlockRecords = 8192;

// Rewrites EGE.dat with `count` records, record i put into its 217 bytes by
// `fill(i, bytes)`.
template <class Fill>
void writeRecords(const QString& path, size_t count, Fill fill)
{
    const int size = EgeRecord::layout().size;
    saveAtomically(path, [&](QIODevice& device) {
        QByteArray block(qsizetype(std::min(count, kBlockRecords)) * size, Qt::Uninitialized);
        for (size_t first = 0; first < count; first += kBlockRecords) {
            const size_t inBlock = std::min(kBlockRecords, count - first);
            char* to = block.data();
            for (size_t i = first; i < first + inBlock; ++i, to += size)
                fill(i, to);
            const qint64 bytes = qint64(inBlock) * size;
            if (device.write(block.constData(), bytes) != bytes)
                return false;
        }
        return true;
    });
}

} // namespace

std::vector<EgeRecord> markEgeLines(Lines lines)
{
    const std::vector<MarkedLine> marked = markLines(lines);
    std::vector<EgeRecord> records;
    records.reserve(marked.size());
    for (const MarkedLine& m : marked)
        records.push_back({markerText(m.mark).toString(), m.text().toString()});
    return records;
}

ReadResult assembleEge(const std::vector<EgeRecord>& records)
{
    std::vector<MarkedLine> marked;
    marked.reserve(records.size());
    for (const EgeRecord& r : records)
        marked.push_back({markOf(r.lineMarker), r.lineText});
    return assemble(marked);
}

void writeEgeFile(const QString& path, const std::vector<EgeRecord>& records)
{
    // The two text fields are the whole record.
    const FieldLayout& markerField = EgeRecord::layout().field(ege::LineMarker);
    const FieldLayout& textField = EgeRecord::layout().field(ege::LineText);
    writeRecords(path, records.size(), [&](size_t i, char* to) {
        writeTextField(to + markerField.offset, markerField, records[i].lineMarker);
        writeTextField(to + textField.offset, textField, records[i].lineText);
    });
}

ReadResult readEgeLayout(Lines lines, const QString& workFile)
{
    const std::vector<MarkedLine> marked = markLines(lines);
    // The marker field of each marker, encoded once.
    const FieldLayout& markerField = EgeRecord::layout().field(ege::LineMarker);
    const FieldLayout& textField = EgeRecord::layout().field(ege::LineText);
    std::array<std::array<char, 6>, 5> markers;
    static_assert(sizeof(markers[0]) == 6);
    Q_ASSERT(markerField.offset == 0 && markerField.size == 6);
    for (Mark mark : {Mark::None, Mark::Task, Mark::Answer, Mark::Before, Mark::End})
        writeTextField(markers[size_t(mark)].data(), markerField, markerText(mark));
    writeRecords(workFile, marked.size(), [&](size_t i, char* to) {
        std::memcpy(to + markerField.offset, markers[size_t(marked[i].mark)].data(), 6);
        writeTextField(to + textField.offset, textField, marked[i].text());
    });
    return assemble(marked);
}

} // namespace tavel::import
