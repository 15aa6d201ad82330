// The answer history of a running test, as the session sees it: the three
// points at which the running test hands something to the history document
// (a test starts, a question is shown, an answer is judged). The document
// side implements this interface; the session holds no document of its own,
// and until one is set the history does nothing.
#pragma once

#include "session/checking.h"
#include "session/presentation.h"

#include <QDateTime>
#include <QString>

namespace tavel {

// What a history knows of the test when it starts.
struct HistoryStart {
    QString title;       // the topic's name, or the title of a package or keyword set
    QString packageName; // the package of a package exam; empty otherwise
    QString subject;     // the subject's name as shown (PredmetName)
    QString examinee;    // the student's name as typed (INN_New)
    QDateTime startTime; // when the test started
};

class AnswerHistory {
public:
    virtual ~AnswerHistory() = default;

    // A test started (a topic, a package exam, a keyword set): a new history
    // document.
    virtual void testStarted(const HistoryStart& start) { Q_UNUSED(start); }
    // A question was shown: `row` is its position in asking order (from 1),
    // `text` the question text as shown (without its "File#" part).
    virtual void questionShown(int row, const QString& text)
    {
        Q_UNUSED(row);
        Q_UNUSED(text);
    }
    // An answer was judged (exact answers, tick boxes, matching, ranking):
    // the question as presented (variants, marks, matching and ranking
    // material), the answer as given (ticks per variant, the typed text, the
    // term chosen in each matching row, the order of the ranking boxes; see
    // GivenAnswer) and the verdict.
    virtual void answerJudged(const Presentation& question, const GivenAnswer& answer, bool right)
    {
        Q_UNUSED(question);
        Q_UNUSED(answer);
        Q_UNUSED(right);
    }
};

} // namespace tavel
