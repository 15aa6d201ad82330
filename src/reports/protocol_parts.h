// The pieces the session protocol, the answer history and the question and
// topic printouts share: the summary table with its signature line, the
// inserted-files list, and one question put into a document with its
// explanation text, its pictures and its variants.
//
// Contracts:
// - Files come only from the subject's Foto folder: a reference whose name
//   leaves it ("/", "\", "..") is named in the document and nothing is read.
// - A file the question refers to that is missing or unreadable is named in
//   the document (Document::missingFileText) and the document goes on. The
//   default pictures by system number are optional: a missing one is skipped.
#pragma once

#include "reports/document.h"
#include "session/question_list.h"
#include "storage/install_folder.h"

#include <QDateTime>
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

// The files put into a document so far (the inserted-files list): a file
// referenced by several questions goes in under the first one only. Names
// compare whole and without regard to case, as the subject's disks do.
class InsertedFiles {
public:
    // True, and the name noted in front of the list, when it was not there.
    bool addIfNew(const QString& name);
    const QStringList& names() const { return names_; }
    void clear() { names_.clear(); }

private:
    QStringList names_;
};

// The subject's Foto folder, where question pictures and explanation files lie.
struct FotoFolder {
    InstallFolder home;
    QString folderName; // FolderName of the subject

    // The real path of a bare file name inside Foto.
    QString path(const QString& name) const;
};

// How the variants of a question are printed.
enum class VariantLines {
    Plain,      // "No) text"; expected typed answers ("Ф") left out
    TeachersKey // marks in front, "1" without, "Ответ:  " + the expected answer
};

// The line of one variant; nothing when the variant is not printed (its
// paragraph break stays).
std::optional<QString> variantLine(const AnswerRow& variant, VariantLines style);

struct QuestionBlockOptions {
    VariantLines variants = VariantLines::Plain;
    bool jpegPictures = false; // put in JPEG pictures too (topic printout)
};

// One question of a list at the end of `doc`: two paragraph breaks, "[r]. "
// and its text before "File#", the explanation text its reference names (a
// text or RTF file, put in as plain text), its GIF picture (the referenced
// one, else the default by system number), with `jpegPictures` its JPEG
// (likewise), then one paragraph per variant of `answers` belonging to it,
// and a closing paragraph break. A file already in `inserted` is not put in
// again.
void appendQuestionBlock(Document& doc, int r, const QuestionRow& question, const AnswerTable& answers,
                         const FotoFolder& foto, InsertedFiles& inserted, const QuestionBlockOptions& options);

// Called with (done, total) while a document of many questions is built.
using DocumentProgress = std::function<void(int done, int total)>;

} // namespace tavel
