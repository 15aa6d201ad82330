// Windows-1251, the single-byte code page of every text the system stores.
// Bytes become text here and nowhere else.
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tavel::cp1251 {

// The character of one byte. 0x98, which the code page leaves undefined, maps to
// U+0098 so that every byte survives a read and a write.
char16_t toUnicode(unsigned char byte);

QString decode(QByteArrayView bytes);

// A character the code page cannot hold becomes '?'; `unmappable` (if given)
// receives how many did.
QByteArray encode(QStringView text, int* unmappable = nullptr);

// The same into `out`, which has room for text.size() bytes; returns how many
// characters became '?'.
int encodeInto(QStringView text, char* out);

// True when every character of `text` has a byte in the code page.
bool canEncode(QStringView text);

// Lower case by the code page's own rules: Latin and Cyrillic capitals (Ё
// included) become small letters; every other character stays as it is.
QString toLower(QStringView text);

} // namespace tavel::cp1251
