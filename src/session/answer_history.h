// The answer history of a running test, as the session sees it: the three
// points at which the running test hands something to the history document
// (a topic starts, a question is shown, an answer is judged). The document
// itself comes with the report writer; until then the history does nothing.
#pragma once

#include "session/checking.h"
#include "session/presentation.h"

#include <QString>

namespace tavel {

class AnswerHistory {
public:
    virtual ~AnswerHistory() = default;

    // Start of a topic: a new history document.
    virtual void topicStarted() {}
    // A question was shown: `row` is its position in asking order (from 1),
    // `text` the question text as shown (without its "File#" part).
    virtual void questionShown(int row, const QString& text)
    {
        Q_UNUSED(row);
        Q_UNUSED(text);
    }
    // An answer was judged (exact answers, tick boxes, matching, ranking):
    // the question, the answer as the controls held it, and the verdict.
    virtual void answerJudged(const Presentation& question, const GivenAnswer& answer, bool right)
    {
        Q_UNUSED(question);
        Q_UNUSED(answer);
        Q_UNUSED(right);
    }
};

} // namespace tavel
