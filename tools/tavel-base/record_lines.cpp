// Records to lines and back for tavel-base dump and load.
#include "record_lines.h"

#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/ole_date.h"

#include <QRegularExpression>
#include <cmath>
#include <cstring>
#include <optional>

namespace tavel::base {
namespace {

quint64 bitsOf(double value)
{
    quint64 bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

double fromBits(quint64 bits)
{
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The readable form of a day count, empty when the value is no date of the
// years 1 to 9999.
QString readableDate(double days)
{
    const QDateTime moment = fromDays(days);
    if (!moment.isValid() || moment.date().year() < 1 || moment.date().year() > 9999)
        return QString();
    const QDate d = moment.date();
    QString out = QString::asprintf("%04d-%02d-%02d", d.year(), d.month(), d.day());
    const QTime t = moment.time();
    if (t != QTime(0, 0))
        out += QString::asprintf("T%02d:%02d:%02d", t.hour(), t.minute(), t.second());
    return out;
}

// The day count of a readable date; empty when the text is not one.
std::optional<double> readableDays(QStringView text)
{
    static const QRegularExpression form(
        QStringLiteral("^([0-9]{4})-([0-9]{2})-([0-9]{2})(?:T([0-9]{2}):([0-9]{2}):([0-9]{2}))?$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    const QDate date(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime time = m.hasCaptured(4) ? QTime(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt())
                                        : QTime(0, 0);
    if (!date.isValid() || date.year() < 1 || !time.isValid())
        return std::nullopt;
    return toDays(QDateTime(date, time));
}

qint32 parseInteger(QStringView text, const char* field)
{
    static const QRegularExpression digits(QStringLiteral("^-?[0-9]+$"));
    bool ok = false;
    const qint32 value = digits.match(text).hasMatch() ? text.toInt(&ok) : 0;
    if (!ok)
        throw Error(QStringLiteral("в поле %1 не целое число: «%2»").arg(QLatin1String(field), text));
    return value;
}

// The reason for refusing a text: its first character (a whole code point)
// that Windows-1251 cannot hold.
QString unmappableReason(const char* field, const QString& text)
{
    const QList<uint> points = text.toUcs4();
    for (const uint point : points) {
        const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&point), 1);
        if (!cp1251::canEncode(one))
            return QStringLiteral("в поле %1 знак «%2» (U+%3), которого нет в кодировке Windows-1251")
                .arg(QLatin1String(field), one, QString::number(point, 16).toUpper().rightJustified(4, u'0'));
    }
    return QStringLiteral("в поле %1 знак, которого нет в кодировке Windows-1251").arg(QLatin1String(field));
}

} // namespace

QList<int> lineFields(const RecordLayout& layout)
{
    QList<int> out;
    for (int i = 0; i < int(layout.fields.size()); ++i)
        if (layout.field(i).type != FieldType::Padding)
            out.push_back(i);
    return out;
}

QString escapeText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case u'\t': out += QLatin1String("\\t"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        default: out += c;
        }
    }
    return out;
}

QString unescapeText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out += text[i];
            continue;
        }
        if (i + 1 == text.size())
            throw Error(QStringLiteral("обратная косая черта в конце поля"));
        switch (text[++i].unicode()) {
        case u't': out += u'\t'; break;
        case u'n': out += u'\n'; break;
        case u'r': out += u'\r'; break;
        case u'\\': out += u'\\'; break;
        default:
            throw Error(QStringLiteral("неизвестная escape-последовательность «\\%1»").arg(text[i]));
        }
    }
    return out;
}

QString formatDate(double days)
{
    // The readable form only when it loads back to the very same eight bytes:
    // a time part under a second, or a moment that rounds into the next day,
    // has none.
    const QString readable = readableDate(days);
    if (!readable.isEmpty()) {
        const std::optional<double> back = readableDays(readable);
        if (back && bitsOf(*back) == bitsOf(days))
            return readable;
    }
    if (std::isnan(days))
        return QStringLiteral("nan:%1").arg(bitsOf(days), 16, 16, QLatin1Char('0'));
    // 17 significant digits give back every finite double exactly; Qt leaves
    // out the sign of a negative zero.
    const QString number = QString::number(days, 'g', 17);
    return std::signbit(days) && !number.startsWith(u'-') ? u'-' + number : number;
}

double parseDate(QStringView text)
{
    if (const std::optional<double> days = readableDays(text))
        return *days;
    static const QRegularExpression nan(QStringLiteral("^nan:([0-9a-fA-F]{16})$"));
    const QRegularExpressionMatch m = nan.match(text);
    if (m.hasMatch()) {
        const double days = fromBits(m.captured(1).toULongLong(nullptr, 16));
        if (std::isnan(days))
            return days;
    } else {
        // A plain day count, as written for stored values that are no date.
        static const QRegularExpression number(QStringLiteral("^[-+0-9.eEinfa]+$"));
        bool ok = false;
        const double days = number.match(text).hasMatch() ? text.toDouble(&ok) : 0;
        // The sign of a zero is kept ("-0" is a value of its own).
        if (ok)
            return text.startsWith(u'-') ? std::copysign(days, -1.0) : days;
    }
    throw Error(QStringLiteral("неверная дата «%1» (нужно ГГГГ-ММ-ДД или ГГГГ-ММ-ДДTЧЧ:ММ:СС)").arg(text));
}

QString recordToLine(const RecordView& record)
{
    QStringList parts;
    const RecordLayout& layout = record.layout();
    for (const int i : lineFields(layout)) {
        switch (layout.field(i).type) {
        case FieldType::Text: parts << escapeText(record.text(i)); break;
        case FieldType::Int32: parts << QString::number(record.integer(i)); break;
        case FieldType::Date: parts << formatDate(record.date(i)); break;
        case FieldType::Padding: break;
        }
    }
    return parts.join(u'\t');
}

QByteArray lineToRecord(const RecordLayout& layout, QStringView line, QStringList* cutFields)
{
    const QList<int> fields = lineFields(layout);
    const QList<QStringView> parts = line.split(u'\t');
    if (parts.size() != fields.size())
        throw Error(QStringLiteral("для %1 нужно полей: %2, а в строке их %3")
                        .arg(QLatin1String(layout.kind))
                        .arg(fields.size())
                        .arg(parts.size()));
    RecordBuffer buffer(layout);
    for (qsizetype k = 0; k < parts.size(); ++k) {
        const int i = fields[k];
        const FieldLayout& f = layout.field(i);
        switch (f.type) {
        case FieldType::Text: {
            const QString text = unescapeText(parts[k]);
            if (!cp1251::canEncode(text))
                throw Error(unmappableReason(f.name, text));
            if (text.size() > f.capacity() && cutFields)
                cutFields->push_back(QStringLiteral("%1 (до %2 знаков)").arg(QLatin1String(f.name)).arg(f.capacity()));
            buffer.setText(i, text);
            break;
        }
        case FieldType::Int32: buffer.setInteger(i, parseInteger(parts[k], f.name)); break;
        case FieldType::Date: buffer.setDate(i, parseDate(parts[k])); break;
        case FieldType::Padding: break;
        }
    }
    return buffer.bytes();
}

} // namespace tavel::base
