// Trimming and code comparison.
#include "storage/text.h"

namespace tavel {

QString trimmed(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin).toString();
}

QByteArrayView trimmed(QByteArrayView bytes)
{
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && static_cast<unsigned char>(bytes[begin]) <= 32)
        ++begin;
    while (end > begin && static_cast<unsigned char>(bytes[end - 1]) <= 32)
        --end;
    return bytes.sliced(begin, end - begin);
}

std::optional<int> wholeNumber(QStringView text)
{
    const QString t = trimmed(text);
    bool ok = false;
    const int value = t.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool codesEqual(QStringView a, QStringView b)
{
    return trimmed(a) == trimmed(b);
}

} // namespace tavel
