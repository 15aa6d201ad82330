// Program entry: the command line, the installation folder, the one-copy
// check, the windows in their order, and the message loop until the main
// window closes.
#include "app/home_folder.h"
#include "app/windows/all_windows.h"
#include "app/windows/app_style.h"
#include "platform/random.h"
#include "platform/single_copy.h"
#include "platform/windows/message_box.h"
#include "session/app_state.h"
#include "session/windows/main_window.h"
#include "storage/error.h"

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QScopeGuard>
#include <cstdio>
#include <fontconfig/fontconfig.h>
#include <future>
#include <thread>

#if TAVEL_HAS_QT_DBUS
#include <QDBusConnection>
#endif

namespace {

// Reads the system's font list on a second thread while the main thread
// connects to the display and builds the windows. The list is a large part of
// start-up (fontconfig parses its configuration files, then Qt registers every
// installed font) and the first window cannot lay out its text without it.
// fontconfig's initialisation needs nothing of Qt, so it starts at once; Qt's
// own list waits for the application object. Qt guards its font database with
// a lock, so the main thread simply waits there if it needs a font sooner.
class FontListReader
{
public:
    FontListReader()
        : thread_([this] {
              FcInit();
              if (ready_.get())
                  QFontDatabase::families();
          })
    {}

    FontListReader(const FontListReader&) = delete;
    FontListReader& operator=(const FontListReader&) = delete;

    // Called once the application object exists (or with false when there
    // will be none); the thread then fills Qt's font list.
    void applicationReady(bool ready)
    {
        if (!told_) {
            told_ = true;
            application_.set_value(ready);
        }
    }

    // Waits for the thread; must run before the application object is gone.
    void finish()
    {
        applicationReady(false);
        if (thread_.joinable())
            thread_.join();
    }

    ~FontListReader() { finish(); }

private:
    std::promise<bool> application_;
    std::future<bool> ready_ = application_.get_future();
    bool told_ = false;
    std::thread thread_;
};

} // namespace

int main(int argc, char** argv)
{
    using namespace tavel;
    // The arguments are checked before any window: a wrong one needs no display.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const app::CommandLine command = app::parseCommandLine(arguments);
    if (!command.error.isEmpty()) {
        std::fprintf(stderr, "tavel: %s\nИспользование: tavel [--home DIR] [--seed N]\n",
                     command.error.toLocal8Bit().constData());
        return 2;
    }

    // The main menu stays in the main window on every desktop, never moved to
    // a desktop-wide menu bar; making it then asks nothing of the session bus.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeMenuBar);
    FontListReader fonts;
    QApplication application(argc, argv);
    fonts.applicationReady(true);
#if TAVEL_HAS_QT_DBUS
    // Qt's accessibility support connects to the session bus the first time a
    // control announces a change, in the middle of building the main window.
    // The connection is made here on a thread of its own, while the main
    // thread builds the windows; the main thread then finds it made. Where
    // there is no session bus, the attempt to start one (a child process)
    // no longer holds up the first window either.
    std::thread bus([] { QDBusConnection::sessionBus(); });
    const auto joinBus = qScopeGuard([&bus] { bus.join(); });
#endif
    // Every return below leaves with the thread done while the application
    // still exists.
    const auto joinFonts = qScopeGuard([&fonts] { fonts.finish(); });
    QApplication::setApplicationName(QStringLiteral("Tavel"));
    QApplication::setStyle(new app::AppStyle);
    // Text in Latin and Cyrillic letters is drawn glyph by glyph, without
    // kerning or ligatures (scripts that need shaping are still shaped). The
    // program's texts look the same, and the first window lays out its
    // hundreds of captions several milliseconds sooner.
    QFont font = QApplication::font();
    font.setKerning(false);
    font.setStyleStrategy(QFont::PreferNoShaping);
    QApplication::setFont(font);
    if (command.seed)
        seedRandom(*command.seed);
    else
        seedRandomFromClock();

    const app::HomeChoice home =
        app::chooseHome(command.home, qEnvironmentVariable("TAVEL_HOME"), QDir::homePath());
    try {
        app::prepareHome(home, app::demoFolderCandidates(QApplication::applicationDirPath()));
    } catch (const Error& e) {
        dialogs::error(nullptr, e.message());
        return 1;
    }

    SingleCopy lock(home.path);
    if (!app::claimSingleCopy(lock))
        return 1;

    AppState state;
    state.home = InstallFolder(home.path);
    app::AllWindows windows(state);
    QObject::connect(windows.form1(), &TForm1::closed, &application, &QApplication::quit, Qt::QueuedConnection);
    windows.form1()->show();
    return QApplication::exec();
}
