// The pieces the session protocol, the answer history and the question,
// topic and unanswered-questions printouts share: the summary table with its
// signature line, the subject's Foto folder, the text of an explanation file,
// and the list of questions put into a document with their explanation
// texts, their pictures and their variants.
//
// Contracts:
// - Files come only from the subject's Foto folder: a reference whose name
//   leaves it ("/", "\", "..") is named in the document and nothing is read.
// - A file the question refers to that is missing or unreadable is named in
//   the document (Document::missingFileText), listed among the problems, and
//   the document goes on. The default pictures by system number are
//   optional: a missing one is skipped.
#pragma once

#include "reports/document.h"
#include "session/question_list.h"
#include "storage/install_folder.h"

#include <QDateTime>
#include <QDir>
#include <QHash>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <utility>
#include <vector>

namespace tavel {

// The figures of a test as its documents print them.
struct TestFigures {
    bool started = false; // a test was started (KWopr holds a number)
    int kWopr = 0;        // questions to ask
    int werWop = 0;       // answered correctly
    int wseBal = 0;       // points available
    int werBal = 0;       // points scored
    QString ocenka = QStringLiteral(" 0"); // the five-point grade text, as shown
    QString tenPoint;     // the ten-point grade text (SlDesBal)
    QString examinee;     // INN_New
    QString subject;      // PredmetName
    QString topic;        // the running test's title
    QString elapsed;      // the time the test took, "H:MM:SS"
    QDateTime startTime;  // when the test started
    QDateTime now;        // when the document is made
};

// "2" "Неудовлетворительно", "3" "Удовлетворительно", "4" "Хорошо", "5"
// "Отлично" (the grade text trimmed); "?" for anything else.
QString protocolGradeWord(const QString& ocenka);

// The share of right answers: werWop × 100 ÷ kWopr rounded half to even, as
// a whole number; "—" when no question was asked (kWopr <= 0).
QString rightAnswerPercent(int werWop, int kWopr);

// The summary table's rows (column 1, column 2), in the order of the session
// protocol (date with start and end time, time spent second) or of the
// answer history (date and time of the request, time spent tenth).
enum class SummaryOrder { SessionProtocol, AnswerHistory };
std::vector<std::pair<QString, QString>> summaryRows(const TestFigures& figures, SummaryOrder order);

// The summary table at the end of `doc` (11 × 2, borders on, a blank after
// it); returns the table's number.
int appendSummaryTable(Document& doc, const std::vector<std::pair<QString, QString>>& rows);

// The signature line, exactly as the forms print it.
inline const QString kSignatureLine = QStringLiteral(
    "Подписи: Преподаватель ________________________   Аттестуемый ______________________ ");

// The subject's Foto folder, where question pictures and explanation files
// lie. It is listed once, when made: a name is then found as it is spelled
// or in another case (as the installation folder's resolver matches names)
// without a look at the disk per question.
class FotoFolder {
public:
    FotoFolder(const InstallFolder& home, const QString& folderName);

    // The real path of a bare file name inside Foto: the spelling that
    // exists, else the name as given.
    QString path(const QString& name) const;
    // True when Foto holds a file of that name, in any case.
    bool contains(const QString& name) const;

private:
    QDir dir_;
    QHash<QString, QString> byLowerName_;
};

// The text of an explanation file: rich text (by its "{\rtf" signature) as
// plain text; UTF-8 (with or without its byte-order mark, when the bytes
// are valid UTF-8 holding letters beyond ASCII) as such; anything else as
// Windows-1251. Line ends "\r\n" become "\n"; the last line end is dropped.
// Throws Error with the reason when the file cannot be read, is larger than
// 4 MB or holds NUL bytes (it is no text).
QString readExplanationText(const QString& path);

// How the variants of a question are printed.
enum class VariantLines {
    Plain,      // "No) text"; expected typed answers ("Ф") left out
    TeachersKey // marks in front, "1" without, "Ответ:  " + the expected answer
};

// The line of one variant; nothing when the variant is not printed (its
// paragraph break stays).
std::optional<QString> variantLine(const AnswerRow& variant, VariantLines style);

// Called with (done, total) a bounded number of times while a document of
// many questions is built.
using DocumentProgress = std::function<void(int done, int total)>;

// The files of a list of questions put into a document.
struct QuestionListFiles {
    QStringList inserted; // the inserted-files list: the names put in, the last one first
    QStringList problems; // the files that could not be put in, "name: reason", in order
};

// Every question of `questions` at the end of `doc`, question r (from 1) as:
// two paragraph breaks, "[r]. " and its text before "File#"; the file its
// reference names, the first time the document meets that name (names
// compare without regard to case): a text or RTF file on a new paragraph as
// plain text; its GIF picture (the referenced one, else the default
// Foto/<system number>.gif) and its JPEG picture (likewise, .jpg), put in
// where the text ends (after the question's text or its explanation); then
// one paragraph per variant of `answers` belonging to it, in table order; and
// a closing paragraph break. A broken picture is named where it would stand.
QuestionListFiles appendQuestionList(Document& doc, const QuestionList& questions, const AnswerTable& answers,
                                     const FotoFolder& foto, VariantLines variants,
                                     const DocumentProgress& progress = {});

} // namespace tavel
