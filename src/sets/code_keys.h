// Keys for looking the question sets' records up by their codes without
// decoding them: the trimmed codes packed as storage packs them
// (storage/code_lookup.h), so that a key made from a record's bytes and one
// made from a decoded code are equal exactly when the codes are equal by the
// key rules (trimmed, byte for byte). A code too long for its field (typed
// into a grid) gives a key no stored record produces.
#pragma once

#include "sets/package.h"
#include "storage/code_lookup.h"

namespace tavel::code_keys {

using QuestionKey = PackedQuestionKey;

inline quint64 topic(const RecordView& r, int subjectField, int topicField)
{
    return TopicFields(r.layout(), subjectField, topicField).key(r.bytes().data());
}

// The topic of a package record.
inline quint64 package(const PackageRecord& row)
{
    return packedTopicKey(packedCode(row.subjectCode), packedCode(row.topicCode));
}

// The four codes of a decoded question.
inline QuestionKey questionKey(QStringView subject, QStringView topic, QStringView test, QStringView question)
{
    return packedQuestionKey(packedCode(subject), packedCode(topic), packedCode(test), packedCode(question));
}

} // namespace tavel::code_keys
