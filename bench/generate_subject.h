// A large, realistic subject folder for the benchmarks: topics, sections,
// questions and answers with Russian texts, written as the record files of a
// subject. The same seed always gives the same bytes.
#pragma once

#include "storage/records.h"

#include <QString>
#include <vector>

namespace tavel::bench {

struct SubjectShape {
    int topics = 100;
    int questions = 100'000;
    int answers = 400'000; // at least one and at most eight per question
    // The subject code as the records carry it; trimmed it must be a whole code
    // ("1 " and "1" are the same code, "01" is another one).
    QString subjectCode = QStringLiteral("1 ");
    quint64 seed = 20240901;
};

struct GeneratedSubject {
    QString folder;
    QString subjectCode;                // trimmed
    std::vector<TopicRecord> topics;    // as written to Tema.dat
    std::vector<int> questionsPerTopic; // by topic index
    std::vector<int> answersPerTopic;   // by topic index

    // The topic in the middle of Tema.dat, the one the benchmarks select.
    int middleTopic() const { return int(topics.size()) / 2; }
};

// The records of the subject, in file order, without writing anything.
struct SubjectRecords {
    std::vector<SectionRecord> sections;
    std::vector<TopicRecord> topics;
    std::vector<QuestionRecord> questions;
    std::vector<AnswerRecord> answers;
};
SubjectRecords makeSubjectRecords(const SubjectShape& shape = {});

// Writes Tema.dat, Predmet.dat, Wopros.dat, Otwet.dat and Exam.dat (the default
// package) into `folder`, which is created when missing; existing files of
// those names are replaced. Throws Error when a file cannot be written or the
// shape is impossible.
GeneratedSubject generateSubject(const QString& folder, const SubjectShape& shape = {});

} // namespace tavel::bench
