// Trimming and code comparison.
#include "storage/text.h"

namespace tavel {

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
    const QStringView t = trimmedView(text);
    bool ok = false;
    const int value = t.toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

bool codesEqual(QStringView a, QStringView b)
{
    return trimmedView(a) == trimmedView(b);
}

} // namespace tavel
