// The records of every file kind as plain values, each with its decode/encode
// pair over the layout tables. Numbers of the question base are decimal text.
#pragma once

#include "storage/record_file.h"

#include <QString>
#include <vector>

namespace tavel {

struct SubjectRecord { // Baza\Papka.dat
    qint32 folderNo = 0;
    QString subjectName;
    QString folderName;
    qint32 topicCount = 0;
    qint32 questionCount = 0;
    qint32 answerCount = 0;

    static const RecordLayout& layout() { return layouts::papka; }
    static SubjectRecord decode(const RecordView& r);
    QByteArray encode() const;
};

struct UserRecord { // Baza\Dostup.dat
    QString userCode;
    double issueDate = 0; // days since 30 December 1899
    QString fullName;
    QString password;
    QString accessLevel;

    static const RecordLayout& layout() { return layouts::dostup; }
    static UserRecord decode(const RecordView& r);
    QByteArray encode() const;
};

struct SectionRecord { // Predmet.dat
    QString subjectCode;
    QString testCode;
    QString sectionName;

    static const RecordLayout& layout() { return layouts::predmet; }
    static SectionRecord decode(const RecordView& r);
    QByteArray encode() const;
};

struct TopicRecord { // Tema.dat
    QString subjectCode;
    QString topicCode;
    QString topicName;

    static const RecordLayout& layout() { return layouts::tema; }
    static TopicRecord decode(const RecordView& r);
    QByteArray encode() const;
};

struct QuestionRecord { // Wopros.dat, Temp.dat
    QString subjectCode;
    QString topicCode;
    QString testCode;
    QString questionNo;
    QString questionText;
    QString poradCode;
    QString points;
    QString sKodCode;

    static const RecordLayout& layout() { return layouts::wopros; }
    static QuestionRecord decode(const RecordView& r);
    QByteArray encode() const;
};

struct AnswerRecord { // Otwet.dat
    QString subjectCode;
    QString topicCode;
    QString testCode;
    QString questionNo;
    QString answerNo;
    QString answerMark;
    QString answerText;

    static const RecordLayout& layout() { return layouts::otwet; }
    static AnswerRecord decode(const RecordView& r);
    QByteArray encode() const;
};

struct PackageRecord { // Exam.dat and the other package files
    QString subjectCode;
    QString topicCode;
    QString topicName;
    QString totalCount;
    QString wantedCount;

    static const RecordLayout& layout() { return layouts::exam; }
    static PackageRecord decode(const RecordView& r);
    QByteArray encode() const;
};

struct EgeRecord { // EGE.dat, the work file of the exam-paper import
    QString lineMarker;
    QString lineText;

    static const RecordLayout& layout() { return layouts::ege; }
    static EgeRecord decode(const RecordView& r);
    QByteArray encode() const;
};

// Reads every record of a file of kind R (at most `limit` when limit >= 0).
template <class R>
std::vector<R> readRecords(const QString& path, int limit = -1)
{
    const RecordFile file = RecordFile::read(path, R::layout());
    const int n = limit >= 0 ? std::min(limit, file.count()) : file.count();
    std::vector<R> out;
    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        out.push_back(R::decode(file.at(i)));
    return out;
}

// Rewrites a whole file of kind R from `records`, atomically.
template <class R>
void writeRecords(const QString& path, const std::vector<R>& records)
{
    QList<QByteArray> bytes;
    bytes.reserve(qsizetype(records.size()));
    for (const R& r : records)
        bytes.push_back(r.encode());
    writeRecordFile(path, R::layout(), bytes);
}

} // namespace tavel
