// Building the question list and the answer table of a topic test.
#include "session/question_list.h"

#include "storage/cp1251.h"
#include "storage/error.h"
#include "storage/question_keys.h"
#include "storage/text.h"

#include <cmath>
#include <map>
#include <set>

namespace tavel {

QString QuestionRow::systemNumber() const
{
    return tavel::systemNumber(subjectCode, topicCode, testCode, questionNo);
}

bool AnswerRow::belongsTo(const QuestionRow& q) const
{
    // QuestionNo first: within one topic it tells rows apart soonest.
    return questionNo == q.questionNo && testCode == q.testCode && topicCode == q.topicCode
           && subjectCode == q.subjectCode;
}

QuestionRow questionRow(const RecordView& r)
{
    const auto field = [&](int f) { return cp1251::decode(trimmed(r.rawText(f))); };
    QuestionRow row;
    row.subjectCode = field(wopros::SubjectCode);
    row.topicCode = field(wopros::TopicCode);
    row.testCode = field(wopros::TestCode);
    row.questionNo = field(wopros::QuestionNo);
    row.questionText = field(wopros::QuestionText);
    row.points = field(wopros::Points);
    return row;
}

AnswerRow AnswerRowMaker::of(const RecordView& a)
{
    return AnswerRow{shortText(a, otwet::SubjectCode), shortText(a, otwet::TopicCode),
                     shortText(a, otwet::TestCode),    shortText(a, otwet::QuestionNo),
                     shortText(a, otwet::AnswerNo),    shortText(a, otwet::AnswerMark),
                     cp1251::decode(trimmed(a.rawText(otwet::AnswerText)))};
}

void AnswerRowMaker::appendRows(QByteArrayView records, AnswerTable& table)
{
    const int size = AnswerRecord::layout().size;
    const qsizetype count = records.size() / size;
    table.reserve(table.size() + size_t(count));
    for (qsizetype k = 0; k < count; ++k)
        table.push_back(of(RecordView(AnswerRecord::layout(), records.sliced(k * size, size))));
}

// The field trimmed and decoded. The packed code of a field of at most three
// characters holds exactly its trimmed bytes.
QString AnswerRowMaker::shortText(const RecordView& a, int field)
{
    const FieldLayout& f = AnswerRecord::layout().field(field);
    if (f.capacity() > 3)
        return cp1251::decode(trimmed(a.rawText(field)));
    const quint32 packed = packedCode(a.bytes().data(), f);
    if (const int* i = index_.find(packed))
        return texts_[size_t(*i)];
    char bytes[3];
    const int size = int(packed >> 24);
    for (int k = 0; k < size; ++k)
        bytes[k] = char(packed >> (8 * k));
    index_.insert(packed, int(texts_.size()));
    texts_.push_back(cp1251::decode(QByteArrayView(bytes, size)));
    return texts_.back();
}

QString shuffleKey(RandomSource& random, int multiplier)
{
    return QString::number(qint64(std::nearbyint(random.next() * multiplier)));
}

void sortByKey(QuestionList& rows)
{
    // Simulates the selection sort exactly: per key (as Windows-1251 bytes,
    // compared unsigned) the set of positions at or before p holding it.
    const int n = int(rows.size());
    std::vector<QByteArray> keys(rows.size());
    std::map<QByteArray, std::set<int>> where;
    for (int i = 0; i < n; ++i) {
        keys[size_t(i)] = cp1251::encode(rows[size_t(i)].key);
        where[keys[size_t(i)]].insert(i);
    }
    for (int p = n - 1; p > 0; --p) {
        const auto largest = std::prev(where.end());
        const QByteArray maxKey = largest->first;
        const int first = *largest->second.begin();
        largest->second.erase(first);
        if (first != p) {
            const QByteArray& movedKey = keys[size_t(p)];
            auto& moved = where[movedKey];
            moved.erase(p);
            moved.insert(first);
            std::swap(rows[size_t(first)], rows[size_t(p)]);
            std::swap(keys[size_t(first)], keys[size_t(p)]);
        }
        const auto again = where.find(maxKey);
        if (again != where.end() && again->second.empty())
            where.erase(again);
    }
}

void applyLimit(QuestionList& rows, int limit)
{
    const size_t keep = size_t(std::max(0, limit));
    if (rows.size() > keep)
        rows.resize(keep);
}

PointsSum totalPoints(const QuestionList& rows)
{
    PointsSum sum;
    for (size_t i = 0; i < rows.size(); ++i) {
        const QString points = trimmed(rows[i].points);
        if (points.isEmpty())
            continue;
        bool ok = false;
        const int value = points.toInt(&ok);
        if (!ok) {
            sum.badRow = int(i);
            sum.error = QStringLiteral("Баллы вопроса %1 записаны как «%2», а это не целое число. "
                                       "Тест не начат: исправьте баллы вопроса в редакторе.")
                            .arg(rows[i].systemNumber(), points);
            return sum;
        }
        sum.total += value;
    }
    return sum;
}

int limitMinutes(int maxTime, int questionCount)
{
    return maxTime != 0 ? maxTime : questionCount;
}

} // namespace tavel
