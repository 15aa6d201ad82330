// The main window `TForm1` ("Тавел 20.12.07 Экзаменатор / Тренажёр.
// Программирование и другое"): it owns the state of the program (AppState)
// and is the only window the user starts from. Its controls live in pieces,
// each owning a group of them, reached through public members named as the
// system names them:
//
//   Zastavka      start screen: OglTabl, Parol, ZastPogasit1, dxfColorButton2
//   subjectPanel  PredmetName, WTema (WiborTema, KolWoprTema), Pusk, INN_New
//   testSettings  ParamExam (PervNomVopr, PoslNomVopr, MaxTime, Protokol_Wkl),
//                 Nastroi (MaxKW, RegimGB/Regim, WremIzm: WoprSek, OtwSek,
//                 WremaZadat; KTem, RWoprWseh)
//   questionArea  WoprosGB (WoprosRE, Itog1, Otlogit, Fifti, BolBuk, MalBuk),
//                 TipOt, OtwetiOtm (the 30 answer rows), OdinTo4, Soot, OtwTek,
//                 NomerWoprosa and the hidden buttons
//   scorePanel    WopBall (KWopr, WerWop, WseBal, WerBal, Ocenka, Gauge1,
//                 TimerTema1, LimitTime, NWopr), Gauge2, PovtNev, Powtorit1,
//                 nPrnProtokol, the hidden grade boxes
//   menu()        the main menu (main_menu.h)
//   StatusBar1    with Gauge3 and TimeWopros
//
// Its handlers come in groups: entry() (the start screen and the password
// check), subjects() (activation, subject and topic choice, the range),
// service() (the small commands and the Service menu), testRun() (Start
// and Stop, presenter, checker, results window, the timers Timer1/Timer2),
// timers() (their ticks, the minutes left) and trainer() (modes, hints,
// postponing, replay, the exam form).
// A feature built later adds its own handler group beside these and connects
// it in its constructor; every handler shows a failure in the general error
// dialog.
#pragma once

#include "session/app_state.h"
#include "session/windows/window_set.h"

#include <QMainWindow>
#include <QPointer>
#include <QWindow>
#include <memory>

class QLineEdit;
class QProgressBar;
class QStatusBar;

namespace tavel {

class AnswerRows;
class EntryHandlers;
class MainMenu;
class QuestionArea;
class RunTimers;
class ScorePanel;
class ServiceCommands;
class StartScreen;
class SubjectHandlers;
class SubjectPanel;
class TestRun;
class TestSettingsPanel;
class TrainerCommands;

class TForm1 : public QMainWindow {
    Q_OBJECT
public:
    static QString caption();

    TForm1(AppState& state, WindowSet& windows);
    ~TForm1() override;

    AppState& state() { return state_; }
    WindowSet& windows() { return windows_; }

    StartScreen* Zastavka;
    SubjectPanel* subjectPanel;
    TestSettingsPanel* testSettings;
    QuestionArea* questionArea;
    ScorePanel* scorePanel;
    QStatusBar* StatusBar1;
    QProgressBar* Gauge3;  // seconds left for the current question
    QLineEdit* TimeWopros; // seconds allowed for the current question
    MainMenu& menu() { return *menu_; }
    AnswerRows* answerRows() const;

    EntryHandlers& entry() { return *entry_; }
    SubjectHandlers& subjects() { return *subjects_; }
    ServiceCommands& service() { return *service_; }
    TestRun& testRun() { return *testRun_; }
    RunTimers& timers() { return *timers_; }
    TrainerCommands& trainer() { return *trainer_; }

    // The start-up steps, run once right after the window is created: the
    // hint look, then the shared files (session/startup.h) shown in the
    // controls. A failing step is shown in the general error dialog; the
    // window opens with what was loaded.
    void FormCreate();
    // First showing: the contents page into OglTabl, group rows totalled.
    void FormShow();
    // Activation (the window became active coming from another window of the
    // program, or was first shown): reopens the current subject's files and
    // refills the topic list. Never re-entered; an error that repeats the
    // one shown at the previous activation is not shown again.
    void FormActivate();

    // Connects the handler groups to the other windows of the set; called
    // once by the program after its last window was created.
    void hookWindows();

    // Background of the window (settings line 3, the colour file's "Form1").
    void setWindowColour(const QColor& colour);
    QColor windowColour() const;

    // True once the window was closed (the program ends with it).
    bool isClosed() const { return closed_; }

Q_SIGNALS:
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildStatusBar();
    void focusWindowChanged(QWindow* now);

    AppState& state_;
    WindowSet& windows_;
    std::unique_ptr<MainMenu> menu_;
    std::unique_ptr<EntryHandlers> entry_;
    std::unique_ptr<SubjectHandlers> subjects_;
    std::unique_ptr<ServiceCommands> service_;
    std::unique_ptr<TestRun> testRun_;
    std::unique_ptr<RunTimers> timers_;
    std::unique_ptr<TrainerCommands> trainer_;
    QPointer<QWindow> lastFocus_;
    bool shown_ = false;
    bool activating_ = false;
    QString lastActivationError_;
    bool closed_ = false;
};

} // namespace tavel
