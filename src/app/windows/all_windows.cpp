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

// Sets the maker of one window of the set: the window is made into `owner`
// by `make` on first use.
template <class Window, class Make>
void makeOnFirstUse(LazyWindow<Window>& slot, std::unique_ptr<Window>& owner, Make make)
{
    slot.setMaker([&owner, make = std::move(make)]() -> Window* {
        owner = make();
        return owner.get();
    });
}

AllWindows::AllWindows(AppState& state)
{
    // The main window is made now and its start-up steps run; every other
    // window is made when something first needs it (opening it from the
    // menu, the first question of its kind, ...). All have the main window
    // as their parent, as when they were all made at start.
    form1_ = std::make_unique<TForm1>(state, set_); // TForm1, main window
    set_.form1 = form1_.get();
    form1_->FormCreate();
    TForm1* form = form1_.get();

    makeOnFirstUse(set_.zagruzka, zagruzka_, [this, form] { // TZagruzka, editor
        return std::make_unique<TZagruzka>(*form, set_);
    });
    makeOnFirstUse(set_.nastroika, nastroika_, [&state, form] { // TNastroika, settings
        return std::make_unique<TNastroika>(state, form);
    });
    makeOnFirstUse(set_.form5, form5_, [&state, form] { // TForm5, password table
        return std::make_unique<TForm5>(state.home, form);
    });
    makeOnFirstUse(set_.naborWopr, naborWopr_, [&state, form] { // TNaborWopr, package editor
        return std::make_unique<TNaborWopr>(state.home, form);
    });
    makeOnFirstUse(set_.spisPredm, spisPredm_, [&state, form] { // TSpisPredm, subject list
        auto list = std::make_unique<TSpisPredm>(state.home, form);
        list->onSaved([&state, form](const std::vector<SubjectRecord>& catalogue) {
            refreshSubjectList(state, *form, catalogue);
        });
        return list;
    });
    makeOnFirstUse(set_.dalsheOkno, dalsheOkno_, [form] { // TDalsheOkno, correct answer
        return std::make_unique<TDalsheOkno>(form);
    });
    makeOnFirstUse(set_.teksti, teksti_, [form] { // TTeksti, explanations
        auto teksti = std::make_unique<TTeksti>(form);
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            teksti->FormCreate(form->frameGeometry().height(), screen->availableGeometry());
        return teksti;
    });
    makeOnFirstUse(set_.klass, klass_, [form] { // TKlass, matching and classification
        return std::make_unique<TKlass>(form);
    });
    makeOnFirstUse(set_.redak, redak_, [form] { // TRedak, small edit window
        return std::make_unique<TRedak>(form);
    });
    makeOnFirstUse(set_.poSlovu, poSlovu_, [this, form] { // TPoSlovu, keyword set
        return std::make_unique<TPoSlovu>(set_.redak.get(), form);
    });
    makeOnFirstUse(set_.teoriya, teoriya_, [&state, form] { // TTeoriya, reference notes
        return std::make_unique<TTeoriya>(
            state.home.root(), [&state, form] { return currentSubject(state, *form); }, form);
    });
    makeOnFirstUse(set_.gifPokaz, gifPokaz_, [form] { // TGifPokaz, TJPGPokaz, pictures
        return std::make_unique<TGifPokaz>(form);
    });
    makeOnFirstUse(set_.jpgPokaz, jpgPokaz_, [form] { return std::make_unique<TJPGPokaz>(form); });
    makeOnFirstUse(set_.neotWopr, neotWopr_, [&state, form] { // TNeotWopr, unanswered questions
        return std::make_unique<TNeotWopr>(
            [form]() -> UnansweredList& { return form->testRun().unansweredList(); }, state.home, form);
    });
    makeOnFirstUse(set_.redakWopros, redakWopros_, [this, form] { // TRedakWopros, question edit
        return std::make_unique<TRedakWopros>(set_, form);
    });
    makeOnFirstUse(set_.rangForm, rangForm_, [form] { // TRangForm, ranking
        return std::make_unique<TRangForm>(form);
    });
    makeOnFirstUse(set_.finish, finish_, [form] { // TFinish, results
        return std::make_unique<TFinish>(form);
    });
    makeOnFirstUse(set_.spisokPaketov, spisokPaketov_, [this, form] { // TSpisokPaketov, package list
        return std::make_unique<TSpisokPaketov>(set_.naborWopr.get(), form);
    });
    makeOnFirstUse(set_.sysAdmin, sysAdmin_, [form] { // TSysAdmin, administrator prompt
        return std::make_unique<TSysAdmin>(form);
    });
    setCommands_ = std::make_unique<SetCommands>(*form);

    // The main window's handlers connect to each window as it is made.
    form1_->hookWindows();
    provideMenuEntries();
}

void AllWindows::provideMenuEntries()
{
    TForm1* form = form1_.get();
    MainMenu& menu = form->menu();
    // The entries that open a window make it on their first use.
    menu.provide(form, menu.Nastroika, [this] { dialogs::execModal(set_.nastroika.get()); });
    menu.provide(form, menu.N30, [this] { dialogs::execModal(set_.spisPredm.get()); });
    menu.provide(form, menu.N11, [this] { dialogs::execModal(set_.teoriya.get()); });
    menu.provide(form, menu.N2, [this] { set_.zagruzka.get()->N2Click(); });
    menu.provide(form, menu.N17, [this, form] {
        set_.neotWopr.get()->N17Click(form->subjectPanel->PredmetName->currentText());
    });
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
