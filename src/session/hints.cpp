// Hints, postponing, replay and modes.
#include "session/hints.h"

#include "storage/text.h"

namespace tavel {

std::optional<QString> plusSim1(const QString& typed, const QString& answerText)
{
    if (trimmed(typed).size() < trimmed(answerText).size())
        return answerText;
    return std::nullopt;
}

int fiftiTarget(const std::vector<AnswerRow>& variants, const std::vector<bool>& shown)
{
    const size_t n = std::min(variants.size(), shown.size());
    for (size_t i = 0; i < n; ++i)
        if (shown[i] && trimmed(variants[i].answerMark) != u"+")
            return int(i);
    return -1;
}

FiftiOutcome fiftiClick(const Presentation& q, const QString& typed, std::vector<bool>& shown, SessionCounters& c)
{
    FiftiOutcome out;
    if (q.kind == QuestionKind::Ranking)
        return out;
    if (q.kind == QuestionKind::ExactAnswer && !q.variants.empty()) {
        out.typedAnswer = plusSim1(typed, q.variants.front().answerText);
        if (out.typedAnswer)
            ++out.hints;
    }
    out.hiddenVariant = fiftiTarget(q.variants, shown);
    if (out.hiddenVariant >= 0) {
        shown[size_t(out.hiddenVariant)] = false;
        ++out.hints;
    }
    c.podskazano += out.hints;
    return out;
}

PostponeOutcome postpone(SessionState& s)
{
    PostponeOutcome out;
    if (s.currentRow < 1 || s.currentRow > int(s.questions.size()))
        return out;
    out.postponed = true;
    s.questions[size_t(s.currentRow - 1)].mark.clear();
    ++s.counters.povtNev;
    s.awaitingAnswer = false;
    if (s.currentRow < int(s.questions.size())) {
        out.presentNext = true;
    } else {
        out.lastRow = true;
        out.replayAvailable = s.counters.povtNev != 0;
    }
    return out;
}

int replay(SessionState& s)
{
    QuestionList kept;
    for (QuestionRow& row : s.questions)
        if (trimmed(row.mark) != kPendingMark)
            kept.push_back(std::move(row));
    for (QuestionRow& row : kept)
        row.mark = kPendingMark;
    s.questions = std::move(kept);
    const int k = int(s.questions.size());
    s.currentRow = 0;
    s.awaitingAnswer = false;
    s.counters.nWopr = s.counters.kWopr - k;
    s.counters.povtNev = 0;
    return k;
}

Modes changeMode(SessionCounters& c, Modes modes, ModeItem item, bool ticked)
{
    c.nWopr = c.werWop = c.kWopr = c.werBal = c.wseBal = c.tekBal = 0;
    if (item == ModeItem::Hints)
        modes.hintsOn = ticked;
    else
        modes.shuffle = !ticked;
    return modes;
}

ModeList examFormModes(bool exam)
{
    ModeList list;
    list.modes.hintsOn = !exam;
    list.modes.shuffle = true;
    list.hintsTicked = !exam;
    list.inOrderTicked = false;
    list.enabled = !exam;
    list.hintControlsShown = !exam;
    return list;
}

} // namespace tavel
