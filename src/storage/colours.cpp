// Colour text (standard colour names and "$00BBGGRR") and the colour file
// baza\CwetFona.qkv.
#include "storage/colours.h"

#include "storage/error.h"
#include "storage/shared_files.h"
#include "storage/text.h"
#include "storage/text_file.h"

#include <QDir>
#include <QFileInfo>
#include <iterator>
#include <vector>

namespace tavel {
namespace {

constexpr quint32 kSystemColour = 0x80000000u;
constexpr ColourValue kDefaultColour = 0x20000000;

constexpr ColourValue system(int index)
{
    return static_cast<ColourValue>(kSystemColour | static_cast<quint32>(index));
}

struct NamedColour {
    ColourValue value;
    const char* name;
};

// The toolkit's colour list: the fixed colours as 0x00BBGGRR, the system
// colours by their index, then the two special values.
constexpr NamedColour kNamedColours[] = {
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {system(0), "clScrollBar"},
    {system(1), "clBackground"},
    {system(2), "clActiveCaption"},
    {system(3), "clInactiveCaption"},
    {system(4), "clMenu"},
    {system(5), "clWindow"},
    {system(6), "clWindowFrame"},
    {system(7), "clMenuText"},
    {system(8), "clWindowText"},
    {system(9), "clCaptionText"},
    {system(10), "clActiveBorder"},
    {system(11), "clInactiveBorder"},
    {system(12), "clAppWorkSpace"},
    {system(13), "clHighlight"},
    {system(14), "clHighlightText"},
    {system(15), "clBtnFace"},
    {system(16), "clBtnShadow"},
    {system(17), "clGrayText"},
    {system(18), "clBtnText"},
    {system(19), "clInactiveCaptionText"},
    {system(20), "clBtnHighlight"},
    {system(21), "cl3DDkShadow"},
    {system(22), "cl3DLight"},
    {system(23), "clInfoText"},
    {system(24), "clInfoBk"},
    {system(26), "clHotLight"},
    {system(27), "clGradientActiveCaption"},
    {system(28), "clGradientInactiveCaption"},
    {system(29), "clMenuHighlight"},
    {system(30), "clMenuBar"},
    {0x1FFFFFFF, "clNone"},
    {kDefaultColour, "clDefault"},
};

// The usual Windows values of the system colours as 0xRRGGBB, by index.
constexpr quint32 kSystemRgb[] = {
    0xC8C8C8, // 0 scroll bar
    0x000000, // 1 desktop
    0x99B4D1, // 2 active caption
    0xBFCDDB, // 3 inactive caption
    0xF0F0F0, // 4 menu
    0xFFFFFF, // 5 window
    0x646464, // 6 window frame
    0x000000, // 7 menu text
    0x000000, // 8 window text
    0x000000, // 9 caption text
    0xB4B4B4, // 10 active border
    0xF4F7FC, // 11 inactive border
    0xABABAB, // 12 application work space
    0x3399FF, // 13 highlight
    0xFFFFFF, // 14 highlight text
    0xF0F0F0, // 15 button face
    0xA0A0A0, // 16 button shadow
    0x6D6D6D, // 17 grey text
    0x000000, // 18 button text
    0x434E54, // 19 inactive caption text
    0xFFFFFF, // 20 button highlight
    0x696969, // 21 3D dark shadow
    0xE3E3E3, // 22 3D light
    0x000000, // 23 tooltip text
    0xFFFFE1, // 24 tooltip background
    0xB5B5B5, // 25 (unused by the toolkit)
    0x0066CC, // 26 hot-tracked item
    0xB9D1EA, // 27 active caption gradient
    0xD7E4F2, // 28 inactive caption gradient
    0x3399FF, // 29 menu highlight
    0xF0F0F0, // 30 menu bar
};
constexpr int kButtonFace = 15;

// Colour file: the colour of a Form1/Otwet line starts at position 7 (after
// the five-letter name and a blank) and is read over 20 characters.
constexpr qsizetype kColourStart = 6;
constexpr qsizetype kColourWidth = 20;

QString native(const QString& path)
{
    return QDir::toNativeSeparators(path);
}

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    return -1;
}

// A number as the toolkit's StrToInt takes it: an optional sign, then decimal
// digits, or hexadecimal digits after "$" or "0x". Hexadecimal values cover
// the full 32 bits (so "$80000005" is a system colour); decimal ones the
// signed range.
std::optional<ColourValue> parseNumber(QStringView t)
{
    bool negative = false;
    if (!t.isEmpty() && (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-'))) {
        negative = t[0] == QLatin1Char('-');
        t = t.sliced(1);
    }
    int base = 10;
    if (t.startsWith(QLatin1Char('$'))) {
        base = 16;
        t = t.sliced(1);
    } else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        t = t.sliced(2);
    }
    if (t.isEmpty())
        return std::nullopt;
    const quint64 limit = base == 16 ? 0xFFFFFFFFull : (negative ? 0x80000000ull : 0x7FFFFFFFull);
    quint64 value = 0;
    for (QChar c : t) {
        const int digit = hexDigit(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        value = value * static_cast<quint64>(base) + static_cast<quint64>(digit);
        if (value > limit)
            return std::nullopt;
    }
    quint32 bits = static_cast<quint32>(value);
    if (negative)
        bits = 0u - bits;
    return static_cast<ColourValue>(bits);
}

// One line of the colour file as an entry: split at the first blank.
struct ColourEntry {
    QString name;
    QString colour;
};

std::vector<ColourEntry> readEntries(const QString& path)
{
    std::vector<ColourEntry> entries;
    if (!QFileInfo::exists(path))
        return entries;
    for (const QString& line : readTextLines(path)) {
        if (trimmed(line).isEmpty())
            continue; // an empty line holds no entry
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        if (blank < 0)
            entries.push_back({trimmed(line), QString()});
        else
            entries.push_back({trimmed(QStringView(line).left(blank)), trimmed(QStringView(line).mid(blank + 1))});
    }
    return entries;
}

} // namespace

std::optional<ColourValue> parseColourText(QStringView text)
{
    const QString t = trimmed(text);
    if (t.isEmpty())
        return std::nullopt;
    for (const NamedColour& c : kNamedColours)
        if (t.compare(QLatin1String(c.name), Qt::CaseInsensitive) == 0)
            return c.value;
    return parseNumber(t);
}

QString colourText(ColourValue colour)
{
    for (const NamedColour& c : kNamedColours)
        if (c.value == colour)
            return QLatin1String(c.name);
    return QStringLiteral("$%1").arg(static_cast<quint32>(colour), 8, 16, QLatin1Char('0')).toUpper();
}

ColourValue colourFromRgb(int red, int green, int blue)
{
    return static_cast<ColourValue>((static_cast<quint32>(blue & 0xFF) << 16)
                                    | (static_cast<quint32>(green & 0xFF) << 8)
                                    | static_cast<quint32>(red & 0xFF));
}

quint32 colourToRgb(ColourValue colour)
{
    const auto bits = static_cast<quint32>(colour);
    if (bits & kSystemColour) {
        const quint32 index = bits & 0xFF;
        return index < std::size(kSystemRgb) ? kSystemRgb[index] : 0;
    }
    if (colour == kDefaultColour)
        return kSystemRgb[kButtonFace];
    const quint32 red = bits & 0xFF;
    const quint32 green = (bits >> 8) & 0xFF;
    const quint32 blue = (bits >> 16) & 0xFF;
    return (red << 16) | (green << 8) | blue;
}

ColourFile readColourFile(const QString& path)
{
    ColourFile out;
    const QStringList lines = readTextLines(path);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        std::optional<ColourValue>* target = nullptr;
        if (line.startsWith(QLatin1String("Form1")))
            target = &out.form1;
        else if (line.startsWith(QLatin1String("Otwet")))
            target = &out.otwet;
        else
            continue;
        std::optional<ColourValue> value = parseColourText(QStringView(line).mid(kColourStart, kColourWidth));
        // A colour name longer than the 20 characters read (such as
        // "clInactiveCaptionText") is still a colour.
        if (!value)
            value = parseColourText(QStringView(line).mid(kColourStart));
        if (!value)
            throw Error(QStringLiteral("Файл %1, строка %2: «%3» не цвет")
                            .arg(native(path))
                            .arg(i + 1)
                            .arg(trimmed(QStringView(line).mid(kColourStart))));
        *target = value;
    }
    return out;
}

