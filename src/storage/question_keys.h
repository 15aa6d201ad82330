// The key rules of the question base: the system number that names a
// question, the "File#" explanation-file reference inside a question text, and
// the kind of a question decided from the marks of its answers.
#pragma once

#include <QString>
#include <QStringList>

namespace tavel {

// SubjectCode_TopicCode_TestCode_QuestionNo, each trimmed.
QString systemNumber(QStringView subjectCode, QStringView topicCode, QStringView testCode, QStringView questionNo);

struct FileReference {
    bool present = false; // the text contains "File#"
    QString shownText;    // the text before the first "File#" (the whole text when absent)
    QString fileName;     // empty when absent or when no "#" closes the name within 20 characters
};

// Splits a question text at its first "File#": of the characters after it, at
// most 20 are taken and cut before the first "#" among them.
FileReference splitFileReference(const QString& questionText);

// A referenced file name is usable only when it stays inside the subject's
// Foto folder: not empty, no "/", "\" or "..".
bool isSafeFileName(const QString& fileName);

enum class QuestionKind { Matching, ExactAnswer, TickBoxes, Ranking };

// The kind from the answers' marks, the first rule that applies winning: a "+"
// and a "-" make a matching question; else a mark containing "Ф" an exact
// answer; else no mark "1" makes tick boxes; else ranking. Marks are compared
// trimmed.
QuestionKind kindFromMarks(const QStringList& marks);

// The kind's name as the main window shows it ("Соответствие", "Точный ответ",
// "Птички поставить", "Ранжирование").
QString kindName(QuestionKind kind);

} // namespace tavel
