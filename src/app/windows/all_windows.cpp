// Creation of all windows in their order, and the one-copy check.
#include "app/windows/all_windows.h"

#include "platform/single_copy.h"
#include "platform/windows/message_box.h"
#include "session/windows/main_window.h"
#include "session/windows/password_table.h"
#include "session/windows/sys_admin.h"

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
    // TNaborWopr, package editor
    // TSpisPredm, subject list
    // TDalsheOkno, correct answer
    // TTeksti, explanations
    // TKlass, matching and classification
    // TPoSlovu, keyword set
    // TRedak, small edit window
    // TTeoriya, reference notes
    // TGifPokaz, TJPGPokaz, pictures
    // TNeotWopr, unanswered questions
    // TRedakWopros, question edit
    // TRangForm, ranking
    // TFinish, results
    // TSpisokPaketov, package list
    sysAdmin_ = std::make_unique<TSysAdmin>(form1_.get()); // TSysAdmin, administrator prompt
    set_.sysAdmin = sysAdmin_.get();
}

AllWindows::~AllWindows()
{
    // Child windows first: the main window is their Qt parent.
    sysAdmin_.reset();
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
