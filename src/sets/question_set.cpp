// Temp.dat and the candidates of a gathered question set.
#include "sets/question_set.h"

#include "sets/code_keys.h"

#include <QSet>

namespace tavel {

void writeTempFile(const QString& path, const QuestionSet& set)
{
    writeRecords(path, set);
}

SetCandidates setCandidates(const QuestionSet& set, const RecordFile& otwet, int firstOrdinal, int lastOrdinal,
                            int questionLimit)
{
    SetCandidates out;
    int ordinal = 0;
    for (const QuestionRecord& record : set) {
        if (int(out.questions.size()) >= questionLimit)
            break;
        ++ordinal;
        if (ordinal >= firstOrdinal && ordinal <= lastOrdinal)
            out.questions.push_back(questionRow(record, QString()));
    }
    // Only the answers of the questions asked are decoded.
    QSet<QByteArray> asked;
    asked.reserve(qsizetype(out.questions.size()));
    for (const QuestionRow& q : out.questions)
        asked.insert(code_keys::join({cp1251::encode(q.subjectCode), cp1251::encode(q.topicCode),
                                      cp1251::encode(q.testCode), cp1251::encode(q.questionNo)}));
    for (int i = 0; i < otwet.count(); ++i) {
        const RecordView a = otwet.at(i);
        if (asked.contains(code_keys::question(a, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode,
                                               otwet::QuestionNo)))
            out.answers.push_back(answerRow(AnswerRecord::decode(a)));
    }
    return out;
}

} // namespace tavel
