// Import files: encoding choice, line splitting, cutting and trimming.
#include "authoring/import_text.h"
#include "storage/text.h"

#include "storage/cp1251.h"
#include "storage/error.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

#include <cstring>
#include <optional>

namespace tavel::import {
namespace {

// Larger files are refused before reading: a question file of 50 000
// questions is about 15 MB.
constexpr qint64 kMaxFileSize = 64 * 1024 * 1024;

bool startsWith(QByteArrayView bytes, const char* prefix, qsizetype n)
{
    return bytes.size() >= n && std::equal(prefix, prefix + n, bytes.data());
}

bool hasUtf8Bom(QByteArrayView b) { return startsWith(b, "\xEF\xBB\xBF", 3); }
bool hasUtf16LeBom(QByteArrayView b) { return startsWith(b, "\xFF\xFE", 2); }
bool hasUtf16BeBom(QByteArrayView b) { return startsWith(b, "\xFE\xFF", 2); }

bool hasNonAscii(QByteArrayView b)
{
    for (char c : b)
        if (static_cast<unsigned char>(c) >= 0x80)
            return true;
    return false;
}

// The lines of a file collected into one string: each line trimmed the same
// as everywhere (code 32 and below at both ends), and every control
// character left inside becomes a blank, so that no NUL, tab or form feed
// reaches a grid cell.
class LineCollector {
public:
    // `room`: at least the characters of all lines together.
    explicit LineCollector(qsizetype room, qsizetype lines) : text_(room, Qt::Uninitialized)
    {
        to_ = reinterpret_cast<char16_t*>(text_.data());
        ends_.reserve(size_t(lines));
    }

    void add(QStringView line)
    {
        const QStringView kept = trimmedView(line);
        for (const QChar c : kept)
            *to_++ = c.unicode() < 32 ? u' ' : c.unicode();
        ends_.push_back(to_ - reinterpret_cast<const char16_t*>(text_.constData()));
    }

    ImportText finish(TextEncoding encoding)
    {
        ImportText out;
        out.encoding = encoding;
        text_.truncate(ends_.empty() ? 0 : ends_.back());
        out.text = std::move(text_);
        out.lines.reserve(ends_.size());
        const QStringView all(out.text);
        qsizetype start = 0;
        for (const qsizetype end : ends_) {
            out.lines.push_back(all.sliced(start, end - start));
            start = end;
        }
        return out;
    }

    // For a decoder that writes a line straight into the text: where the
    // line begins; it is ended by addWritten.
    char16_t* cursor() { return to_; }

