// Creation of all windows in their order, and the one-copy check.
#include "app/windows/all_windows.h"

#include "platform/single_copy.h"
#include "platform/windows/message_box.h"
#include "session/windows/correct_answer_window.h"
#include "session/windows/explanation_window.h"
#include "session/windows/klass_window.h"
#include "session/windows/main_window.h"
#include "session/windows/password_table.h"
#include "session/windows/picture_windows.h"
#include "session/windows/rang_window.h"
#include "session/windows/results_window.h"
#include "session/windows/sys_admin.h"
#include "sets/windows/dictionary_window.h"
#include "sets/windows/keyword_window.h"
#include "sets/windows/package_editor.h"
#include "sets/windows/package_list.h"
#include "sets/windows/set_commands.h"

#include <QGuiApplication>
#include <QScreen>

namespace tavel::app {

AllWindows::AllWindows(AppState& state)
{
    // The order in which the windows are created. A window that is built later
    // takes its place in this list.
    form1_ = std::make_unique<TForm1>(state, set_); // TForm1, main window
    set_.form1 = form1_.get();
    form1_->FormCreate();
    // TZagruzka, editor
    // TNastroika, settings
    form5_ = std::make_unique<TForm5>(state.home, form1_.get()); // TForm5, password table
    set_.form5 = form5_.get();
    naborWopr_ = std::make_unique<TNaborWopr>(state.home, form1_.get()); // TNaborWopr, package editor
    set_.naborWopr = naborWopr_.get();
    // TSpisPredm, subject list
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
    // TTeoriya, reference notes
    gifPokaz_ = std::make_unique<TGifPokaz>(form1_.get()); // TGifPokaz, TJPGPokaz, pictures
    set_.gifPokaz = gifPokaz_.get();
    jpgPokaz_ = std::make_unique<TJPGPokaz>(form1_.get());
    set_.jpgPokaz = jpgPokaz_.get();
    // TNeotWopr, unanswered questions
    // TRedakWopros, question edit
    rangForm_ = std::make_unique<TRangForm>(form1_.get()); // TRangForm, ranking
    set_.rangForm = rangForm_.get();
    finish_ = std::make_unique<TFinish>(form1_.get()); // TFinish, results
    set_.finish = finish_.get();
    spisokPaketov_ = std::make_unique<TSpisokPaketov>(naborWopr_.get(), form1_.get()); // TSpisokPaketov, package list
    set_.spisokPaketov = spisokPaketov_.get();
    setCommands_ = std::make_unique<SetCommands>(*form1_, *spisokPaketov_, *poSlovu_, *redak_);
    sysAdmin_ = std::make_unique<TSysAdmin>(form1_.get()); // TSysAdmin, administrator prompt
    set_.sysAdmin = sysAdmin_.get();
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
    jpgPokaz_.reset();
    gifPokaz_.reset();
    klass_.reset();
    teksti_.reset();
    dalsheOkno_.reset();
    form5_.reset();
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
