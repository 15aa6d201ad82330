// A small reader of rich-text (RTF) files, for the explanation files that
// questions refer to: paragraphs, bold, italic, underline, font size, alignment
// and the text itself; pictures, tables of fonts and colours, headers and every
// other destination are skipped. Any byte sequence is accepted: broken input
// gives whatever text could be made of it, never a crash or a hang.
#pragma once

#include <QByteArrayView>
#include <QString>

class QTextDocument;

namespace tavel {

// True when the bytes begin (after blanks and a UTF-8 byte-order mark) with
// "{\rtf", the signature of every rich-text file.
bool looksLikeRtf(QByteArrayView bytes);

// Replaces the contents of `document` with the formatted text of `rtf`.
// Text in "\'xx" escapes is read as Windows-1251 whatever code page the file
// names. Character formats are set on the runs; a run without "\fs" keeps the
// document's default font size. The document is built in one edit block,
// without undo. The cost of a document grows with its runs and paragraphs:
// past 5000 runs and paragraphs the rest of the text comes without formats,
// and the document holds at most kMaxRtfParagraphs paragraphs; returns false
// when later ones were dropped.
inline constexpr int kMaxRtfParagraphs = 5000;
bool readRtf(QByteArrayView rtf, QTextDocument& document);

// The text of `rtf` without formats: paragraphs (and "\line" breaks) end with
// "\n" except the last one; "\tab" gives a tab, "\~" a no-break space.
QString rtfPlainText(QByteArrayView rtf);

} // namespace tavel
