// The four readers of the import: each turns the lines of a text file into the
// rows of the import grid IzTXT. A row has the columns of the answer grid;
// the readers fill "Wopr" (questionNo: the number of the question the row
// belongs to, from 1 within the file), "Otwe" (answerNo: one character
// numbering or lettering an answer), "Kod_P" (answerMark) and "Nazwan"
// (answerText: the text of the line). Row 1, the first of `rows`, holds the
// title of the new topic. Every row is made afresh: nothing of an earlier
// import is left in a column a reader does not fill.
#pragma once

#include "authoring/import_text.h"
#include "storage/records.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tavel::import {

// A row of IzTXT: the four columns of the answer grid the readers and the
// decoding use; columns 0 to 2 ("Predm", "Tema", "Test") stay empty.
struct ImportRow {
    QString questionNo; // "Wopr"
    QString answerNo;   // "Otwe"
    QString answerMark; // "Kod_P"
    QString answerText; // "Nazwan"
};

struct ReadResult {
    // Rows 1.. of IzTXT, the empty row shown after the last one included
    // (the EGE reader shows none).
    std::vector<ImportRow> rows;
    // Not empty when the reader stopped early: the message to show. The rows
    // made before the stop are kept.
    QString stop;
    // "Из генер.": the file's first line, shown to the teacher before the rows.
    QString title;
};

// "С цифры": a line beginning with a digit starts a question. `lines` are the
// file's lines as decodeImportText gives them (empty lines are skipped here).
ReadResult readDigitLayout(Lines lines);

// "С буквы w": a line beginning with "w" starts a question; answers written
// "2. Париж" are lettered "б) Париж" by their place under the question. The
// letters are the 18 of kAnswerLetters; the 19th answer on is numbered
// "19) ...", "20) ..." so that no answer is lost or shares a letter.
inline constexpr QStringView kAnswerLetters = u"абвгдежзиклмнопрст";
ReadResult readLetterWLayout(Lines lines);

// "Из генер.": a title line, then blocks: a lead line (not used), up to 20
// lines of question and numbered answers, and an end line "#конец (N)" whose
// digit after "(" names the right answer. A block of more than 20 lines or an
// end line without "(" and a digit stops the reading; `stop` names the block.
inline constexpr int kGeneratorBlockLimit = 20;
ReadResult readGeneratorLayout(Lines lines);

enum class Layout { Digit, LetterW, Generator, Ege };

// The reader of `layout` over a decoded file. A file without one line of text
// is refused (Error naming `fileName`) before anything is read or written;
// the EGE reader rewrites `egeWorkFile`.
ReadResult readLayout(Layout layout, Lines lines, const QString& fileName, const QString& egeWorkFile);

// The answer mark and answer character of an answer line by its first
// character: "+" -> "+", "r" -> "1" (when `rankings`), "-" -> "-" and "Ф" ->
// "Ф" with answer character "1" (when `egeMarks`); any other line: no mark,
// the first character.
void markAnswer(ImportRow& row, QStringView line, bool rankings, bool egeMarks);

} // namespace tavel::import
