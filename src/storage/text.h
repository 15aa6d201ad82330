// Trimming, the same everywhere: blanks and control characters (code 32 and
// below) are removed at both ends.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tavel {

// Without a copy, for the hundreds of thousands of cells an import compares
// and cuts.
inline QStringView trimmedView(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 32)
        ++begin;
    while (end > begin && text[end - 1].unicode() <= 32)
        --end;
    return text.sliced(begin, end - begin);
}

inline QString trimmed(QStringView text)
{
    return trimmedView(text).toString();
}

QByteArrayView trimmed(QByteArrayView bytes);

// A whole number with blanks and control characters around it allowed;
// empty when the text is anything else.
std::optional<int> wholeNumber(QStringView text);

// Codes (subject, topic, section, question, answer) are equal when their trimmed
// texts are equal byte for byte, case included.
bool codesEqual(QStringView a, QStringView b);

} // namespace tavel
