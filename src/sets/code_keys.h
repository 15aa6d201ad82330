// Keys for looking records up by their codes: the trimmed codes' bytes
// (Windows-1251, as stored), joined by a byte no code holds. Two records get
// the same key exactly when their codes are equal by the key rules.
#pragma once

#include "storage/cp1251.h"
#include "storage/record.h"
#include "storage/records.h"
#include "storage/text.h"

#include <QByteArray>
#include <QByteArrayView>

namespace tavel::code_keys {

inline QByteArray join(std::initializer_list<QByteArrayView> codes)
{
    QByteArray key;
    key.reserve(16);
    bool first = true;
    for (const QByteArrayView code : codes) {
        if (!first)
            key.append('\x01');
        key.append(trimmed(code));
        first = false;
    }
    return key;
}

// Subject and topic.
inline QByteArray topic(const RecordView& r, int subjectField, int topicField)
{
    return join({r.rawText(subjectField), r.rawText(topicField)});
}

// Subject, topic, section and question: the four codes of a question.
inline QByteArray question(const RecordView& r, int subjectField, int topicField, int testField, int questionField)
{
    return join({r.rawText(subjectField), r.rawText(topicField), r.rawText(testField), r.rawText(questionField)});
}

// The topic of a package record.
inline QByteArray package(const PackageRecord& row)
{
    return join({cp1251::encode(row.subjectCode), cp1251::encode(row.topicCode)});
}

} // namespace tavel::code_keys
