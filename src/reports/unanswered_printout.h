// The printout of the unanswered-questions list (button `ProtNew`): for each
// question its number and text, its explanation text file, its picture and
// its answer variants, into a document of the window's own holder.
//
// What it puts in, per row r of the list (from 1):
//   two paragraph ends, "[r]. " and the question text before its "File#";
//   the referenced file when it was not put in before in this printout:
//     a text file (.txt, .rtf: Windows-1251, UTF-8 or rich text): a new
//     paragraph and its whole text; a picture (.gif, .jpg, .jpeg): the picture;
//   otherwise the question's own picture Foto/<system number>.gif (or .jpg)
//     when it exists;
//   a paragraph per variant, "AnswerNo) AnswerText", the expected typed
//     answer (mark "Ф") left out but its paragraph kept; a paragraph end.
// A referenced file that is missing, unsafe (it would leave the Foto folder),
// not a text or not a picture is named in the document where it would stand,
// "[name: reason]", and listed in the problems returned; the printout goes on.
#pragma once

#include "reports/document.h"
#include "session/unanswered.h"
#include "storage/install_folder.h"

#include <QStringList>
#include <functional>

namespace tavel {

// The text of an explanation file: rich text (by its "{\rtf" signature) as
// plain text; UTF-8 (with or without its byte-order mark, when the bytes
// are valid UTF-8 holding letters beyond ASCII) as such; anything else as
// Windows-1251. Line ends "\r\n" become "\n"; the last line end is dropped.
// Throws Error with the reason when the file cannot be read, is larger than
// 4 MB or holds NUL bytes (it is no text).
QString readExplanationText(const QString& path);

// Called with (rows done, all rows), a bounded number of times.
using PrintProgress = std::function<void(int done, int total)>;

// Appends the printout of `list` to `document`: W2 (size 12, bold), "Предмет
// " + the subject, a paragraph, "Тема: " + the topic, then every row as
// above. Files are looked up in the Foto folder of the list's subject under
// `home`. Returns the problems, one line each ("name: reason"), in order.
QStringList printUnanswered(Document& document, const UnansweredList& list, const InstallFolder& home,
                            const PrintProgress& progress = {});

} // namespace tavel
