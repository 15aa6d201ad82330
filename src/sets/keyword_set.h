// The keyword set: every question of the subject that holds one or two
// keywords, gathered in two passes.
//
// 1. By package topic: for each record of Exam.dat in file order, the first
//    "Всего" questions of that topic (trimmed codes) whose lower-cased text
//    holds both keywords (an empty keyword holds everywhere) and whose topic
//    is of the chosen kind. The kind is judged on the name of the first
//    Tema.dat record whose codes equal the question's as stored (untrimmed):
//    "ЕГЭ" / "ГИА" must stand in it in capitals, "без ЕГЭ  ГИА" allows
//    neither. A "Всего" of 0 or less sets no limit: every matching question
//    of the topic is taken.
// 2. By answers: for each answer in Otwet.dat order whose lower-cased text
//    holds both keywords, the first question with its four trimmed codes,
//    unless the set already holds a question with those codes. Neither the
//    kind nor the package applies here.
//
// Lower case is Windows-1251's own (Ё and ё are one letter). A keyword with a
// character the code page cannot hold matches nothing. Each file is read once
// (the questions found through answers are then read where they lie).
#pragma once

#include "sets/package.h"
#include "sets/question_set.h"

#include <QString>

namespace tavel {

enum class TopicKind { Any, Ege, Gia, Neither };

// The four items of Tip_Temi, in order: "Любая", "ЕГЭ", "ГИА", "без ЕГЭ  ГИА".
QString topicKindText(TopicKind kind);
// True when a topic named `topicName` is of the kind.
bool topicOfKind(const QString& topicName, TopicKind kind);

// The keyword as the search uses it: trimmed and lower-cased.
QString keywordOf(const QString& text);

// The set title: the kind's text, " Ключевые слова: ", the keywords.
QString keywordSetTitle(TopicKind kind, const QString& word1, const QString& word2);

struct KeywordFiles {
    QString examPath; // Exam.dat, for the error messages
    PackageRows package;
    QString temaPath;
    QString woprosPath;
    QString otwetPath;
};

namespace keyword_search {
// The search takes the widest steps the processor allows (AVX2, else SSE2);
// a limit of 16 bytes keeps it to SSE2, 1 to a byte at a time, 0 lifts the
// limit: for tests of the searches other processors take.
void limitWidth(int bytes);
} // namespace keyword_search

// Throws Error naming Exam.dat and the record when a "Всего" is not a number.
// `answerCodes`, when given, receives the codes of every answer record (see
// setCandidates).
QuestionSet buildKeywordSet(const KeywordFiles& files, TopicKind kind, const QString& word1, const QString& word2,
                            AnswerCodes* answerCodes = nullptr);

} // namespace tavel
