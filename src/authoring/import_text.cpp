// Import files: encoding choice, line splitting, cutting and trimming.
#include "authoring/import_text.h"

#include "storage/cp1251.h"
#include "storage/error.h"

#include <QDir>
#include <QFile>
#include <QStringDecoder>

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

// The same trimming as everywhere (code 32 and below at both ends), and every
// control character left inside becomes a blank, so that no NUL, tab or form
// feed reaches a grid cell.
QString cleanLine(QString line)
{
    qsizetype begin = 0;
    qsizetype end = line.size();
    while (begin < end && line[begin].unicode() <= 32)
        ++begin;
    while (end > begin && line[end - 1].unicode() <= 32)
        --end;
    if (begin > 0 || end < line.size())
        line = line.sliced(begin, end - begin);
    for (qsizetype i = 0; i < line.size(); ++i)
        if (line[i].unicode() < 32) {
            line[i] = QLatin1Char(' ');
        }
    return line;
}

// Calls `take(begin, end)` for each line of [0, size) of a sequence whose
// element `at(i)` is a byte or a UTF-16 unit: lines end at LF, CR LF or CR.
template <class At, class Take>
void splitLines(qsizetype size, At at, Take take)
{
    qsizetype start = 0;
    qsizetype i = 0;
    while (i < size) {
        const auto c = at(i);
        if (c == '\n' || c == '\r') {
            take(start, i);
            i += (c == '\r' && i + 1 < size && at(i + 1) == '\n') ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < size)
        take(start, size);
}

// The byte length of the first `chars` code points of valid UTF-8.
qsizetype utf8Prefix(QByteArrayView line, int chars)
{
    int seen = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if ((static_cast<unsigned char>(line[i]) & 0xC0) != 0x80) {
            if (seen == chars)
                return i;
            ++seen;
        }
    }
    return line.size();
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
    ImportText out;
    out.encoding = detectEncoding(bytes);

    if (out.encoding == TextEncoding::Utf16) {
        QStringDecoder decoder(hasUtf16LeBom(bytes) ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE,
                               QStringDecoder::Flag::Stateless);
        const QString text = decoder.decode(bytes.sliced(2));
        splitLines(text.size(), [&](qsizetype i) { return text[i].unicode(); },
                   [&](qsizetype b, qsizetype e) {
                       out.lines.push_back(cleanLine(text.sliced(b, std::min<qsizetype>(e - b, kLineLimit))));
                   });
        return out;
    }

    const qsizetype nul = bytes.indexOf('\0');
    if (nul >= 0)
        throw Error(QStringLiteral("Файл %1 не текстовый: в строке %2 стоит нулевой байт. "
                                   "Сохраните вопросы как простой текст (UTF-8 или Windows-1251).")
                        .arg(fileName)
                        .arg(lineOfOffset(bytes, nul)));

    const bool utf8 = out.encoding == TextEncoding::Utf8;
    const QByteArrayView body = utf8 && hasUtf8Bom(bytes) ? bytes.sliced(3) : bytes;
    splitLines(body.size(), [&](qsizetype i) { return body[i]; }, [&](qsizetype b, qsizetype e) {
        const QByteArrayView line = body.sliced(b, e - b);
        if (utf8)
            out.lines.push_back(cleanLine(QString::fromUtf8(line.first(utf8Prefix(line, kLineLimit)))));
        else
            out.lines.push_back(cleanLine(cp1251::decode(line.first(std::min<qsizetype>(line.size(), kLineLimit)))));
    });
    return out;
}

QStringList nonEmptyLines(const QStringList& lines)
{
    QStringList out;
    out.reserve(lines.size());
    for (const QString& line : lines)
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
