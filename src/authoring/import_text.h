// The text of an import file: its bytes turned into lines as every import
// layout reads them. The encoding is chosen from the bytes: a file that is
// valid UTF-8 (a byte-order mark allowed) and holds non-ASCII text is UTF-8, a
// file beginning with a UTF-16 byte-order mark is UTF-16, every other file is
// Windows-1251 (pure ASCII reads the same in all of them).
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <span>
#include <vector>

namespace tavel::import {

enum class TextEncoding { Windows1251, Utf8, Utf16 };

// The name shown to the teacher: "Windows-1251", "UTF-8", "UTF-16".
QString encodingName(TextEncoding encoding);

// Characters kept of each line; the rest of a longer line is skipped.
constexpr int kLineLimit = 250;

// The lines of an import file as the readers take them: views of texts that
// outlive the reading (an ImportText's, a list's).
using Lines = std::span<const QStringView>;

struct ImportText {
    // The kept characters of every line, one line after another: one string
    // for the whole file instead of one per line.
    QString text;
    // Every line of the file in order (empty ones included), as views into
    // `text`: cut to kLineLimit characters (UTF-16 units; a character outside
    // the BMP is never split), then trimmed of blanks and control characters
    // at both ends; a control character inside a line becomes a blank. Lines
    // end at LF, CR LF or a lone CR; a last line without its end counts.
    std::vector<QStringView> lines;
    TextEncoding encoding = TextEncoding::Windows1251;
};

// Views of `strings` (which must outlive them), for a reader given a list.
std::vector<QStringView> viewsOf(const QStringList& strings);

TextEncoding detectEncoding(QByteArrayView bytes);

// The lines of a file's bytes. A file with a NUL byte that is not UTF-16 is
// no text file: Error names `fileName` and the line of the first NUL.
ImportText decodeImportText(QByteArrayView bytes, const QString& fileName);

// The lines kept by the layouts that skip empty lines.
std::vector<QStringView> nonEmptyLines(Lines lines);

// Reads the file and decodes it. Throws Error naming the file when it cannot
// be read, is too large for an import, or is not text.
ImportText readImportFile(const QString& path);

} // namespace tavel::import