bool ensureColourFile(const InstallFolder& home)
{
    const QString path = home.path(paths::colours, true);
    if (QFileInfo::exists(path))
        return false;
    writeTextLines(path, {});
    return true;
}

void writeColourEntry(const QString& path, const QString& name, const QString& colour)
{
    const QString key = trimmed(name);
    const QString value = trimmed(colour);
    bool plainName = !key.isEmpty();
    for (QChar c : key)
        plainName = plainName && c.unicode() > 32;
    // Both checks keep the file readable: the name ends at the first blank,
    // and a colour that is not one would stop the next start-up.
    if (!plainName)
        throw Error(QStringLiteral("Файл %1 не записан: «%2» не годится как имя окна")
                        .arg(native(path), name));
    if (!parseColourText(value))
        throw Error(QStringLiteral("Файл %1 не записан: «%2» не цвет").arg(native(path), colour));

    std::vector<ColourEntry> entries = readEntries(path);
    bool found = false;
    for (ColourEntry& e : entries) {
        // A line whose name begins with the window's name is read as that
        // window's colour ("Otwet0" as "Otwet", the colour taken from a fixed
        // column): it is rewritten in the plain form with the new colour, or it
        // would undo the change at the next start.
        if (e.name.startsWith(key)) {
            e.name = key;
            e.colour = value;
            found = true;
        }
    }
    if (!found)
        entries.push_back({key, value});

    QStringList lines;
    lines.reserve(static_cast<qsizetype>(entries.size()));
    for (const ColourEntry& e : entries)
        lines.push_back(e.name + QLatin1Char(' ') + e.colour);
    writeTextLines(path, lines);
}

} // namespace tavel
