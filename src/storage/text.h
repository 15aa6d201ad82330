// Trimming, the same everywhere: blanks and control characters (code 32 and
// below) are removed at both ends.
#pragma once

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace tavel {

QString trimmed(QStringView text);
QByteArrayView trimmed(QByteArrayView bytes);

// A whole number with blanks and control characters around it allowed;
// empty when the text is anything else.
std::optional<int> wholeNumber(QStringView text);

// Codes (subject, topic, section, question, answer) are equal when their trimmed
// texts are equal byte for byte, case included.
bool codesEqual(QStringView a, QStringView b);

} // namespace tavel