    // Ends the line written from cursor() to `end`, in which every control
    // character already became a blank: trims the blanks at both ends.
    void addWritten(char16_t* end)
    {
        char16_t* first = to_;
        while (end > first && end[-1] == u' ')
            --end;
        while (first < end && *first == u' ')
            ++first;
        if (first != to_) {
            std::memmove(to_, first, size_t(end - first) * sizeof(char16_t));
            end -= first - to_;
        }
        to_ = end;
        ends_.push_back(to_ - reinterpret_cast<const char16_t*>(text_.constData()));
    }

private:
    QString text_;
    char16_t* to_;
    std::vector<qsizetype> ends_;
};

// Up to kLineLimit UTF-16 units of one line of valid UTF-8 (`from` to `end`
// holds no line end), decoded into `units`; returns how many. A character
// outside the BMP that would not fit whole is left out with the rest, so a
// line is never cut inside a character. The bytes were checked as valid
// UTF-8, so every sequence is complete and well formed.
qsizetype decodeUtf8Line(const uchar* from, const uchar* end, char16_t* units)
{
    qsizetype n = 0;
    while (from < end && n < kLineLimit) {
        const uchar c = *from;
        if (c < 0x80) {
            units[n++] = c;
            from += 1;
        } else if (c < 0xE0) {
            units[n++] = char16_t(((c & 0x1F) << 6) | (from[1] & 0x3F));
            from += 2;
        } else if (c < 0xF0) {
            units[n++] = char16_t(((c & 0x0F) << 12) | ((from[1] & 0x3F) << 6) | (from[2] & 0x3F));
            from += 3;
        } else {
            if (n + 2 > kLineLimit)
                break;
            const char32_t code =
                ((c & 0x07) << 18) | ((from[1] & 0x3F) << 12) | ((from[2] & 0x3F) << 6) | (from[3] & 0x3F);
            units[n++] = QChar::highSurrogate(code);
            units[n++] = QChar::lowSurrogate(code);
            from += 4;
        }
    }
    return n;
}

// Calls `take(begin, end)` for each line of `text` (bytes or UTF-16 units):
// lines end at LF, CR LF or a lone CR; a last line without its end counts.
template <class View, class Take>
void splitLines(View text, Take take)
{
    const qsizetype size = text.size();
    qsizetype start = 0;
    while (start < size) {
        qsizetype lf = text.indexOf('\n', start);
        if (lf < 0)
            lf = size;
        // A CR before the LF ends a line of its own unless it is the CR of CR LF.
        qsizetype cr = text.first(lf).indexOf('\r', start);
        while (cr >= 0 && cr + 1 < lf) {
            take(start, cr);
            start = cr + 1;
            cr = text.first(lf).indexOf('\r', start);
        }
        take(start, cr >= 0 ? cr : lf);
        start = lf + 1;
    }
}

// How many LF bytes `bytes` holds (memchr runs far ahead of a byte loop).
qsizetype lineFeeds(QByteArrayView bytes)
{
    qsizetype count = 0;
    const char* p = bytes.data();
    const char* const end = p + bytes.size();
    while (p < end) {
        const void* lf = std::memchr(p, '\n', size_t(end - p));
        if (!lf)
            break;
        ++count;
        p = static_cast<const char*>(lf) + 1;
    }
    return count;
}

// Skips the byte-order mark; a second one right after it is dropped as well,
// as a UTF-8 decoder drops one at its start.
qsizetype afterUtf8Boms(QByteArrayView bytes)
{
    qsizetype start = 0;
    while (start < 6 && hasUtf8Bom(bytes.sliced(start)))
        start += 3;
    return start;
}

// The lines of a file without NUL bytes and without a UTF-16 byte-order mark
// when it is valid UTF-8, as decodeImportText gives them after
// detectEncoding (Windows-1251 for pure ASCII without a byte-order mark: the
// same characters), in one pass over the bytes: each line is split off,
// checked and decoded as far as it is kept, straight into the text of all
// lines. Empty at the first byte that does not continue strictly valid UTF-8
// (an overlong form, a surrogate, a code above U+10FFFF, a cut sequence):
// what this takes, QByteArrayView::isValidUtf8 takes as well, and any other
// file is decoded as detectEncoding says.
std::optional<ImportText> decodeIfUtf8(QByteArrayView bytes)
{
    constexpr quint64 kHighBits = 0x8080808080808080ull;
    constexpr quint64 kBlanks = 0x2020202020202020ull;
    auto continues = [](uchar b) { return (b & 0xC0) == 0x80; };
    auto endsLine = [](uchar b) { return b == '\n' || b == '\r'; };

    const qsizetype start = afterUtf8Boms(bytes);
    bool nonAscii = start > 0;
    LineCollector lines(bytes.size(), lineFeeds(bytes) + 1);
    const uchar* p = reinterpret_cast<const uchar*>(bytes.data()) + start;
    const uchar* const end = reinterpret_cast<const uchar*>(bytes.data()) + bytes.size();
    while (p < end) {
        char16_t* to = lines.cursor();
        char16_t* const limit = to + kLineLimit;
        while (p < end && to < limit) {
            const uchar c = *p;
            if (c < 0x80) {
                if (endsLine(c))
                    break;
                // Eight printable ASCII bytes at once where a run of them
                // may begin.
                if (end - p >= 8 && limit - to >= 8) {
                    quint64 word;
                    std::memcpy(&word, p, 8);
                    if (((word | (word - kBlanks)) & kHighBits) == 0) {
                        for (int k = 0; k < 8; ++k)
                            to[k] = p[k];
                        to += 8;
                        p += 8;
                        continue;
                    }
                }
                *to++ = c < 32 ? u' ' : c;
                p += 1;
                continue;
            }
            nonAscii = true;
            const qsizetype left = end - p;
            if (c >= 0xC2 && c < 0xE0) {
                if (left < 2 || !continues(p[1]))
                    return std::nullopt;
                *to++ = char16_t(((c & 0x1F) << 6) | (p[1] & 0x3F));
                p += 2;
                // A word of Cyrillic letters: two-byte characters in a row.
                while (to < limit && end - p >= 2 && p[0] >= 0xC2 && p[0] < 0xE0 && continues(p[1])) {
                    *to++ = char16_t(((p[0] & 0x1F) << 6) | (p[1] & 0x3F));
                    p += 2;
                }
            } else if (c >= 0xE0 && c < 0xF0) {
                if (left < 3 || !continues(p[1]) || !continues(p[2]))
                    return std::nullopt;
                const char16_t u = char16_t(((c & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
                if (u < 0x800 || (u >= 0xD800 && u <= 0xDFFF))
                    return std::nullopt;
                *to++ = u;
                p += 3;
            } else if (c >= 0xF0 && c < 0xF5) {
                if (left < 4 || !continues(p[1]) || !continues(p[2]) || !continues(p[3]))
                    return std::nullopt;
                const char32_t code =
                    ((c & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6) | (p[3] & 0x3F);
                if (code < 0x10000 || code > 0x10FFFF)
                    return std::nullopt;
                if (limit - to < 2)
                    break; // never half a character
                *to++ = QChar::highSurrogate(code);
                *to++ = QChar::lowSurrogate(code);
                p += 4;
            } else {
                return std::nullopt;
            }
        }
        // The rest of a long line is not kept but decides the encoding too.
        const uchar* rest = p;
        while (p < end && !endsLine(*p))
            ++p;
        if (p != rest) {
            const QByteArrayView skipped(rest, p - rest);
            if (!skipped.isValidUtf8())
                return std::nullopt;
            nonAscii = nonAscii || hasNonAscii(skipped);
        }
        // LF, CR LF or a lone CR.
        if (p < end && *p++ == '\r' && p < end && *p == '\n')
            ++p;
        lines.addWritten(to);
    }
    return lines.finish(nonAscii ? TextEncoding::Utf8 : TextEncoding::Windows1251);
}

int lineOfOffset(QByteArrayView bytes, qsizetype offset)
{
    int line = 1;
    for (qsizetype i = 0; i < offset; ++i) {
        if (bytes[i] == '\n' || (bytes[i] == '\r' && (i + 1 >= bytes.size() || bytes[i + 1] != '\n')))
            ++line;
    }
    return line;
}

} // namespace

QString encodingName(TextEncoding encoding)
{
    switch (encoding) {
    case TextEncoding::Utf8:
        return QStringLiteral("UTF-8");
    case TextEncoding::Utf16:
        return QStringLiteral("UTF-16");
    case TextEncoding::Windows1251:
        break;
    }
    return QStringLiteral("Windows-1251");
}

TextEncoding detectEncoding(QByteArrayView bytes)
{
    if (hasUtf16LeBom(bytes) || hasUtf16BeBom(bytes))
        return TextEncoding::Utf16;
    if (hasUtf8Bom(bytes))
        return bytes.isValidUtf8() ? TextEncoding::Utf8 : TextEncoding::Windows1251;
    return hasNonAscii(bytes) && bytes.isValidUtf8() ? TextEncoding::Utf8 : TextEncoding::Windows1251;
}

ImportText decodeImportText(QByteArrayView bytes, const QString& fileName)
{
    if (hasUtf16LeBom(bytes) || hasUtf16BeBom(bytes)) {
        const TextEncoding encoding = TextEncoding::Utf16;
        QStringDecoder decoder(hasUtf16LeBom(bytes) ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes.sliced(2));
        const QStringView all(text);
        LineCollector lines(text.size(), all.count(u'\n') + 1);
        splitLines(all, [&](qsizetype b, qsizetype e) { lines.add(all.sliced(b, std::min<qsizetype>(e - b, kLineLimit))); });
        return lines.finish(encoding);
    }

    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        throw Error(QStringLiteral("Файл %1 не текстовый: в строке %2 стоит нулевой байт. "
                                   "Сохраните вопросы как простой текст (UTF-8 или Windows-1251).")
                        .arg(fileName)
                        .arg(lineOfOffset(bytes, nul)));

    // Each line is decoded on its own, only as far as it is kept, straight
    // into the text of all lines: the rest of an overlong line is never
    // decoded. A byte gives at most one UTF-16 unit, so the text has room.
    // Most files are valid UTF-8 (or ASCII): decoded at once while checked,
    // rather than checked as a whole first.
    if (std::optional<ImportText> utf8 = decodeIfUtf8(bytes))
        return std::move(*utf8);
    // Not UTF-8 (or a form the check above does not take): as detected.
    const TextEncoding encoding = detectEncoding(bytes);
    LineCollector lines(bytes.size(), lineFeeds(bytes) + 1);
    const uchar* data = reinterpret_cast<const uchar*>(bytes.data());
    char16_t units[kLineLimit];
    if (encoding == TextEncoding::Utf8) {
        // The byte-order mark is no text.
        const qsizetype start = afterUtf8Boms(bytes);
        splitLines(bytes.sliced(start), [&](qsizetype b, qsizetype e) {
            lines.add(QStringView(units, decodeUtf8Line(data + start + b, data + start + e, units)));
        });
        return lines.finish(encoding);
    }
    splitLines(bytes, [&](qsizetype b, qsizetype e) {
        const qsizetype n = std::min<qsizetype>(e - b, kLineLimit);
        for (qsizetype i = 0; i < n; ++i)
            units[i] = cp1251::toUnicode(data[b + i]);
        lines.add(QStringView(units, n));
    });
    return lines.finish(encoding);
}

std::vector<QStringView> viewsOf(const QStringList& strings)
{
    return {strings.begin(), strings.end()};
}

std::vector<QStringView> nonEmptyLines(Lines lines)
{
    std::vector<QStringView> out;
    out.reserve(lines.size());
    for (const QStringView line : lines)
        if (!line.isEmpty())
            out.push_back(line);
    return out;
}

ImportText readImportFile(const QString& path)
{
    const QString shown = QDir::toNativeSeparators(path);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Не удалось открыть файл %1: %2").arg(shown, file.errorString()));
    if (file.size() > kMaxFileSize)
        throw Error(QStringLiteral("Файл %1 слишком велик для импорта (%2 МБ; наибольший %3 МБ).")
                        .arg(shown)
                        .arg(file.size() / (1024 * 1024))
                        .arg(kMaxFileSize / (1024 * 1024)));
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw Error(QStringLiteral("Ошибка чтения файла %1: %2").arg(shown, file.errorString()));
    return decodeImportText(bytes, shown);
}

} // namespace tavel::import
