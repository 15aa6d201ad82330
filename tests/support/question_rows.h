// Question rows for the printout tests: subject 1, topic 2, test 1, so the
// system number of question `no` is "1_2_1_<no>".
#pragma once

#include "session/question_list.h"

namespace tavel::test {

inline QuestionRow question(const QString& no, const QString& text)
{
    QuestionRow r;
    r.subjectCode = QStringLiteral("1");
    r.topicCode = QStringLiteral("2");
    r.testCode = QStringLiteral("1");
    r.questionNo = no;
    r.questionText = text;
    return r;
}

} // namespace tavel::test
