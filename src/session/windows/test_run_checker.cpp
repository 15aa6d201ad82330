// The checker of the running test (Itog1Click): the verdict through the
// session logic, the right answer shown after a partly right tick-box answer
// in hint mode, the end of the topic, and the next question.
#include "session/windows/test_run.h"

#include "platform/windows/message_box.h"
#include "session/windows/answer_rows.h"
#include "session/windows/controls.h"
#include "session/windows/correct_answer_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/main_menu.h"
#include "session/windows/main_window.h"
#include "session/windows/question_area.h"
#include "session/windows/rang_window.h"
#include "session/windows/results_window.h"
#include "session/windows/score_panel.h"
#include "session/windows/subject_panel.h"
#include "session/windows/test_settings_panel.h"
#include "platform/windows/hint.h"
#include "storage/text.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace tavel {

GivenAnswer TestRun::givenAnswer() const
{
    GivenAnswer answer;
    const AnswerRows& rows = *form_.questionArea->OtwetiOtm;
    const int n = session_.current.variantCount();
    for (int i = 1; i <= n; ++i)
        answer.ticked.push_back(rows.isTicked(i));
    answer.typed = form_.questionArea->OdinOt->text();
    if (const TKlass* klass = form_.windows().klass.get()) {
        answer.nabrano = klass->nabrano();
        if (session_.current.kind == QuestionKind::Matching) {
            const Classification& rows = klass->answer();
            for (int row = 1; row <= rows.rowCount(); ++row)
                answer.matchingChoices.push_back(rows.selected(row));
        }
    }
    if (const TRangForm* rang = form_.windows().rangForm.get(); rang && session_.current.kind == QuestionKind::Ranking) {
        const Ranking& order = rang->answer();
        for (int slot = 1; slot <= order.count(); ++slot)
            answer.rankingOrder.push_back(order.boxInSlot(slot));
    }
    return answer;
}

void TestRun::Itog1Click()
{
    dialogs::guarded(&form_, [this] {
        WindowSet& windows = form_.windows();
        QuestionArea& area = *form_.questionArea;
        ScorePanel& score = *form_.scorePanel;

        // 1. The answer windows close; what they held is read first.
        const GivenAnswer given = givenAnswer();
        if (TKlass* klass = windows.klass.made())
            klass->hide();
        if (TRangForm* rang = windows.rangForm.made())
            rang->hide();

        // 2-6, 7 (the decision), 8, 10, 11: the rules.
        const CheckOutcome outcome = checkAnswer(session_, given, thresholds());
        if (outcome.judged)
            history_->answerJudged(session_.current, given, outcome.right);
        showCounters();
        if (outcome.showCorrectAnswer && !showCorrectAnswer())
            return; // the test was stopped while the right answer was shown

        // 7. The last question was judged: the topic closes.
        if (outcome.topicEnded)
            closeTopic(outcome);

        // 9-11. The next question (after the last one only the clearing), the
        // grade, the results window's answered counter.
        DalsheClick();
        showCounters();
        if (TFinish* finish = windows.finish.get())
            finish->setAnswered(session_.answeredCount);

        // 12, 13.
        if (!area.Itog1->isEnabled() && !score.Powtorit1->isEnabled())
            Timer2->stop();
        if (outcome.topicEnded)
            WopBallDblClick();
    });
}

bool TestRun::showCorrectAnswer()
{
    TDalsheOkno* window = form_.windows().dalsheOkno.get();
    if (!window)
        return true;
    AnswerRows& rows = *form_.questionArea->OtwetiOtm;
    const std::vector<AnswerRow>& variants = session_.current.variants;
    // The rows made so far: the window is modal, so no other row comes into
    // view while it is open.
    const int n = std::min(int(variants.size()), rows.rowCount());
    for (int i = 1; i <= n; ++i) {
        if (!rows.isFilled(i))
            continue;
        QTextEdit* text = rows.textLine(i);
        if (trimmed(variants[size_t(i - 1)].answerMark).isEmpty()) {
            text->setEnabled(false);
        } else {
            rows.tickBox(i)->setChecked(true);
            QPalette p = text->palette();
            p.setColor(QPalette::Base, QColor(206, 255, 206));
            text->setPalette(p);
        }
    }
    Timer2->stop();
    // Below the score, where nothing the student needs next stands: not over
    // the variants, "Готов" or "Стоп".
    const ScorePanel& score = *form_.scorePanel;
    const QPoint below = score.mapToGlobal(QPoint(0, score.height()));
    window->move(below.x() + (score.width() - window->frameGeometry().width()) / 2, below.y() + 12);
    controls::fitOnScreen(window);
    const int generation = generation_;
    dialogs::execModal(window);
    for (int i = 1; i <= n; ++i) {
        if (!rows.isFilled(i))
            continue;
        QTextEdit* text = rows.textLine(i);
        text->setEnabled(true);
        text->setPalette(QPalette());
    }
    return generation == generation_;
}

void TestRun::closeTopic(const CheckOutcome& outcome)
{
    closeTest();
    form_.scorePanel->Gauge2->setValue(0);
    if (outcome.replayAvailable)
        form_.scorePanel->Powtorit1->setEnabled(true);
}

} // namespace tavel
