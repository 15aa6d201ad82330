// The unanswered list of a running test (`Woprosi`): a copy of the question
// list made at Start with every mark "у", in which the checker marks each
// question answered right with "п". The unanswered-questions window shows it,
// filters it and prints it; the session protocol prints it too. It carries
// what its printout needs from the test: the answer table, the topic's name
// and the subject it came from, so that a printout made after the teacher
// chose another subject still names the test's own subject and pictures.
#pragma once

#include "session/question_list.h"

#include <QString>

namespace tavel {

// The mark of a question answered right.
inline const QString kAnsweredRightMark = QStringLiteral("п");

struct UnansweredList {
    QuestionList rows;    // rows 1..n of the grid, in asking order
    AnswerTable answers;  // the answer table of the test (for the variants)
    QString topicName;    // NeotTema
    QString subjectName;  // the subject's name, as the window's caption shows it
    QString folderName;   // FolderName of that subject
};

// The list at Start: `questions` with every mark "у".
UnansweredList unansweredAtStart(const QuestionList& questions, const AnswerTable& answers, const QString& topicName,
                                 const QString& subjectName, const QString& folderName);

// The checker's mark: the first row with the system number (each code
// trimmed) gets "п". False when no row has it.
bool markAnsweredRight(UnansweredList& list, const QString& systemNumber);

// The filter `DelPraw`: keeps the rows whose trimmed mark is not "п", in
// their order. Permanent for the running test; running it again changes
// nothing. Returns how many rows were kept.
int keepUnanswered(UnansweredList& list);

// The mark as the list shows it: "н" for a trimmed "у", anything else as it is.
QString shownMark(const QString& mark);

// False when there is nothing to print: no rows, or a first row without a
// subject code (the printout then says "Вопросов нет").
bool hasQuestions(const UnansweredList& list);

} // namespace tavel
