// The rules of the explanation window and of the picture windows, without the
// windows: loading an explanation file, the letter markers and term list that
// turn an explanation into an answer form, the answer code, the hint copy, the
// font steps and the placement arithmetic of the windows.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

class QTextDocument;

namespace tavel {

// ---- the explanation text ----

// Replaces the contents of `document` with the explanation file at `path`: a
// rich-text file (told by its "{\rtf" signature, whatever its name) keeps its
// formats; anything else is Windows-1251 plain text with CR LF or LF line
// ends. The line end after the last line does not add an empty line. Throws
// Error naming the file when it cannot be read or is too large to be a text
// (over 256 KB, or more lines than kMaxRtfParagraphs).
void loadExplanation(const QString& path, QTextDocument& document);

// The lines of the text as the window's rules count them: its paragraphs, a
// line break inside a paragraph starting a new line.
QStringList documentLines(const QTextDocument& document);

// True when the presenter loads the file into the explanation window: the
// last three characters of the path, lower-cased, are "txt" or "rtf".
bool isTextExplanation(const QString& path);

// ---- the answer form ----

// "(А)", "(Б)", "(В)", "(Г)", "(Д)", "(Е)", "(Ж)", "(З)", "(И)".
const QStringList& letterMarkers();

// How many markers, taken in order from "(А)", the text contains; counting
// stops at the first one missing. Case counts.
int letterCount(QStringView text);

// The index of the first line whose lower-cased text contains "список
// терминов"; -1 when there is none.
int termListLine(const QStringList& lines);

// What the window shows when it opens with `lines`.
struct AnswerForm {
    int letterCount = 0;
    QStringList markers;      // the first letterCount markers: the columns of BukCif
    bool groupShown = false;  // UprProp: markers present and a term list after line 0
    QStringList terms;        // the lines after the "Список терминов" line, in order
};
AnswerForm answerForm(const QStringList& lines);

// The cell value for the term at 0-based `termIndex` of the list: its
// 1-based position as decimal text.
QString termCellValue(int termIndex);

// What a marker is replaced by when a term is chosen: characters 3 to 32 of
// the trimmed term line (after its two-character number such as "1 " or
// "1)"), in capitals.
QString termName(QStringView termLine);

// Replaces every occurrence of the trimmed `marker`, ignoring case, by
// `replacement`; text inserted is not searched again. Returns how many.
int replaceMarker(QStringList& lines, QStringView marker, const QString& replacement);
int replaceMarker(QTextDocument& document, QStringView marker, const QString& replacement);

// The typed answer "Готов" gives: the trimmed cells of row 1 of BukCif,
// columns 0 to letterCount − 1 (missing cells count as empty), joined.
QString answerCode(const QStringList& cells, int letterCount);

// The hint copy: the first letterCount characters of `answer`, one per
// column; columns past the answer's end get "".
QStringList hintCells(QStringView answer, int letterCount);

// ---- fonts ----

// The font size after one step of a font button: up adds 2 points; down
// subtracts 2 only while the size is above 7.
int fontSizeAfterStep(int pointSize, bool up);

// ---- placement ----

struct VerticalSpan {
    int top = 0;
    int height = 0;
};

// The explanation window below the main window: its top is the work area's
// height − its height − 1, or the main window's height + 1 when the main
// window is shorter than that; when the work area is taller than both windows
// together, the height becomes the work area's height − the main window's
// height − 1.
VerticalSpan explanationPlacement(int workAreaHeight, int windowHeight, int mainWindowHeight);

// A picture window in the bottom-right corner of the work area: picture width
// + 10 by picture height + 35, left at work-area width − picture width − 10,
// top at work-area height − picture height − 40; a top less than 40 becomes 40
// and the window 80 pixels shorter. Coordinates are within the work area.
QRect pictureWindowGeometry(QSize picture, QSize workArea);

} // namespace tavel
