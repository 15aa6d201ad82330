// Trimming, the same everywhere: blanks and control characters (code 32 and
// below) are removed at both ends.
#pragma once

#include <QByteArrayView>
#include <QString>

namespace tavel {

QString trimmed(QStringView text);
QByteArrayView trimmed(QByteArrayView bytes);

// Codes (subject, topic, section, question, answer) are equal when their trimmed
// texts are equal byte for byte, case included.
bool codesEqual(QStringView a, QStringView b);

} // namespace tavel
