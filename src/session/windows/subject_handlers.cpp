// Subject and topic choice in the main window.
#include "session/windows/subject_handlers.h"

#include "platform/windows/message_box.h"
#include "session/subject_open.h"
#include "session/windows/main_menu.h"
#include "session/windows/main_window.h"
#include "session/windows/score_panel.h"
#include "session/windows/start_screen.h"
#include "session/windows/subject_panel.h"
#include "session/windows/test_run.h"
#include "session/windows/test_settings_panel.h"
#include "storage/text.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTimer>

namespace tavel {

SubjectHandlers::SubjectHandlers(TForm1& form) : form_(form)
{
    SubjectPanel& panel = *form.subjectPanel;
    QObject::connect(panel.PredmetName, &QComboBox::activated, &context_, [this](int) { PredmetNameClick(); });
    QObject::connect(panel.WiborTema, &QComboBox::activated, &context_, [this](int index) { WiborTemaClick(index); });
    QObject::connect(form.Zastavka, &StartScreen::rowPressed, &context_, [this](int row) { OglTablMouseDown(row); });
    QObject::connect(form.testSettings, &TestSettingsPanel::rangeEdited, &context_, [this] { PervNomVoprExit(); });
}

void SubjectHandlers::activate()
{
    AppState& state = form_.state();
    const bool testRuns = form_.testRun().running();
    form_.menu().PeTekTemi->setVisible(false);
    // A running question's countdown is the test's own (the presenter sets
    // it); activation never touches it.
    if (!testRuns && !form_.testRun().Timer2->isActive())
        form_.Gauge3->setMaximum(state.questionSeconds);

    // No subject yet (an empty catalogue at start-up): nothing to open, and
    // above all not the installation folder itself.
    const SubjectContents contents =
        trimmed(state.subjectFolder).isEmpty() ? SubjectContents{} : openCurrentSubject(state);
    form_.testSettings->RWoprWseh->setText(QString::number(contents.questionCount));

    // The topic chosen stays chosen when the refilled list still holds it
    // (same codes); a running test keeps its topic on show.
    int kept = -1;
    if (const TopicRecord* chosen = state.chosenTopicRow()) {
        for (size_t i = 0; i < contents.topics.size(); ++i) {
            const TopicRecord& t = contents.topics[i];
            if (trimmed(t.subjectCode) == trimmed(chosen->subjectCode)
                && trimmed(t.topicCode) == trimmed(chosen->topicCode)) {
                kept = int(i);
                break;
            }
        }
    }
    QComboBox* topics = form_.subjectPanel->WiborTema;
    {
        const QSignalBlocker block(topics);
        const QString shown = topics->currentText();
        topics->clear();
        for (const TopicRecord& topic : contents.topics)
            topics->addItem(trimmed(topic.topicName));
        topics->setCurrentIndex(-1);
        if (testRuns)
            topics->setEditText(shown);
        else if (kept >= 0)
            topics->setEditText(trimmed(contents.topics[size_t(kept)].topicName));
        else
            topics->setEditText(SubjectPanel::topicPrompt());
        topics->lineEdit()->setCursorPosition(0);
    }
    state.topics = contents.topics;
    state.chosenTopic = kept;
    form_.testSettings->KTem->setText(QString::number(contents.topics.size()));
}

void SubjectHandlers::chooseByName(const QString& name, bool showName)
{
    dialogs::guarded(&form_, [&] {
        SubjectPanel& panel = *form_.subjectPanel;
        panel.WiborTema->setEnabled(true);
        const auto chosen = chooseSubject(form_.state(), name);
        if (chosen && showName) {
            const QSignalBlocker block(panel.PredmetName);
            panel.PredmetName->setCurrentIndex(panel.PredmetName->findText(trimmed(name)));
            panel.PredmetName->setEditText(name);
        }
        form_.state().chosenTopic = -1; // a subject chosen anew: its topic too
        activate();
        QComboBox* counts = panel.KolWoprTema;
        const QString shown = counts->currentText();
        const QSignalBlocker block(counts);
        counts->clear();
        counts->addItems(packageCounts(form_.state().subjectFolderPath()));
        counts->setCurrentIndex(-1);
        counts->setEditText(shown);
    });
}

void SubjectHandlers::PredmetNameClick()
{
    chooseByName(form_.subjectPanel->PredmetName->currentText(), false);
}

void SubjectHandlers::OglTablMouseDown(int row)
{
    chooseByName(form_.Zastavka->subjectNameAt(row), true);
}

void SubjectHandlers::WiborTemaClick(int index)
{
    AppState& state = form_.state();
    state.chosenTopic = index;
    form_.subjectPanel->WiborTema->lineEdit()->setCursorPosition(0); // long names show their start
    QComboBox* counts = form_.subjectPanel->KolWoprTema;
    if (index >= 0 && index < counts->count()) {
        const QSignalBlocker block(counts);
        counts->setCurrentIndex(index);
    }
    const QString count = counts->currentText();
    bool ok = false;
    const int value = trimmed(count).toInt(&ok);
    if (ok) {
        const QSignalBlocker block(form_.testSettings->PoslNomVopr);
        form_.testSettings->PoslNomVopr->setValue(value);
    }
    form_.scorePanel->KWopr->setText(count);
}

void SubjectHandlers::PervNomVoprExit()
{
    const int first = form_.testSettings->PervNomVopr->value();
    const int last = form_.testSettings->PoslNomVopr->value();
    const QString count = QString::number(last - first + 1);
    form_.subjectPanel->KolWoprTema->setEditText(count);
    form_.scorePanel->KWopr->setText(count);
}

} // namespace tavel
