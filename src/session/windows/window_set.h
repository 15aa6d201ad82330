// The windows of the program, reached from one another through this set. The
// main window is made at start-up; every other window is made on first use
// (src/app sets the makers), so that start-up pays only for what the first
// screen shows. A window, once made, lives as long as the program.
#pragma once

#include <functional>
#include <utility>
#include <vector>

namespace tavel {

class TDalsheOkno;
class TFinish;
class TForm1;
class TForm5;
class TGifPokaz;
class TJPGPokaz;
class TKlass;
class TNaborWopr;
class TNastroika;
class TNeotWopr;
class TPoSlovu;
class TRangForm;
class TRedak;
class TRedakWopros;
class TSpisPredm;
class TSpisokPaketov;
class TSysAdmin;
class TTeksti;
class TTeoriya;
class TZagruzka;

// One window of the set, made by its maker the first time get() is called.
// Handlers that connect to the window register with whenMade() and run once,
// right after it is made (or at once when it exists already).
template <class Window>
class LazyWindow {
public:
    using Maker = std::function<Window*()>;
    using Hook = std::function<void(Window&)>;

    // The window, made on the first call; nullptr only while no maker is set
    // (a test that builds the main window alone).
    Window* get()
    {
        if (!window_ && maker_) {
            window_ = maker_();
            // A hook may register another one or reach the window again:
            // the list is taken out first.
            std::vector<Hook> hooks = std::exchange(hooks_, {});
            for (Hook& hook : hooks)
                hook(*window_);
        }
        return window_;
    }
    // The window if it was made, else nullptr: for callers that only tidy a
    // window up (hide it, close it when visible), which a window never made
    // does not need.
    Window* made() const { return window_; }

    void whenMade(Hook hook)
    {
        if (window_)
            hook(*window_);
        else
            hooks_.push_back(std::move(hook));
    }
    void setMaker(Maker maker) { maker_ = std::move(maker); }

private:
    Window* window_ = nullptr;
    Maker maker_;
    std::vector<Hook> hooks_;
};

struct WindowSet {
    TForm1* form1 = nullptr;                   // main window
    LazyWindow<TZagruzka> zagruzka;            // question-base editor
    LazyWindow<TNastroika> nastroika;          // settings
    LazyWindow<TForm5> form5;                  // password table
    LazyWindow<TSpisPredm> spisPredm;          // subject list
    LazyWindow<TDalsheOkno> dalsheOkno;        // correct answer "Надо так"
    LazyWindow<TTeksti> teksti;                // explanations
    LazyWindow<TKlass> klass;                  // matching and classification
    LazyWindow<TTeoriya> teoriya;              // reference notes
    LazyWindow<TGifPokaz> gifPokaz;            // GIF pictures
    LazyWindow<TJPGPokaz> jpgPokaz;            // JPEG pictures
    LazyWindow<TNeotWopr> neotWopr;            // unanswered questions
    LazyWindow<TRedakWopros> redakWopros;      // question edit
    LazyWindow<TRangForm> rangForm;            // ranking
    LazyWindow<TFinish> finish;                // results
    LazyWindow<TSysAdmin> sysAdmin;            // administrator prompt
    LazyWindow<TNaborWopr> naborWopr;          // package editor
    LazyWindow<TPoSlovu> poSlovu;              // keyword set
    LazyWindow<TRedak> redak;                  // small edit window (keyword dictionary)
    LazyWindow<TSpisokPaketov> spisokPaketov;  // package list
};

} // namespace tavel
