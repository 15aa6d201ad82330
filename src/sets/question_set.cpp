// Temp.dat and the candidates of a gathered question set.
#include "sets/question_set.h"

#include "sets/code_keys.h"
#include "storage/record_scan.h"

#include <QSet>

namespace tavel {

void writeTempFile(const QString& path, const QuestionSet& set)
{
    writeRecords(path, set);
}

SetCandidates setCandidates(const QuestionSet& set, const QString& otwetPath, int firstOrdinal, int lastOrdinal,
                            int questionLimit, const AnswerCodes* answerCodes)
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
    QSet<code_keys::QuestionKey> asked;
    asked.reserve(qsizetype(out.questions.size()));
    for (const QuestionRow& q : out.questions)
        asked.insert(code_keys::questionKey(cp1251::encode(q.subjectCode), cp1251::encode(q.topicCode),
                                            cp1251::encode(q.testCode), cp1251::encode(q.questionNo)));
    RecordScanner scanner(AnswerRecord::layout());
    if (answerCodes) {
        std::vector<int> indices;
        for (int i = 0; i < int(answerCodes->size()); ++i)
            if (asked.contains((*answerCodes)[size_t(i)]))
                indices.push_back(i);
        for (const QByteArray& bytes : scanner.readAt(otwetPath, indices))
            out.answers.push_back(answerRow(AnswerRecord::decode(RecordView(AnswerRecord::layout(), bytes))));
        return out;
    }
    scanner.scan(otwetPath, [&](int, const RecordView& a) {
        if (asked.contains(code_keys::question(a, otwet::SubjectCode, otwet::TopicCode, otwet::TestCode,
                                               otwet::QuestionNo)))
            out.answers.push_back(answerRow(AnswerRecord::decode(a)));
    });
    return out;
}

} // namespace tavel
