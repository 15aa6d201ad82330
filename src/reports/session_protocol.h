// The session protocol and the printouts of a question and of a topic, built
// from plain inputs (figures, names, lists, the subject's Foto folder) into a
// document; the main window gathers the inputs and shows the result.
#pragma once

#include "reports/document.h"
#include "reports/protocol_parts.h"

#include <QString>
#include <optional>
#include <vector>

namespace tavel {

// The session protocol: size 10, the summary table (table 1), the signature
// line, "Список нерешенных задач" and each question of `unanswered` (the
// list as filtered: the questions not answered right) with its explanation
// text, pictures and variants (appendQuestionList).
QuestionListFiles buildSessionProtocol(Document& doc, const TestFigures& figures, const QuestionList& unanswered,
                                       const AnswerTable& answers, const FotoFolder& foto,
                                       const DocumentProgress& progress = {});

// The current question as shown ("Печать текущего вопроса").
struct CurrentQuestion {
    QString subject;       // PredmetName
    QString topic;         // the running test's title
    QString shownText;     // the question text as shown (before "File#")
    std::optional<QString> explanation; // the explanation window's text, when it is shown
    QString systemNumber;  // names the default pictures
    // The picture the question refers to (a GIF or JPEG in Foto); empty when
    // it refers to none.
    QString referencedPicture;
    std::vector<AnswerRow> variants; // in order, as shown
};
void buildQuestionPrintout(Document& doc, const CurrentQuestion& question, const FotoFolder& foto);

// Every question of the running test ("Печать текущей темы"); with `key`
// (the administrator's access) the marks and the expected typed answers:
// size 12, "Предмет " + the trimmed subject, "Тема: " + the topic, then the
// questions (appendQuestionList).
QuestionListFiles buildTopicPrintout(Document& doc, const QString& subject, const QString& topic,
                                     const QuestionList& questions, const AnswerTable& answers, const FotoFolder& foto,
                                     bool key, const DocumentProgress& progress = {});

} // namespace tavel
