// The EGE reader: marking, the work file and the assembly of the rows.
#include "authoring/import_ege.h"

#include "authoring/import_text.h"
#include "storage/atomic_save.h"
#include "storage/text.h"

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
    auto text = [&](size_t i) {
        const QString& t = records[i].lineText;
        const QStringView v = trimmedView(t);
        return v.size() == t.size() ? t : v.toString();
    };
    auto ends = [&](size_t i) { return i >= n || marker(i) == endMark(); };

    ImportRow title;
    title.answerText = text(0);
    out.rows.push_back(std::move(title));

    int count = 0;
    QString number = QString::number(count);
    size_t i = 1;
    while (!ends(i)) {
        if (marker(i) == taskMark()) {
            number = QString::number(++count);
            QString question = number + QStringLiteral(". ");
            ++i;
            while (!ends(i) && marker(i) != answerStart())
                question += QLatin1Char(' ') + text(i++);
            ImportRow row;
            row.answerText = question;
            row.questionNo = number;
            out.rows.push_back(std::move(row));
            if (ends(i))
                break;
        }
        // An answer: its line, the line after it always, and one more unless
        // that one starts a task or an answer of its own.
        const QString first = text(i++);
        ImportRow row;
        row.questionNo = number;
        markAnswer(row, first, true, true);
        row.answerText = first;
        if (!ends(i)) {
            row.answerText += QLatin1Char(' ') + text(i++);
            if (!ends(i) && marker(i) != answerStart() && marker(i) != taskMark())
                row.answerText += QLatin1Char(' ') + text(i++);
        }
        out.rows.push_back(std::move(row));
    }
    return out;
}

void writeEgeFile(const QString& path, const std::vector<EgeRecord>& records)
{
    // One buffer for the whole file, written at once: an exam paper of
    // 50 000 questions is half a million records.
    QByteArray bytes;
    bytes.reserve(qsizetype(records.size()) * EgeRecord::layout().size);
    for (const EgeRecord& record : records)
        bytes += record.encode();
    saveAtomically(path, bytes);
}

ReadResult readEgeLayout(const QStringList& lines, const QString& workFile)
{
    const std::vector<EgeRecord> records = markEgeLines(lines);
    writeEgeFile(workFile, records);
    return assembleEge(records);
}

} // namespace tavel::import
