// Start and presentation steps over the state of a running test.
#include "session/session_state.h"

#include "storage/text.h"

#include <QTime>

namespace tavel {

QString counterText(int value)
{
    return QString::number(value);
}

void startTopic(SessionState& s, StartData data, const QDateTime& startTime, bool hintsOn)
{
    s.questions = std::move(data.questions);
    s.answers = std::move(data.answers);
    s.currentRow = 0;
    s.awaitingAnswer = false;
    s.current = Presentation();
    s.rankingRight = false;

    SessionCounters c;
    c.kWopr = int(s.questions.size());
    c.wseBal = data.totalPoints;
    c.limitTime = data.limitTime;
    s.counters = c;
    s.grade = GradeDisplay();
    s.grade.patSlovo.clear();
    s.answeredCount = 0;
    s.hintsOn = hintsOn;
    s.topicName = std::move(data.title);
    s.packageName = std::move(data.packageName);
    s.startTime = startTime;
    s.elapsed.clear();
    s.countdown = Countdown();
    s.unanswered = UnansweredList();
}

void markAnswered(SessionState& s, const QString& systemNumber)
{
    markAnsweredRight(s.unanswered, systemNumber);
}

void startUnansweredList(SessionState& s, const QString& subjectName, const QString& folderName)
{
    s.unanswered = unansweredAtStart(s.questions, s.answers, s.topicName, subjectName, folderName);
}

bool hasNextQuestion(const SessionState& s)
{
    return s.currentRow < int(s.questions.size());
}

bool presentNext(SessionState& s, const TimeSettings& times)
{
    if (!hasNextQuestion(s))
        return false;
    ++s.currentRow;
    ++s.counters.nWopr;
    s.current = present(s.questions[size_t(s.currentRow - 1)], s.answers, times);
    s.counters.tekBal = s.current.pointsValue;
    s.counters.kOtw = s.current.variantCount();
    s.counters.kPraw = s.current.rightCount;
    s.counters.timeWopros = s.current.seconds;
    s.countdown.start(s.current.seconds);
    s.awaitingAnswer = true;
    s.rankingRight = false;
    return true;
}

int questionsLeft(const SessionCounters& c)
{
    return c.kWopr - c.nWopr + 1;
}

QString elapsedText(const QDateTime& start, const QDateTime& now)
{
    qint64 seconds = start.secsTo(now) % 86400;
    if (seconds < 0)
        seconds += 86400;
    return QTime(0, 0).addSecs(int(seconds)).toString(QStringLiteral("H:mm:ss"));
}

} // namespace tavel
