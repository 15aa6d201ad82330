// The main window: its pieces, start-up, first showing and activation.
#include "session/windows/main_window.h"

#include "platform/windows/hint.h"
#include "platform/windows/message_box.h"
#include "session/startup.h"
#include "session/windows/answer_rows.h"
#include "session/windows/controls.h"
#include "session/windows/entry_handlers.h"
#include "session/windows/main_menu.h"
#include "session/windows/question_area.h"
#include "session/windows/run_timers.h"
#include "session/windows/score_panel.h"
#include "session/windows/service_commands.h"
#include "session/windows/start_screen.h"
#include "session/windows/subject_handlers.h"
#include "session/windows/subject_panel.h"
#include "session/windows/test_run.h"
#include "session/windows/test_settings_panel.h"
#include "session/windows/trainer_commands.h"
#include "reports/windows/protocol_commands.h"
#include "platform/clock.h"
#include "storage/contents_page.h"
#include "storage/error.h"
#include "storage/shared_files.h"
#include "storage/text.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QCheckBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QScreen>
#include <QStatusBar>
#include <QToolTip>
#include <QWindow>

namespace tavel {
namespace {

// The client area: the window colour as a soft vertical gradient.
class Backdrop : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        const QColor colour = palette().color(QPalette::Window);
        QLinearGradient gradient(0, 0, 0, height());
        gradient.setColorAt(0, colour.lighter(112));
        gradient.setColorAt(1, colour.darker(104));
        painter.fillRect(rect(), gradient);
    }
};

// Step 2 of start-up: hints in 10-point bold on light yellow ($B0FFFF).
void applyHintLook()
{
    QFont font = QToolTip::font();
    font.setPointSize(10);
    font.setBold(true);
    QToolTip::setFont(font);
    QPalette palette = QToolTip::palette();
    palette.setColor(QPalette::ToolTipBase, QColor(0xFF, 0xFF, 0xB0));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    QToolTip::setPalette(palette);
}

QColor toQColor(ColourValue colour)
{
    return QColor::fromRgb(QRgb(colourToRgb(colour)));
}

} // namespace

QString TForm1::caption()
{
    return QStringLiteral("Тавел 20.12.07 Экзаменатор / Тренажёр. Программирование и другое");
}

TForm1::TForm1(AppState& state, WindowSet& windows) : state_(state), windows_(windows)
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(caption());
    menu_ = std::make_unique<MainMenu>(menuBar());

    auto* client = new Backdrop(this);
    client->setObjectName(QStringLiteral("TForm1Client"));
    subjectPanel = new SubjectPanel(client);
    questionArea = new QuestionArea(client);
    Zastavka = new StartScreen(client);
    testSettings = new TestSettingsPanel(client);
    scorePanel = new ScorePanel(client);

    auto* right = new QVBoxLayout;
    right->addWidget(testSettings);
    right->addWidget(scorePanel);
    right->addStretch(1);
    auto* layout = new QGridLayout(client);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->addWidget(subjectPanel, 0, 0, 1, 2);
    layout->addWidget(questionArea, 1, 0);
    layout->addWidget(Zastavka, 1, 0); // covers the work area until the user enters
    layout->addLayout(right, 1, 1);
    layout->setColumnStretch(0, 1);
    layout->setRowStretch(1, 1);
    testSettings->setFixedWidth(340);
    scorePanel->setFixedWidth(340);
    Zastavka->raise();
    // Hidden while the start screen covers it: a covered work area would still
    // be polished and laid out before the window first shows.
    questionArea->hide();
    setCentralWidget(client);
    // Controls whose features come later: disabled, and their hints say so.
    for (QWidget* later : {static_cast<QWidget*>(subjectPanel->Pusk), static_cast<QWidget*>(testSettings->Protokol_Wkl),
                           static_cast<QWidget*>(questionArea->Itog1), static_cast<QWidget*>(questionArea->Otlogit),
                           static_cast<QWidget*>(questionArea->Fifti)})
        markNotYetAvailable(later);
    buildStatusBar();

    entry_ = std::make_unique<EntryHandlers>(*this);
    subjects_ = std::make_unique<SubjectHandlers>(*this);
    service_ = std::make_unique<ServiceCommands>(*this);
    testRun_ = std::make_unique<TestRun>(*this);
    timers_ = std::make_unique<RunTimers>(*this);
    trainer_ = std::make_unique<TrainerCommands>(*this);
    protocols_ = std::make_unique<ProtocolCommands>(*this);

    connect(qApp, &QGuiApplication::focusWindowChanged, this, &TForm1::focusWindowChanged);

    const QScreen* screen = QGuiApplication::primaryScreen();
    // The client area fits the screen with the window's frame and title bar.
    const QSize room = (screen ? screen->availableGeometry().size() : QSize(1280, 800)) - QSize(8, 36);
    setMinimumSize(QSize(1000, 660).boundedTo(room));
    resize(QSize(1280, 800).boundedTo(room));
}

TForm1::~TForm1()
{
    // Closing the window while it is destroyed moves the focus and fires
    // signals: no handler may run on a half-destroyed window.
    disconnect(qApp, nullptr, this, nullptr);
    protocols_.reset();
    trainer_.reset();
    timers_.reset();
    testRun_.reset();
    service_.reset();
    subjects_.reset();
    entry_.reset();
}

