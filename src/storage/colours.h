// Colours as the system writes them, and the colour file baza\CwetFona.qkv.
//
// A colour value is a 32-bit number 0x00BBGGRR (blue in the high byte); a value
// with 0x80000000 set names a system colour by its index in the low byte. As
// text, a colour is either the name of a standard colour of the toolkit's list
// ("clRed", "clBtnFace", ...) or "$" and eight hexadecimal digits in the order
// 00, blue, green, red ("$00D2D9DB" is red DB, green D9, blue D2).
#pragma once

#include "storage/install_folder.h"

#include <QString>
#include <optional>

namespace tavel {

using ColourValue = qint32;

// Parses either form (names case-insensitively, blanks around ignored; "$" or
// "0x" and up to 32 bits of hex; a plain decimal number too). Empty when the
// text is neither.
std::optional<ColourValue> parseColourText(QStringView text);
// The canonical name of the standard colour with this value when there is one,
// else "$" and eight upper-case hex digits ("$00D2D9DB").
QString colourText(ColourValue colour);
// 0x00BBGGRR from the three components.
ColourValue colourFromRgb(int red, int green, int blue);
// The colour as 0xRRGGBB; system colours resolve to their usual Windows values
// (clBtnFace F0F0F0, clWindow FFFFFF, clInfoBk FFFFE1), clDefault to the
// button face a window has by default, an unknown system index to black.
quint32 colourToRgb(ColourValue colour);

// The colours set by the colour file: lines beginning with "Form1" (main
// window background) and "Otwet" (answer area); the colour is the text at
// positions 7 to 26 of the line, trimmed (a longer colour name such as
// "clInactiveCaptionText" is read whole). The last such line wins.
struct ColourFile {
    std::optional<ColourValue> form1;
    std::optional<ColourValue> otwet;
};

// Throws Error naming the file and the line when a Form1/Otwet line holds no
// colour.
ColourFile readColourFile(const QString& path);
// Creates an empty colour file when missing. Returns true when it created it.
bool ensureColourFile(const InstallFolder& home);
// Sets the entry `name` (window name) to `colour`: the file's lines are read
// as entries split at the first blank (name, colour); every entry of that name
// gets the new colour, or a new entry is appended; the file is rewritten with
// one "name colour" line per entry, both trimmed, in order. Atomic. A missing
// file is created. Every entry is kept, however many there are, and names and
// colours are never cut; empty lines are dropped. Throws Error, leaving the
// file as it was, when `name` is empty or holds a blank, or `colour` is not a
// colour text.
void writeColourEntry(const QString& path, const QString& name, const QString& colour);

} // namespace tavel
