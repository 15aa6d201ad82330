// The checker's rules.
#include "session/checking.h"

#include "storage/cp1251.h"
#include "storage/text.h"

#include <algorithm>
#include <cmath>

namespace tavel {

bool exactAnswerRight(const QString& typed, const QString& answerText)
{
    return cp1251::toLower(trimmed(typed)) == cp1251::toLower(trimmed(answerText));
}

int countRightTicks(const std::vector<AnswerRow>& variants, const std::vector<bool>& ticked)
{
    int k = 0;
    const size_t n = std::min(variants.size(), ticked.size());
    for (size_t i = 0; i < n; ++i) {
        if (!ticked[i])
            continue;
        const QString mark = trimmed(variants[i].answerMark);
        if (mark == u"+")
            ++k;
        else if (mark.isEmpty())
            return 0;
    }
    return k;
}

int partialPoints(int werBal, int tekBal, int k, int r)
{
    if (r <= 0)
        return werBal;
    return int(std::nearbyint(double(werBal) + double(tekBal) * double(k) / double(r)));
}

TickScore scoreTickBoxes(SessionCounters& c, int k, bool tickedAny)
{
    const int r = c.kPraw;
    TickScore s;
    s.availableAdded = std::max(r - 1, 0);
    c.wseBal += s.availableAdded;
    const int before = c.werBal;
    if (k == r && !(r == 0 && tickedAny)) {
        s.allRight = true;
        ++c.werWop;
        c.werBal += c.tekBal + (k > 1 ? k - 1 : 0);
    } else {
        c.werBal = partialPoints(c.werBal, c.tekBal, k, r);
    }
    s.pointsAdded = c.werBal - before;
    return s;
}

bool matchingRight(int nabrano, int klassRightCount)
{
    return nabrano == klassRightCount;
}

bool topicEnded(const SessionCounters& c)
{
    return c.kWopr == c.nWopr;
}

int percentGauge(int werBal, int wseBal)
{
    if (wseBal <= 0)
        return 0;
    return int(std::clamp<qint64>(qint64(werBal) * 100 / wseBal, 0, 100));
}

QString percentText(int werBal, int wseBal)
{
    return wseBal > 0 ? QString::number(percentGauge(werBal, wseBal)) : QStringLiteral("—");
}

CheckOutcome checkAnswer(SessionState& s, const GivenAnswer& answer, const GradeThresholds& thresholds)
{
    CheckOutcome out;
    SessionCounters& c = s.counters;
    if (s.awaitingAnswer) {
        s.awaitingAnswer = false;
        out.judged = true;
        out.systemNumber = s.current.systemNumber;
        const Presentation& q = s.current;
        switch (q.kind) {
        case QuestionKind::TickBoxes: {
            const bool tickedAny = std::find(answer.ticked.begin(), answer.ticked.end(), true) != answer.ticked.end();
            const TickScore score = scoreTickBoxes(c, countRightTicks(q.variants, answer.ticked), tickedAny);
            out.right = score.allRight;
            out.showCorrectAnswer = !score.allRight && s.hintsOn;
            break;
        }
        case QuestionKind::ExactAnswer:
            if (!q.variants.empty() && exactAnswerRight(answer.typed, q.variants.front().answerText)) {
                out.right = true;
                ++c.werWop;
                c.werBal += c.tekBal;
            }
            break;
        case QuestionKind::Matching:
            if (matchingRight(answer.nabrano, q.plusCount)) {
                out.right = true;
                ++c.werWop;
            }
            break;
        case QuestionKind::Ranking:
            // Counters were settled by the ranking window's "Готов"; only the
            // verdict is passed on, so that a right order is marked "п" too.
            out.right = s.rankingRight;
            break;
        }
    }
    if (out.right)
        markAnswered(s, out.systemNumber);
    if (topicEnded(c)) {
        out.topicEnded = true;
        out.replayAvailable = c.povtNev != 0;
    }
    out.gauge = percentGauge(c.werBal, c.wseBal);
    s.grade = wi4Ocenka(c.werBal, c.wseBal, thresholds, s.grade);
    if (out.judged)
        ++s.answeredCount;
    return out;
}

} // namespace tavel
