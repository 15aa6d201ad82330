// The unanswered list: its start, the checker's mark and the filter.
#include "session/unanswered.h"

#include "storage/text.h"

#include <algorithm>

namespace tavel {

UnansweredList unansweredAtStart(const QuestionList& questions, const AnswerTable& answers, const QString& topicName,
                                 const QString& subjectName, const QString& folderName)
{
    UnansweredList list{questions, answers, topicName, subjectName, folderName};
    for (QuestionRow& row : list.rows)
        row.mark = kPendingMark;
    return list;
}

bool markAnsweredRight(UnansweredList& list, const QString& systemNumber)
{
    const QString wanted = trimmed(systemNumber);
    for (QuestionRow& row : list.rows) {
        if (row.systemNumber() == wanted) {
            row.mark = kAnsweredRightMark;
            return true;
        }
    }
    return false;
}

int keepUnanswered(UnansweredList& list)
{
    const auto removed = std::remove_if(list.rows.begin(), list.rows.end(), [](const QuestionRow& row) {
        return trimmed(row.mark) == kAnsweredRightMark;
    });
    list.rows.erase(removed, list.rows.end());
    return int(list.rows.size());
}

QString shownMark(const QString& mark)
{
    return trimmed(mark) == kPendingMark ? QStringLiteral("н") : mark;
}

bool hasQuestions(const UnansweredList& list)
{
    return !list.rows.empty() && !trimmed(list.rows.front().subjectCode).isEmpty();
}

} // namespace tavel
