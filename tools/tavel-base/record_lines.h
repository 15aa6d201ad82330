// The text form of record files used by tavel-base: one record per line, the
// fields in record order separated by tabs, padding fields left out.
//  - text fields: the meaningful characters exactly as stored (the length byte
//    clamped to the field's capacity), with tab, line feed, carriage return and
//    backslash written as \t \n \r \\;
//  - integers: decimal;
//  - dates: YYYY-MM-DD, or YYYY-MM-DDTHH:MM:SS when the stored day count has a
//    time part, whenever that text loads back to the same eight bytes; any
//    other stored value (a time part under a second, NaN, huge) is written as
//    the plain day count with 17 significant digits, a NaN as "nan:" and its
//    64 bits in hex, so every dumped line loads back to the bytes it came from.
#pragma once

#include "storage/record.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace tavel::base {

// The fields of a layout that appear in a line (every field but padding).
QList<int> lineFields(const RecordLayout& layout);

QString escapeText(QStringView text);
// Throws Error with the reason when the text holds a bad escape.
QString unescapeText(QStringView text);

QString formatDate(double days);
// Throws Error with the reason when the text is no date in either form.
double parseDate(QStringView text);

// One record as a line, without the line end.
QString recordToLine(const RecordView& record);

// A record from one line (without its line end). Texts longer than their field
// are cut to it; `cutFields` (if given) receives, for each field that was,
// its name and capacity. Throws Error with the reason (wrong number of fields, a bad escape, a
// non-integer, a bad date, a character Windows-1251 cannot hold).
QByteArray lineToRecord(const RecordLayout& layout, QStringView line, QStringList* cutFields = nullptr);

} // namespace tavel::base
