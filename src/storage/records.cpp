// Decode/encode pairs of the record kinds.
#include "storage/records.h"

namespace tavel {

SubjectRecord SubjectRecord::decode(const RecordView& r)
{
    using namespace papka;
    return {r.integer(FolderNo), r.text(SubjectName), r.text(FolderName),
            r.integer(TopicCount), r.integer(QuestionCount), r.integer(AnswerCount)};
}

QByteArray SubjectRecord::encode() const
{
    using namespace papka;
    RecordBuffer b(layout());
    b.setInteger(FolderNo, folderNo);
    b.setText(SubjectName, subjectName);
    b.setText(FolderName, folderName);
    b.setInteger(TopicCount, topicCount);
    b.setInteger(QuestionCount, questionCount);
    b.setInteger(AnswerCount, answerCount);
    return b.bytes();
}

UserRecord UserRecord::decode(const RecordView& r)
{
    using namespace dostup;
    return {r.text(UserCode), r.date(IssueDate), r.text(FullName), r.text(Password), r.text(AccessLevel)};
}

QByteArray UserRecord::encode() const
{
    using namespace dostup;
    RecordBuffer b(layout());
    b.setText(UserCode, userCode);
    b.setDate(IssueDate, issueDate);
    b.setText(FullName, fullName);
    b.setText(Password, password);
    b.setText(AccessLevel, accessLevel);
    return b.bytes();
}

SectionRecord SectionRecord::decode(const RecordView& r)
{
    using namespace predmet;
    return {r.text(SubjectCode), r.text(TestCode), r.text(SectionName)};
}

QByteArray SectionRecord::encode() const
{
    using namespace predmet;
    RecordBuffer b(layout());
    b.setText(SubjectCode, subjectCode);
    b.setText(TestCode, testCode);
    b.setText(SectionName, sectionName);
    return b.bytes();
}

TopicRecord TopicRecord::decode(const RecordView& r)
{
    using namespace tema;
    return {r.text(SubjectCode), r.text(TopicCode), r.text(TopicName)};
}

QByteArray TopicRecord::encode() const
{
    using namespace tema;
    RecordBuffer b(layout());
    b.setText(SubjectCode, subjectCode);
    b.setText(TopicCode, topicCode);
    b.setText(TopicName, topicName);
    return b.bytes();
}

QuestionRecord QuestionRecord::decode(const RecordView& r)
{
    using namespace wopros;
    return {r.text(SubjectCode), r.text(TopicCode), r.text(TestCode), r.text(QuestionNo),
            r.text(QuestionText), r.text(PoradCode), r.text(Points), r.text(SKodCode)};
}

QByteArray QuestionRecord::encode() const
{
    using namespace wopros;
    RecordBuffer b(layout());
    b.setText(SubjectCode, subjectCode);
    b.setText(TopicCode, topicCode);
    b.setText(TestCode, testCode);
    b.setText(QuestionNo, questionNo);
    b.setText(QuestionText, questionText);
    b.setText(PoradCode, poradCode);
    b.setText(Points, points);
    b.setText(SKodCode, sKodCode);
    return b.bytes();
}

AnswerRecord AnswerRecord::decode(const RecordView& r)
{
    using namespace otwet;
    return {r.text(SubjectCode), r.text(TopicCode), r.text(TestCode), r.text(QuestionNo),
            r.text(AnswerNo), r.text(AnswerMark), r.text(AnswerText)};
}

QByteArray AnswerRecord::encode() const
{
    using namespace otwet;
    RecordBuffer b(layout());
    b.setText(SubjectCode, subjectCode);
    b.setText(TopicCode, topicCode);
    b.setText(TestCode, testCode);
    b.setText(QuestionNo, questionNo);
    b.setText(AnswerNo, answerNo);
    b.setText(AnswerMark, answerMark);
    b.setText(AnswerText, answerText);
    return b.bytes();
}

PackageRecord PackageRecord::decode(const RecordView& r)
{
    using namespace exam;
    return {r.text(SubjectCode), r.text(TopicCode), r.text(TopicName), r.text(TotalCount), r.text(WantedCount)};
}

QByteArray PackageRecord::encode() const
{
    using namespace exam;
    RecordBuffer b(layout());
    b.setText(SubjectCode, subjectCode);
    b.setText(TopicCode, topicCode);
    b.setText(TopicName, topicName);
    b.setText(TotalCount, totalCount);
    b.setText(WantedCount, wantedCount);
    return b.bytes();
}

EgeRecord EgeRecord::decode(const RecordView& r)
{
    using namespace ege;
    return {r.text(LineMarker), r.text(LineText)};
}

QByteArray EgeRecord::encode() const
{
    using namespace ege;
    RecordBuffer b(layout());
    b.setText(LineMarker, lineMarker);
    b.setText(LineText, lineText);
    return b.bytes();
}

} // namespace tavel
