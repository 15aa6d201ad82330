// Selecting the question and answer records of one topic: a full scan of the
// file comparing the trimmed subject and topic codes on the raw bytes, so that
// only the records kept are decoded.
#pragma once

#include "storage/records.h"

#include <functional>
#include <vector>

namespace tavel {

// Called a bounded number of times during a scan with the records read so far
// and the record count.
using ScanProgress = std::function<void(int done, int total)>;

// Indices of the records whose trimmed fields `subjectField` and `topicField`
// equal the trimmed codes given.
std::vector<int> recordsOfTopic(const RecordFile& file, int subjectField, int topicField,
                                QStringView subjectCode, QStringView topicCode,
                                const ScanProgress& progress = {});

std::vector<QuestionRecord> questionsOfTopic(const RecordFile& wopros, QStringView subjectCode,
                                             QStringView topicCode, const ScanProgress& progress = {});
std::vector<AnswerRecord> answersOfTopic(const RecordFile& otwet, QStringView subjectCode,
                                         QStringView topicCode, const ScanProgress& progress = {});

} // namespace tavel
