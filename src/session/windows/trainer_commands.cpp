// Modes, hints, postponing, replay and the exam form of the main window.
#include "session/windows/trainer_commands.h"

#include "platform/windows/hint.h"
#include "platform/windows/message_box.h"
#include "session/hints.h"
#include "session/windows/answer_rows.h"
#include "session/windows/controls.h"
#include "session/windows/explanation_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/main_menu.h"
#include "session/windows/main_window.h"
#include "session/windows/question_area.h"
#include "session/windows/rang_window.h"
#include "session/windows/score_panel.h"
#include "session/windows/subject_panel.h"
#include "session/windows/test_run.h"
#include "session/windows/test_settings_panel.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace tavel {
namespace {

// Enables a control whose feature may not be built yet; such a control stays
// as it is.
void enableIfAvailable(QWidget* control, bool enabled)
{
    if (!isMarkedNotYetAvailable(control))
        control->setEnabled(enabled);
}

void enableIfAvailable(QAction* entry, bool enabled)
{
    if (!isMarkedNotYetAvailable(entry))
        entry->setEnabled(enabled);
}

} // namespace

TrainerCommands::TrainerCommands(TForm1& form) : form_(form)
{
    QuestionArea& area = *form.questionArea;
    ScorePanel& score = *form.scorePanel;
    TestSettingsPanel& settings = *form.testSettings;
    for (QWidget* control : {static_cast<QWidget*>(area.Fifti), static_cast<QWidget*>(area.Otlogit),
                             static_cast<QWidget*>(score.Powtorit1), static_cast<QWidget*>(settings.Protokol_Wkl)})
        markAvailable(control);
    // Nothing to postpone or replay before a test; the hint follows the mode.
    area.Otlogit->setEnabled(false);
    score.Powtorit1->setEnabled(false);
    area.Fifti->setEnabled(form.state().hintMode == kHintsOn);
    namePalette_ = form.subjectPanel->INN_New->palette();

    QObject::connect(&settings, &TestSettingsPanel::modeClicked, &context_,
                     [this](int item, bool ticked) { RegimClickCheck(item, ticked); });
    QObject::connect(area.Fifti, &QPushButton::clicked, &context_, [this] { FiftiClick(); });
    QObject::connect(area.PlusSim1, &QPushButton::clicked, &context_, [this] { PlusSim1Click(); });
    // Postponing presents the next question: a double click must not
    // postpone that one unseen.
    controls::ignoreSecondClick(area.Otlogit);
    QObject::connect(area.Otlogit, &QPushButton::clicked, &context_, [this] { OtlogitClick(); });
    QObject::connect(score.Powtorit1, &QPushButton::clicked, &context_, [this] { Powtorit1Click(); });
    QObject::connect(settings.Protokol_Wkl, &QCheckBox::clicked, &context_, [this] { Protokol_WklClick(); });
}

void TrainerCommands::hookWindows()
{
    if (windowsHooked_)
        return;
    windowsHooked_ = true;
    form_.windows().teksti.whenMade([this](TTeksti& teksti) {
        QObject::connect(&teksti, &TTeksti::hintRequested, &context_, [this] { tekstiHintRequested(); });
    });
}

void TrainerCommands::RegimClickCheck(int item, bool ticked)
{
    AppState& app = form_.state();
    SessionCounters& c = form_.testRun().session().counters;
    const ModeItem which = item == TestSettingsPanel::kHintsItem ? ModeItem::Hints : ModeItem::InOrder;
    const Modes modes = changeMode(c, Modes{app.hintMode == kHintsOn, app.shuffle}, which, ticked);

    form_.testRun().showCounters();
    QuestionArea& area = *form_.questionArea;

    app.hintMode = modes.hintsOn ? kHintsOn : kHintsOff;
    app.shuffle = modes.shuffle;
    if (which == ModeItem::Hints) {
        enableIfAvailable(area.Fifti, modes.hintsOn);
        area.KPraw->setVisible(modes.hintsOn);
        if (TTeksti* teksti = form_.windows().teksti.get())
            teksti->setHintButtonVisible(modes.hintsOn);
    }
}

void TrainerCommands::FiftiClick()
{
    TestRun& run = form_.testRun();
    SessionState& s = run.session();
    if (!s.awaitingAnswer)
        return;
    QuestionArea& area = *form_.questionArea;
    AnswerRows& rows = *area.OtwetiOtm;
    // The variant texts as the presenter left them: a text hidden by itself
    // (not by its hidden area, as for matching and exact answers) counts as
    // not shown.
    const int n = std::min(s.current.variantCount(), rows.rowCount());
    std::vector<bool> shown;
    for (int i = 1; i <= n; ++i)
        shown.push_back(rows.isTextShown(i));
    const FiftiOutcome outcome = fiftiClick(s.current, area.OdinOt->text(), shown, s.counters);
    if (outcome.typedAnswer)
        area.OdinOt->setText(*outcome.typedAnswer);
    if (outcome.hiddenVariant >= 0)
        rows.textLine(outcome.hiddenVariant + 1)->hide();
    form_.scorePanel->Podskazano->setText(counterText(s.counters.podskazano));
}

