// Program entry: the command line, the installation folder, the one-copy
// check, the windows in their order, and the message loop until the main
// window closes.
#include "app/home_folder.h"
#include "app/windows/all_windows.h"
#include "platform/random.h"
#include "platform/single_copy.h"
#include "platform/windows/message_box.h"
#include "session/app_state.h"
#include "session/windows/main_window.h"
#include "storage/error.h"

#include <QApplication>
#include <QDir>
#include <cstdio>

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

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tavel"));
    QApplication::setStyle(QStringLiteral("Fusion"));
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
