// The readers "С цифры", "С буквы w" and "Из генер.".
#include "authoring/import_readers.h"

#include "authoring/import_ege.h"
#include "authoring/import_text.h"
#include "storage/text.h"
#include "storage/error.h"

#include <array>

namespace tavel::import {
namespace {

bool isDigit(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

// One-character texts shared by every row that holds them, so that a large
// file does not allocate one string per answer character.
QString charText(QStringView line, qsizetype at)
{
    if (at >= line.size())
        return QString();
    static const auto cache = [] {
        std::array<QString, 0x500> texts;
        for (size_t c = 0; c < texts.size(); ++c)
            texts[c] = QString(QChar(char16_t(c)));
        return texts;
    }();
    const char16_t c = line[at].unicode();
    return c < cache.size() ? cache[c] : QString(QChar(c));
}

const QString& markText(char16_t c)
{
    static const QString plus = QStringLiteral("+");
    static const QString one = QStringLiteral("1");
    static const QString minus = QStringLiteral("-");
    static const QString ef = QStringLiteral("Ф");
    switch (c) {
    case u'+':
        return plus;
    case u'1':
        return one;
    case u'-':
        return minus;
    default:
        return ef;
    }
}

// Whether `line` holds `marker` ("#начало", "#конец"); most lines hold no
// "#" at all, which is found at once.
bool hasMarker(QStringView line, QStringView marker)
{
    return line.contains(QLatin1Char('#')) && line.contains(marker);
}

ImportRow textRow(QString text)
{
    ImportRow row;
    row.answerText = std::move(text);
    return row;
}

} // namespace

void markAnswer(ImportRow& row, QStringView line, bool rankings, bool egeMarks)
{
    const char16_t first = line.isEmpty() ? 0 : line[0].unicode();
    if (first == u'+' || (rankings && first == u'r') || (egeMarks && first == u'-')) {
        row.answerMark = markText(first == u'r' ? u'1' : first);
        row.answerNo = charText(line, 1);
    } else if (egeMarks && first == u'Ф') {
        row.answerMark = markText(u'Ф');
        row.answerNo = charText(u"1", 0);
    } else {
        row.answerMark.clear();
        row.answerNo = charText(line, 0);
    }
}

ReadResult readDigitLayout(Lines lines)
{
    ReadResult out;
    out.rows.reserve(lines.size() + 1);
    int count = 0;
    QString number = QString::number(count);
    for (const QStringView line : lines) {
        if (line.isEmpty())
            continue;
        ImportRow row = textRow(line.toString());
        if (!out.rows.empty()) {
            if (isDigit(line[0]))
                number = QString::number(++count);
            else
                markAnswer(row, line, true, false);
            row.questionNo = number;
        }
        out.rows.push_back(std::move(row));
    }
    out.rows.emplace_back();
    return out;
}

ReadResult readLetterWLayout(Lines lines)
{
    ReadResult out;
    out.rows.reserve(lines.size() + 1);
    int count = 0;
    int k = 0;
    QString number = QString::number(count);
    for (const QStringView line : lines) {
        if (line.isEmpty())
            continue;
        ImportRow row;
        if (out.rows.empty()) {
            out.rows.push_back(textRow(line.toString()));
            continue;
        }
        if (line[0] == QLatin1Char('w')) {
            number = QString::number(++count);
            row.answerText = line.sliced(1).toString();
            k = 0;
        } else {
            ++k;
            const qsizetype p = line.indexOf(QLatin1Char('.')) + 1; // 1-based, 0 when none
            if (p >= 1 && p <= 4) {
                const bool right = line[0] == QLatin1Char('+');
                const QString label =
                    k <= kAnswerLetters.size() ? charText(kAnswerLetters, k - 1) : QString::number(k);
                const QStringView rest = line.sliced(p);
                QString text;
                text.reserve((right ? 1 : 0) + label.size() + 1 + rest.size());
                if (right)
                    text.append(QLatin1Char('+'));
                text.append(label).append(QLatin1Char(')')).append(rest);
                row.answerText = std::move(text);
                row.answerMark = right ? markText(u'+') : QString();
                row.answerNo = label;
            } else {
                row.answerText = line.toString();
                markAnswer(row, line, false, false);
            }
        }
        row.questionNo = number;
        out.rows.push_back(std::move(row));
    }
    out.rows.emplace_back();
    return out;
}

ReadResult readGeneratorLayout(Lines lines)
{
    ReadResult out;
    const size_t n = lines.size();
    // Every row but the title and the last empty one takes a line or more.
    out.rows.reserve(n + 2);
    size_t pos = 0;
    // Reading past the end gives an empty line, as the end of a text file does.
    auto next = [&]() { return pos < n ? lines[pos++] : (++pos, QStringView()); };

    out.title = next().toString();
    out.rows.push_back(textRow(out.title));
    int count = 0;
    int block = 0;
    // A stop keeps the rows of the blocks before it and names the block.
    auto stopAt = [&](int leadLine, const QString& what) {
        out.stop += QStringLiteral("Блок %1 (со строки %2 файла): %3\nИмпорт остановлен; блоки до него прочитаны.")
                        .arg(block)
                        .arg(leadLine)
                        .arg(what);
        out.rows.emplace_back();
    };
    // A block's lines and items, their room kept from block to block. An
    // item of one line is that line; one of several is joined in `joined`.
    std::vector<QStringView> r;
    std::vector<QStringView> items;
    std::vector<QString> joined;

    while (pos < n) {
        while (pos < n && lines[pos].isEmpty())
            ++pos;
        if (pos >= n)
            break;
        ++block;
        const int leadLine = int(pos) + 1;
        QStringView last = next(); // the lead line: not used
        r.clear();
        while (pos < n) {
            QStringView s = next();
            last = s;
            if (s.isEmpty())
                continue;
            if (hasMarker(s, u"#начало")) {
                s = next();
                last = s;
            }
            if (hasMarker(s, u"#конец"))
                break;
            if (int(r.size()) == kGeneratorBlockLimit) {
                out.stop = QStringLiteral(">20\n");
                stopAt(leadLine, QStringLiteral("в нём больше %1 строк до «#конец».").arg(kGeneratorBlockLimit));
                return out;
            }
            r.push_back(s);
        }

        const qsizetype open = last.indexOf(QLatin1Char('('));
        if (open < 0 || open + 1 >= last.size() || !isDigit(last[open + 1])) {
            stopAt(leadLine, QStringLiteral("в строке «%1» нет номера верного ответа: после «(» "
                                            "должна стоять цифра.")
                                 .arg(last.left(60)));
            return out;
        }
        const QChar right = last[open + 1];

        joined.clear();
        items.assign(1, r.empty() ? QStringView() : r[0]);
        bool lastJoined = false; // items.back() views joined.back()
        for (size_t k = 1; k < r.size(); ++k) {
            const QStringView line = r[k];
            if (line.size() >= 2 && isDigit(line[0]) && (line[1] == QLatin1Char(')') || line[1] == QLatin1Char('.'))) {
                items.push_back(line);
                lastJoined = false;
            } else {
                if (!lastJoined)
                    joined.push_back(items.back().toString());
                lastJoined = true;
                joined.back().append(QLatin1Char(' ')).append(line);
                items.back() = joined.back();
            }
        }
        // The item that gets "+" in front.
        size_t marked = 0;
        for (size_t k = items.size(); k-- > 1;) {
            if (items[k][0] == right) {
                marked = k;
                break;
            }
        }

        const QString number = QString::number(++count);
        ImportRow question = textRow(trimmedView(items[0]).toString());
        question.questionNo = number;
        out.rows.push_back(std::move(question));
        for (size_t k = 1; k < items.size(); ++k) {
            const QStringView item = trimmedView(items[k]);
            ImportRow answer = textRow(k == marked ? QLatin1Char('+') + item : item.toString());
            answer.questionNo = number;
            markAnswer(answer, answer.answerText, false, false);
            out.rows.push_back(std::move(answer));
        }
    }
    out.rows.emplace_back();
    return out;
}

ReadResult readLayout(Layout layout, Lines lines, const QString& fileName, const QString& egeWorkFile)
{
    if (std::all_of(lines.begin(), lines.end(), [](QStringView line) { return line.isEmpty(); }))
        throw Error(QStringLiteral("В файле %1 нет ни одной строки текста: импортировать нечего.").arg(fileName));
    switch (layout) {
    case Layout::Digit:
        return readDigitLayout(lines);
    case Layout::LetterW:
        return readLetterWLayout(lines);
    case Layout::Generator:
        return readGeneratorLayout(lines);
    case Layout::Ege:
        break;
    }
    return readEgeLayout(lines, egeWorkFile);
}

} // namespace tavel::import
