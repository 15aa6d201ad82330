// Creation of all windows in their order, and the one-copy check.
#include "app/windows/all_windows.h"

#include "authoring/windows/redak_wopros.h"
#include "authoring/windows/settings_window.h"
#include "authoring/windows/subject_list_window.h"
#include "authoring/windows/zagruzka.h"
#include "platform/single_copy.h"
#include "platform/windows/message_box.h"
#include "reports/windows/notes_window.h"
#include "reports/windows/screen_print.h"
#include "reports/windows/unanswered_window.h"
#include "session/windows/main_menu.h"
#include "session/windows/correct_answer_window.h"
#include "session/windows/explanation_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/main_window.h"
#include "session/windows/password_table.h"
#include "session/windows/picture_windows.h"
#include "session/windows/rang_window.h"
#include "session/windows/results_window.h"
#include "session/windows/subject_panel.h"
#include "session/windows/sys_admin.h"
#include "session/windows/test_run.h"
#include "sets/windows/dictionary_window.h"
#include "sets/windows/keyword_window.h"
#include "sets/windows/package_editor.h"
#include "sets/windows/package_list.h"
#include "sets/windows/set_commands.h"
#include "storage/text.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QScreen>

namespace tavel::app {
namespace {

// A saved subject list replaces the main window's list of subjects; the text
// shown (the current subject or the prompt) stays.
void refreshSubjectList(AppState& state, TForm1& form, const std::vector<SubjectRecord>& catalogue)
{
    state.catalogue = catalogue;
    QComboBox* list = form.subjectPanel->PredmetName;
    const QSignalBlocker block(list);
    const QString shown = list->currentText();
    list->clear();
    for (const SubjectRecord& subject : catalogue)
        list->addItem(trimmed(subject.subjectName));
    list->setCurrentIndex(-1);
    list->setEditText(shown);
}

// The subject whose notes are shown: the one named in the subject list, or,
// while the list still shows its prompt, the current subject's catalogue name.
TTeoriya::Subject currentSubject(const AppState& state, TForm1& form)
{
    QString name = form.subjectPanel->PredmetName->currentText();
    if (name == SubjectPanel::subjectPrompt())
        for (const SubjectRecord& subject : state.catalogue)
            if (trimmed(subject.folderName) == trimmed(state.subjectFolder)) {
                name = trimmed(subject.subjectName);
                break;
            }
    return {name, state.subjectFolderPath()};
}

} // namespace

AllWindows::AllWindows(AppState& state)
{
    // The order in which the windows are created. A window that is built later
    // takes its place in this list.
    form1_ = std::make_unique<TForm1>(state, set_); // TForm1, main window
    set_.form1 = form1_.get();
    form1_->FormCreate();
    zagruzka_ = std::make_unique<TZagruzka>(*form1_, set_); // TZagruzka, editor
    set_.zagruzka = zagruzka_.get();
    nastroika_ = std::make_unique<TNastroika>(state, form1_.get()); // TNastroika, settings
    set_.nastroika = nastroika_.get();
    form5_ = std::make_unique<TForm5>(state.home, form1_.get()); // TForm5, password table
    set_.form5 = form5_.get();
    naborWopr_ = std::make_unique<TNaborWopr>(state.home, form1_.get()); // TNaborWopr, package editor
    set_.naborWopr = naborWopr_.get();
    spisPredm_ = std::make_unique<TSpisPredm>(state.home, form1_.get()); // TSpisPredm, subject list
    set_.spisPredm = spisPredm_.get();
    dalsheOkno_ = std::make_unique<TDalsheOkno>(form1_.get()); // TDalsheOkno, correct answer
    set_.dalsheOkno = dalsheOkno_.get();
    teksti_ = std::make_unique<TTeksti>(form1_.get()); // TTeksti, explanations
    set_.teksti = teksti_.get();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        teksti_->FormCreate(form1_->frameGeometry().height(), screen->availableGeometry());
    klass_ = std::make_unique<TKlass>(form1_.get()); // TKlass, matching and classification
    set_.klass = klass_.get();
    redak_ = std::make_unique<TRedak>(form1_.get());
    poSlovu_ = std::make_unique<TPoSlovu>(redak_.get(), form1_.get()); // TPoSlovu, keyword set
    set_.poSlovu = poSlovu_.get();
    set_.redak = redak_.get(); // TRedak, small edit window
    teoriya_ = std::make_unique<TTeoriya>( // TTeoriya, reference notes
        state.home.root(), [&state, form = form1_.get()] { return currentSubject(state, *form); }, form1_.get());
    set_.teoriya = teoriya_.get();
    gifPokaz_ = std::make_unique<TGifPokaz>(form1_.get()); // TGifPokaz, TJPGPokaz, pictures
    set_.gifPokaz = gifPokaz_.get();
    jpgPokaz_ = std::make_unique<TJPGPokaz>(form1_.get());
    set_.jpgPokaz = jpgPokaz_.get();
    neotWopr_ = std::make_unique<TNeotWopr>( // TNeotWopr, unanswered questions
        [form = form1_.get()]() -> UnansweredList& { return form->testRun().unansweredList(); }, state.home,
        form1_.get());
    set_.neotWopr = neotWopr_.get();
    neotWopr_->attach(form1_->menu(), [form = form1_.get()] { return form->subjectPanel->PredmetName->currentText(); });
    redakWopros_ = std::make_unique<TRedakWopros>(set_, form1_.get()); // TRedakWopros, question edit
    set_.redakWopros = redakWopros_.get();
    rangForm_ = std::make_unique<TRangForm>(form1_.get()); // TRangForm, ranking
    set_.rangForm = rangForm_.get();
    finish_ = std::make_unique<TFinish>(form1_.get()); // TFinish, results
    set_.finish = finish_.get();
    spisokPaketov_ = std::make_unique<TSpisokPaketov>(naborWopr_.get(), form1_.get()); // TSpisokPaketov, package list
    set_.spisokPaketov = spisokPaketov_.get();
    setCommands_ = std::make_unique<SetCommands>(*form1_, *spisokPaketov_, *poSlovu_, *redak_);
    sysAdmin_ = std::make_unique<TSysAdmin>(form1_.get()); // TSysAdmin, administrator prompt
    set_.sysAdmin = sysAdmin_.get();

    // Every window exists: the main window's handlers connect to them, once.
    form1_->hookWindows();
    provideMenuEntries(state);
}

void AllWindows::provideMenuEntries(AppState& state)
{
    TForm1* form = form1_.get();
    MainMenu& menu = form->menu();
    menu.provide(nastroika_.get(), menu.Nastroika, [this] { dialogs::execModal(nastroika_.get()); });
    menu.provide(spisPredm_.get(), menu.N30, [this] { dialogs::execModal(spisPredm_.get()); });
    spisPredm_->onSaved([&state, form](const std::vector<SubjectRecord>& catalogue) {
        refreshSubjectList(state, *form, catalogue);
    });
    menu.provide(teoriya_.get(), menu.N11, [this] { dialogs::execModal(teoriya_.get()); });
    menu.provide(form, menu.N15, [form] { N15Click(form); });
}

AllWindows::~AllWindows()
{
    // Child windows first: the main window is their Qt parent.
    setCommands_.reset();
    spisokPaketov_.reset();
    poSlovu_.reset();
    redak_.reset();
    naborWopr_.reset();
    sysAdmin_.reset();
    finish_.reset();
    rangForm_.reset();
    redakWopros_.reset();
    neotWopr_.reset();
    jpgPokaz_.reset();
    gifPokaz_.reset();
    klass_.reset();
    teoriya_.reset();
    teksti_.reset();
    dalsheOkno_.reset();
    spisPredm_.reset();
    form5_.reset();
    nastroika_.reset();
    zagruzka_.reset();
    form1_.reset();
}

bool claimSingleCopy(SingleCopy& lock, QWidget* parent)
{
    if (lock.tryLock())
        return true;
    dialogs::warning(parent, QStringLiteral("Попытка запуска ещё 1 копии программы"),
                     QStringLiteral("Не надо этого делать"));
    return false;
}

} // namespace tavel::app
