// The EGE reader: marking, the work file and the assembly of the rows.
#include "authoring/import_ege.h"

#include "authoring/import_text.h"
#include "storage/atomic_save.h"
#include "storage/record.h"
#include "storage/text.h"

#include <cstring>

namespace tavel::import {
namespace {

const QString& taskMark() { static const QString s = QStringLiteral("НВ"); return s; }
const QString& answerStart() { static const QString s = QStringLiteral("НО"); return s; }
const QString& beforeStart() { static const QString s = QStringLiteral("КК"); return s; }
const QString& endMark() { static const QString s = QStringLiteral("КТ"); return s; }

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool isTaskLabel(const QString& line)
{
    if (line.size() < 2 || !isDigit(line[1]))
        return false;
    const char16_t c = line[0].unicode();
    return c == u'А' || c == u'В' || c == u'A' || c == u'B';
}

bool isAnswerStart(const QString& line)
{
    for (qsizetype i = 1; i <= 3 && i < line.size(); ++i)
        if (line[i] == QLatin1Char(')'))
            return true;
    return false;
}

} // namespace

std::vector<EgeRecord> markEgeLines(const QStringList& lines)
{
    std::vector<EgeRecord> records;
    records.reserve(size_t(lines.size()) + 1);
    for (const QString& line : lines) {
        if (line.isEmpty())
            continue;
        EgeRecord record;
        record.lineText = line.left(kEgeLineLimit);
        const bool answer = isAnswerStart(line);
        if (answer || isTaskLabel(line)) {
            record.lineMarker = answer ? answerStart() : taskMark();
            if (!records.empty())
                records.back().lineMarker = beforeStart();
        }
        records.push_back(std::move(record));
    }
    if (!records.empty())
        records.back().lineMarker = beforeStart();
    records.push_back({endMark(), QStringLiteral("Конец Теста")});
    return records;
}

ReadResult assembleEge(const std::vector<EgeRecord>& records)
{
    ReadResult out;
    if (records.empty())
        return out;
    out.rows.reserve(records.size());
    const size_t n = records.size();
    auto marker = [&](size_t i) { return trimmedView(records[i].lineMarker); };
    auto text = [&](size_t i) { return trimmedView(records[i].lineText); };
    auto ends = [&](size_t i) { return i >= n || marker(i) == endMark(); };
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
    const QStringView first = text(0);
    title.answerText = first.size() == records[0].lineText.size() ? records[0].lineText : first.toString();
    out.rows.push_back(std::move(title));

    int count = 0;
    QString number = QString::number(count);
    size_t i = 1;
    while (!ends(i)) {
        if (marker(i) == taskMark()) {
            number = QString::number(++count);
            const QString lead = number + QStringLiteral(". ");
            const size_t from = ++i;
            while (!ends(i) && marker(i) != answerStart())
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
            if (!ends(i) && marker(i) != answerStart() && marker(i) != taskMark())
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

void writeEgeFile(const QString& path, const std::vector<EgeRecord>& records)
{
    // An exam paper of 50 000 questions is half a million records, over
    // 100 MB: they are encoded into one block of records after another and
    // each block is streamed to the file at once.
    constexpr size_t kBlockRecords = 4096;
    const int size = EgeRecord::layout().size;
    saveAtomically(path, [&](QIODevice& device) {
        RecordBuffer record(EgeRecord::layout());
        QByteArray block(qsizetype(std::min(records.size(), kBlockRecords)) * size, Qt::Uninitialized);
        for (size_t first = 0; first < records.size(); first += kBlockRecords) {
            const size_t count = std::min(kBlockRecords, records.size() - first);
            char* to = block.data();
            for (size_t i = first; i < first + count; ++i, to += size) {
                records[i].encode(record);
                std::memcpy(to, record.bytes().constData(), size_t(size));
            }
            const qint64 bytes = qint64(count) * size;
            if (device.write(block.constData(), bytes) != bytes)
                return false;
        }
        return true;
    });
}

ReadResult readEgeLayout(const QStringList& lines, const QString& workFile)
{
    const std::vector<EgeRecord> records = markEgeLines(lines);
    writeEgeFile(workFile, records);
    return assembleEge(records);
}

} // namespace tavel::import
