// The windows of the program, created once at start-up in their fixed order
// and kept for the whole run (see all_windows.cpp for the order). Also the
// one-copy check with its warning.
#pragma once

#include "session/windows/window_set.h"

#include <memory>

class QWidget;

namespace tavel {

struct AppState;
class SetCommands;
class SingleCopy;

namespace app {

class AllWindows {
public:
    // Creates every window in order; the main window's start-up steps run
    // right after it is created, before the next window.
    explicit AllWindows(AppState& state);
    ~AllWindows();

    WindowSet& set() { return set_; }
    TForm1* form1() const { return set_.form1; }
    TForm5* form5() const { return set_.form5; }
    TSysAdmin* sysAdmin() const { return set_.sysAdmin; }
    TZagruzka* zagruzka() const { return set_.zagruzka; }
    TRedakWopros* redakWopros() const { return set_.redakWopros; }

private:
    WindowSet set_;
    // Makes the menu entries of the windows created here available.
    void provideMenuEntries(AppState& state);

    std::unique_ptr<TForm1> form1_;
    std::unique_ptr<TZagruzka> zagruzka_;
    std::unique_ptr<TNastroika> nastroika_;
    std::unique_ptr<TForm5> form5_;
    std::unique_ptr<TSpisPredm> spisPredm_;
    std::unique_ptr<TDalsheOkno> dalsheOkno_;
    std::unique_ptr<TTeksti> teksti_;
    std::unique_ptr<TKlass> klass_;
    std::unique_ptr<TTeoriya> teoriya_;
    std::unique_ptr<TGifPokaz> gifPokaz_;
    std::unique_ptr<TJPGPokaz> jpgPokaz_;
    std::unique_ptr<TNeotWopr> neotWopr_;
    std::unique_ptr<TRedakWopros> redakWopros_;
    std::unique_ptr<TRangForm> rangForm_;
    std::unique_ptr<TFinish> finish_;
    std::unique_ptr<TSysAdmin> sysAdmin_;
    std::unique_ptr<TNaborWopr> naborWopr_;
    std::unique_ptr<TPoSlovu> poSlovu_;
    std::unique_ptr<TRedak> redak_;
    std::unique_ptr<TSpisokPaketov> spisokPaketov_;
    std::unique_ptr<SetCommands> setCommands_;
};

// Takes the installation folder's lock. When another copy holds it, shows the
// warning "Попытка запуска ещё 1 копии программы" / "Не надо этого делать" and
// returns false: the program ends.
bool claimSingleCopy(SingleCopy& lock, QWidget* parent = nullptr);

} // namespace app
} // namespace tavel
