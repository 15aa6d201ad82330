// The EGE reader: marking, the work file and the assembly of the rows. The
// three phases work on views of the file's lines with a marker code each; the
// records of EGE.dat are made only as they are written.
#include "authoring/import_ege.h"

#include "authoring/import_text.h"
#include "storage/atomic_save.h"
#include "storage/record.h"
#include "storage/text.h"

#include <cstring>

namespace tavel::import {
namespace {

enum class Mark : quint8 { None, Task, Answer, Before, End };

// A record of EGE.dat before it is written: its marker and its line's text
// (cut to kEgeLineLimit).
struct MarkedLine {
    Mark mark;
    QStringView text;
};

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
    auto text = [&](size_t i) { return trimmedView(records[i].text); };
    auto ends = [&](size_t i) { return i >= n || marker(i) == Mark::End; };
    // The texts of records [from, to) after `lead`, each after one blank, in
    // one string made at once.
    auto joined = [&](QStringView lead, size_t from, size_t to) {
        qsizetype size = lead.size();
        for (size_t k = from; k < to; ++k)
            size += 1 + text(k).size();
        QString line;
        line.reserve(size);
        line.append(lead);
        for (size_t k = from; k < to; ++k)
            line.append(QLatin1Char(' ')).append(text(k));
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
            const QString lead = number + QStringLiteral(". ");
            const size_t from = ++i;
            while (!ends(i) && marker(i) != Mark::Answer)
                ++i;
            ImportRow row;
            row.answerText = joined(lead, from, i);
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
        row.answerText = joined(text(from), from + 1, i);
        out.rows.push_back(std::move(row));
    }
    return out;
}

// Rewrites EGE.dat with `count` records, record i filled into a buffer by
// `fill(i, buffer)`. An exam paper of 50 000 questions is half a million
// records, over 100 MB: they are encoded into one block of records after
// another and each block is streamed to the file at once.
template <class Fill>
void writeRecords(const QString& path, size_t count, Fill fill)
{
    constexpr size_t kBlockRecords = 4096;
    const int size = EgeRecord::layout().size;
    saveAtomically(path, [&](QIODevice& device) {
        RecordBuffer record(EgeRecord::layout());
        QByteArray block(qsizetype(std::min(count, kBlockRecords)) * size, Qt::Uninitialized);
        for (size_t first = 0; first < count; first += kBlockRecords) {
            const size_t inBlock = std::min(kBlockRecords, count - first);
            char* to = block.data();
            for (size_t i = first; i < first + inBlock; ++i, to += size) {
                fill(i, record);
                std::memcpy(to, record.bytes().constData(), size_t(size));
            }
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
        records.push_back({markerText(m.mark).toString(), m.text.toString()});
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
    writeRecords(path, records.size(), [&](size_t i, RecordBuffer& into) { records[i].encode(into); });
}

ReadResult readEgeLayout(Lines lines, const QString& workFile)
{
    const std::vector<MarkedLine> marked = markLines(lines);
    writeRecords(workFile, marked.size(), [&](size_t i, RecordBuffer& into) {
        into.setText(ege::LineMarker, markerText(marked[i].mark));
        into.setText(ege::LineText, marked[i].text);
    });
    return assemble(marked);
}

} // namespace tavel::import
