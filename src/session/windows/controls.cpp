// Named controls with hints.
#include "session/windows/controls.h"

#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tavel::controls {

QLineEdit* valueBox(QWidget* parent, const QString& name, const QString& hint, const QString& text)
{
    auto* box = named(new QLineEdit(text, parent), name, hint);
    box->setReadOnly(true);
    box->setAlignment(Qt::AlignCenter);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& hint)
{
    return named(new QPushButton(caption, parent), name, hint);
}

QGroupBox* group(QWidget* parent, const QString& name, const QString& title, const QString& hint)
{
    return named(new QGroupBox(title, parent), name, hint);
}

QLabel* label(QWidget* parent, const QString& text, QWidget* buddy)
{
    auto* l = new QLabel(text, parent);
    if (buddy)
        l->setBuddy(buddy);
    return l;
}

SpinArrows spinArrows(QWidget* parent, const QString& hint, int arrowHeight)
{
    SpinArrows arrows;
    arrows.box = named(new QWidget(parent), QStringLiteral("SpinButton1"), hint);
    arrows.up = named(new QToolButton(arrows.box), QStringLiteral("SpinButton1Up"), hint);
    arrows.down = named(new QToolButton(arrows.box), QStringLiteral("SpinButton1Down"), hint);
    arrows.up->setArrowType(Qt::UpArrow);
    arrows.down->setArrowType(Qt::DownArrow);
    auto* layout = new QVBoxLayout(arrows.box);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (QToolButton* arrow : {arrows.up, arrows.down}) {
        arrow->setFixedSize(26, arrowHeight);
        layout->addWidget(arrow);
    }
    return arrows;
}

namespace {

// Swallows a double click (Qt delivers it in place of the second press) and
// the release that ends it.
class SecondClickFilter : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonDblClick:
            swallowRelease_ = true;
            return true;
        case QEvent::MouseButtonRelease:
            if (swallowRelease_) {
                swallowRelease_ = false;
                return true;
            }
            break;
        case QEvent::MouseButtonPress:
            swallowRelease_ = false;
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool swallowRelease_ = false;
};

} // namespace

void fitOnScreen(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QRect frame = window->frameGeometry();
    const QSize extra = frame.size() - window->size(); // title bar and borders
    // The height is cut to the screen (the windows scroll their rows); the
    // width is the window's own, and a window wider than the screen starts
    // at its left edge.
    const QSize outer(frame.width(), std::min(frame.height(), area.height()));
    if (outer != frame.size())
        window->resize(outer - extra);
    const int x = outer.width() >= area.width()
                      ? area.left()
                      : std::clamp(frame.left(), area.left(), area.right() - outer.width() + 1);
    const int y = std::clamp(frame.top(), area.top(), area.bottom() - outer.height() + 1);
    if (QPoint(x, y) != frame.topLeft())
        window->move(x, y);
}

void makeEditable(QComboBox* combo)
{
    // QComboBox gives a line edit a completer of its own unless it has one
    // already: the edit comes with a stand-in, taken away at once. A text the
    // program sets needs no completion, and building the completer on the
    // list's model cost start-up about as much as the list itself.
    QCompleter standIn;
    auto* edit = new QLineEdit(combo);
    edit->setPalette(combo->palette());
    edit->setCompleter(&standIn);
    combo->setLineEdit(edit);
    edit->setCompleter(nullptr);
}

void ignoreSecondClick(QPushButton* button)
{
    button->installEventFilter(new SecondClickFilter(button));
}

QFont boldFont(const QWidget* widget, int pointSize)
{
    QFont font = widget->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

} // namespace tavel::controls
