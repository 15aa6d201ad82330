// The windows of the program: the main window made at start-up, every other
// window made on first use and kept for the rest of the run. Also the
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
    // Makes the main window (its start-up steps run) and sets the makers of
    // the other windows.
    explicit AllWindows(AppState& state);
    ~AllWindows();

    WindowSet& set() { return set_; }
    TForm1* form1() const { return set_.form1; }
    // These make their window when it was not made yet.
    TForm5* form5() { return set_.form5.get(); }
    TSysAdmin* sysAdmin() { return set_.sysAdmin.get(); }
    TZagruzka* zagruzka() { return set_.zagruzka.get(); }
    TRedakWopros* redakWopros() { return set_.redakWopros.get(); }

private:
    WindowSet set_;
    // Makes the menu entries that open the windows made here available.
    void provideMenuEntries();

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