void TrainerCommands::PlusSim1Click()
{
    SessionState& s = form_.testRun().session();
    if (!s.awaitingAnswer || s.current.variants.empty())
        return;
    QLineEdit* typed = form_.questionArea->OdinOt;
    if (const auto answer = plusSim1(typed->text(), s.current.variants.front().answerText)) {
        ++s.counters.podskazano;
        typed->setText(*answer);
        form_.scorePanel->Podskazano->setText(counterText(s.counters.podskazano));
    }
}

void TrainerCommands::tekstiHintRequested()
{
    PlusSim1Click();
    if (TTeksti* teksti = form_.windows().teksti.get())
        teksti->fillHint(form_.questionArea->OdinOt->text());
}

void TrainerCommands::OtlogitClick()
{
    dialogs::guarded(&form_, [this] {
        TestRun& run = form_.testRun();
        SessionState& s = run.session();
        if (!s.awaitingAnswer)
            return;
        const PostponeOutcome outcome = postpone(s);
        if (!outcome.postponed)
            return;
        // The answer windows of the postponed question close; it is not judged.
        WindowSet& windows = form_.windows();
        if (TKlass* klass = windows.klass.made())
            klass->hide();
        if (TRangForm* rang = windows.rangForm.made())
            rang->hide();
        run.showCounters();
        if (outcome.presentNext) {
            run.DalsheClick();
        } else if (outcome.lastRow) {
            // The countdown goes on; at 0 it closes the topic (nothing is
            // judged: the question will be replayed).
            QuestionArea& area = *form_.questionArea;
            area.Otlogit->setEnabled(false);
            area.Itog1->setEnabled(false);
            if (outcome.replayAvailable)
                form_.scorePanel->Powtorit1->setEnabled(true);
        }
    });
}

void TrainerCommands::Powtorit1Click()
{
    dialogs::guarded(&form_, [this] {
        TestRun& run = form_.testRun();
        SessionState& s = run.session();
        if (s.counters.povtNev == 0)
            return;
        QuestionArea& area = *form_.questionArea;
        ScorePanel& score = *form_.scorePanel;
        // The replay answers in the hint mode the program is in now (the mode
        // list is free again once the topic has closed).
        s.hintsOn = form_.state().hintMode == kHintsOn;
        replay(s);
        area.Itog1->setEnabled(true);
        if (s.hintsOn)
            enableIfAvailable(area.Fifti, true);
        area.Otlogit->setEnabled(true);
        score.Powtorit1->setEnabled(false);
        run.showCounters();
        // No question awaits an answer: the checker judges nothing and
        // presents the first replayed question.
        run.Itog1Click();
    });
}

void TrainerCommands::Protokol_WklClick()
{
    TestRun& run = form_.testRun();
    SessionState& s = run.session();
    ScorePanel& score = *form_.scorePanel;
    SubjectPanel& panel = *form_.subjectPanel;
    TestSettingsPanel& settings = *form_.testSettings;
    QuestionArea& area = *form_.questionArea;
    MainMenu& menu = form_.menu();
    AppState& app = form_.state();

    // 1. The score of the former test is cleared, the ten-point word too (the
    // protocols print it).
    s.counters.werWop = 0;
    s.counters.werBal = 0;
    s.grade.ocenka = QStringLiteral(" 0");
    s.grade.patSlovo.clear();
    s.grade.tenPoint.clear();
    run.showCounters();

    // 2, 3. The exam form on or off.
    const bool exam = settings.Protokol_Wkl->isChecked();
    const ModeList list = examFormModes(exam);
    settings.Protokol_Wkl->setText(exam ? QStringLiteral("Выключить") : QStringLiteral("Включить"));
    QLineEdit* name = panel.INN_New;
    if (exam) {
        QPalette red = namePalette_;
        red.setColor(QPalette::Base, QColor(255, 0, 0));
        name->setPalette(red);
        name->clear();
        name->setFocus();
        score.nPrnProtokol->setEnabled(false);
    } else {
        name->setPalette(namePalette_);
    }
    settings.setTicked(TestSettingsPanel::kHintsItem, list.hintsTicked);
    settings.setTicked(TestSettingsPanel::kInOrderItem, list.inOrderTicked);
    app.hintMode = list.modes.hintsOn ? kHintsOn : kHintsOff;
    app.shuffle = list.modes.shuffle;
    settings.RegimGB->setEnabled(list.enabled);
    area.Fifti->setVisible(list.hintControlsShown);
    enableIfAvailable(area.Fifti, list.modes.hintsOn);
    area.KPraw->setVisible(list.hintControlsShown);
    if (exam)
        area.PlusSim1->hide(); // it stays hidden after the exam form too
    if (TTeksti* teksti = form_.windows().teksti.get())
        teksti->setHintButtonVisible(list.hintControlsShown);
    menu.PrTekWopr->setVisible(!exam);
    enableIfAvailable(menu.PeTekTemi, !exam);
}

} // namespace tavel