AnswerRows* TForm1::answerRows() const
{
    return questionArea->OtwetiOtm;
}

void TForm1::buildStatusBar()
{
    StatusBar1 = statusBar();
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setFont(controls::boldFont(StatusBar1, 10));
    Gauge3 = controls::named(new QProgressBar(StatusBar1), QStringLiteral("Gauge3"),
                             QStringLiteral("Осталось времени на ответ"));
    Gauge3->setFixedWidth(250);
    Gauge3->setRange(0, state_.questionSeconds);
    Gauge3->setValue(0);
    Gauge3->setFormat(QStringLiteral("%v с"));
    TimeWopros = controls::valueBox(StatusBar1, QStringLiteral("TimeWopros"),
                                    QStringLiteral("Лимит времени: Секунд на весь вопрос с ответами"));
    TimeWopros->setFixedWidth(70);
    StatusBar1->addPermanentWidget(Gauge3);
    StatusBar1->addPermanentWidget(TimeWopros);
}

void TForm1::FormCreate()
{
    applyHintLook();
    const StartupLoad load = loadSharedFiles(state_, clockNow().date());
    if (load.catalogueRead) {
        for (const SubjectRecord& subject : state_.catalogue)
            subjectPanel->PredmetName->addItem(trimmed(subject.subjectName));
        subjectPanel->PredmetName->setEditText(SubjectPanel::subjectPrompt());
    }
    if (load.settingsApplied) {
        if (load.windowColour)
            setWindowColour(toQColor(*load.windowColour));
        testSettings->MaxKW->setText(QString::number(state_.questionLimit));
        testSettings->WoprSek->setText(QString::number(state_.questionSeconds));
        testSettings->OtwSek->setText(QString::number(state_.variantSeconds));
        Gauge3->setMaximum(state_.questionSeconds);
    }
    if (load.coloursRead) {
        if (load.colours.form1)
            setWindowColour(toQColor(*load.colours.form1));
        if (load.colours.otwet)
            answerRows()->setAreaColour(toQColor(*load.colours.otwet));
    }
    entry_->applyRights();
    if (load.error)
        dialogs::error(this, *load.error);
}

void TForm1::FormShow()
{
    ContentsPage page;
    QString failure;
    try {
        readContentsPage(state_.home.path(paths::contents), page);
    } catch (const Error& e) {
        failure = e.message();
    }
    std::vector<int> headings;
    for (int r = 0; r < int(page.cells.size()); ++r)
        if (page.cells[size_t(r)].size() > 2 && trimmed(page.cells[size_t(r)][2]) == QLatin1String("0"))
            headings.push_back(r);
    if (failure.isEmpty()) {
        try {
            totalGroups(page);
        } catch (const Error& e) {
            failure = e.message();
        }
    }
    Zastavka->showContents(page, headings);
    if (!failure.isEmpty())
        dialogs::error(this, failure);
}

void TForm1::FormActivate()
{
    if (activating_)
        return;
    activating_ = true;
    QString failure;
    try {
        subjects_->activate();
    } catch (const Error& e) {
        failure = e.message();
    } catch (const std::exception& e) {
        failure = QString::fromUtf8(e.what());
    }
    if (!failure.isEmpty() && failure != lastActivationError_)
        dialogs::error(this, failure);
    lastActivationError_ = failure;
    activating_ = false;
}

void TForm1::hookWindows()
{
    testRun_->hookWindows();
    trainer_->hookWindows();
}

void TForm1::setWindowColour(const QColor& colour)
{
    QWidget* client = centralWidget();
    QPalette p = client->palette();
    p.setColor(QPalette::Window, colour);
    client->setPalette(p);
    client->update();
}

QColor TForm1::windowColour() const
{
    return centralWidget()->palette().color(QPalette::Window);
}

void TForm1::showEvent(QShowEvent* event)
{
    QMainWindow::showEvent(event);
    if (shown_)
        return;
    shown_ = true;
    if (const QScreen* screen = this->screen())
        move(screen->availableGeometry().topLeft());
    FormShow();
    // A desktop activates the window as it appears; where none does (no
    // window manager), the first showing opens the subject all the same.
    QTimer::singleShot(0, this, [this] {
        if (!lastFocus_)
            FormActivate();
    });
}

void TForm1::closeEvent(QCloseEvent* event)
{
    // Closing the window ends the program: a test under way is not lost
    // without a word.
    if (testRun_->running()
        && !dialogs::askYesNo(this, QStringLiteral("Тест не закончен"),
                              QStringLiteral("Идёт тест. Закрыть программу? Ответы этого теста пропадут."))) {
        event->ignore();
        return;
    }
    QMainWindow::closeEvent(event);
    if (!event->isAccepted())
        return;
    closed_ = true;
    Q_EMIT closed();
}

void TForm1::focusWindowChanged(QWindow* now)
{
    // Popups (drop-down lists, menus) and tooltips do not count as windows
    // the user went to; coming back from another program is no activation.
    if (!now || now->type() == Qt::Popup || now->type() == Qt::ToolTip)
        return;
    QWindow* before = lastFocus_;
    lastFocus_ = now;
    if (now != windowHandle() || before == now)
        return;
    FormActivate();
}

} // namespace tavel
