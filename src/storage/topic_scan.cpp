// Topic selection over raw record bytes.
#include "storage/topic_scan.h"

#include "storage/cp1251.h"
#include "storage/text.h"

namespace tavel {

std::vector<int> recordsOfTopic(const RecordFile& file, int subjectField, int topicField,
                                QStringView subjectCode, QStringView topicCode, const ScanProgress& progress)
{
    const QByteArray subject = cp1251::encode(trimmed(subjectCode));
    const QByteArray topic = cp1251::encode(trimmed(topicCode));
    const int total = file.count();
    const int step = std::max(1, total / 100);
    std::vector<int> kept;
    for (int i = 0; i < total; ++i) {
        const RecordView r = file.at(i);
        if (trimmed(r.rawText(subjectField)) == subject && trimmed(r.rawText(topicField)) == topic)
            kept.push_back(i);
        if (progress && (i + 1) % step == 0)
            progress(i + 1, total);
    }
    if (progress)
        progress(total, total);
    return kept;
}

std::vector<QuestionRecord> questionsOfTopic(const RecordFile& wopros, QStringView subjectCode,
                                             QStringView topicCode, const ScanProgress& progress)
{
    std::vector<QuestionRecord> out;
    for (int i : recordsOfTopic(wopros, wopros::SubjectCode, wopros::TopicCode, subjectCode, topicCode, progress))
        out.push_back(QuestionRecord::decode(wopros.at(i)));
    return out;
}

std::vector<AnswerRecord> answersOfTopic(const RecordFile& otwet, QStringView subjectCode,
                                         QStringView topicCode, const ScanProgress& progress)
{
    std::vector<AnswerRecord> out;
    for (int i : recordsOfTopic(otwet, otwet::SubjectCode, otwet::TopicCode, subjectCode, topicCode, progress))
        out.push_back(AnswerRecord::decode(otwet.at(i)));
    return out;
}

} // namespace tavel
