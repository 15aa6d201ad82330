// What the presenter shows for one question: its text without the
// explanation-file reference, its variants gathered from the answer table,
// the counts of "+", "-" and "Ф" marks, the kind, the number of right
// variants, the seconds allowed, the material of the matching and ranking
// windows, and the files attached to the question.
//
// Contracts:
// - Variants are the answer-table rows whose four codes equal the question's,
//   in table order. Every variant is kept, however many there are: the window
//   shows as many rows as there are variants.
// - The first variant marked "1" raises ranking mode for itself and every
//   later variant: earlier variants are tick rows, later ones ranking rows.
// - The kind follows kindFromMarks (storage/question_keys.h).
// - No file is opened here; file names come from question data and are used
//   only when they cannot leave the subject's Foto folder.
#pragma once

#include "session/question_list.h"
#include "storage/install_folder.h"
#include "storage/question_keys.h"
#include "storage/records.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace tavel {

// Seconds of the question countdown (settings lines 5 and 6, changeable while running).
struct TimeSettings {
    int questionSeconds = 900; // QuestionSeconds
    int variantSeconds = 120;  // VariantSeconds
};

// n × VariantSeconds + QuestionSeconds.
int secondsAllowed(int variantCount, const TimeSettings& times);

// A row of the ranking window: the variant's text and its right position.
struct RankingRow {
    QString text;          // AnswerText
    QString correctNumber; // AnswerNo: the right slot, 1 at the top
    bool shown = false;    // false for the tick rows before the first "1"
};

struct Presentation {
    QuestionRow question;
    QString shownText;       // WoprosRE: the text before "File#"
    QString systemNumber;    // NomerWoprosa
    QString points;          // TekBal as text (the trimmed Points)
    int pointsValue = 0;     // TekBal as a number; 0 when Points is not a whole number
    bool pointsValid = true; // false when Points is neither blank nor a whole number

    std::vector<AnswerRow> variants; // OtwTek rows 1..n
    int plusCount = 0;  // trimmed mark "+"
    int minusCount = 0; // trimmed mark "-"
    int exactCount = 0; // mark containing "Ф"
    int firstRankingRow = -1; // index of the first variant marked "1"; -1 when none

    QuestionKind kind = QuestionKind::TickBoxes;
    int rightCount = 0; // KPraw
    int seconds = 0;    // TimeWopros

    // Matching material: the k-th "+" variant gives rightTexts[k] and
    // rightCodes[k] (its AnswerNo), the k-th "-" variant leftTexts[k].
    QStringList rightTexts;
    QStringList rightCodes;
    QStringList leftTexts;

    // One per variant while ranking mode is raised (empty otherwise).
    std::vector<RankingRow> rankingRows;

    int variantCount() const { return int(variants.size()); } // KOtw
    bool rankingMode() const { return firstRankingRow >= 0; }
    bool isRankingRow(int index) const { return rankingMode() && index >= firstRankingRow; }
    QString kindName() const { return tavel::kindName(kind); } // TipOtweta
    // Variant texts shown in the variant rows: every one except ranking rows.
    std::vector<bool> shownTexts() const;
};

// Gathers everything about `question` from `answers`.
Presentation present(const QuestionRow& question, const AnswerTable& answers, const TimeSettings& times);

// The files attached to a question. Paths are real paths under the
// installation folder; a path is empty when the name was unusable.
struct QuestionFiles {
    QString gifCandidate;      // Foto/<system number>.gif
    QString jpgCandidate;      // Foto/<system number>.jpg
    bool gifExists = false;
    bool jpgExists = false;

    QString explanationName;   // the referenced file name ("" when none)
    bool explanationSafe = false; // the name stays inside Foto
    QString explanationFile;   // its path, when safe
    bool explanationExists = false;
    QString explanationCaption; // caption of the explanation window
    bool explanationIsText = false; // ".txt"/".rtf": loaded into the explanation window
    bool openWithShell = false;     // neither text nor picture: opened with its program

    QString gifWindowFile;  // what the GIF window shows; empty: the window stays closed
    QString jpegWindowFile; // what the JPEG window shows; empty: stays closed
    QString picturePath;    // PicturePath: the last picture file assigned
    QString explanationPath = QStringLiteral("tt"); // ExplanationPath
    bool showPictureNote = false; // a GIF or JPEG candidate exists
};

inline const QString kPictureNote = QStringLiteral("Размеры и расположение окон подстройте под себя");

QuestionFiles questionFiles(const InstallFolder& home, const QString& folderName, const QuestionRow& question);

// The name of the topic of a question: the TopicName of the first topic
// record with the same codes; nothing when none matches.
std::optional<QString> topicNameFor(const std::vector<TopicRecord>& topics, const QuestionRow& question);

} // namespace tavel
