// tavel-empty-window: the floor of start-up for a Qt Widgets program, one
// empty QWidget shown and the event loop. bench/startup times it against the
// program started the same way.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("empty"));
    window.show();
    return QApplication::exec();
}
