// Building the named controls of the session windows: every control gets its
// name as objectName (tests and other windows find it by that name) and its
// hint as tooltip and status tip.
#pragma once

#include <QFont>
#include <QString>

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace tavel::controls {

// Sets the name and the hint (an empty hint leaves none).
template <class W>
W* named(W* widget, const QString& name, const QString& hint = {});

// A box showing a value (counters are decimal text), read-only.
QLineEdit* valueBox(QWidget* parent, const QString& name, const QString& hint, const QString& text = {});
QPushButton* button(QWidget* parent, const QString& name, const QString& caption, const QString& hint = {});
QGroupBox* group(QWidget* parent, const QString& name, const QString& title, const QString& hint = {});
// A caption beside a control.
QLabel* label(QWidget* parent, const QString& text, QWidget* buddy = nullptr);

// The font-size arrows of a window ("SpinButton1"): a small box holding an
// up arrow ("SpinButton1Up") over a down arrow ("SpinButton1Down").
struct SpinArrows {
    QWidget* box;
    QToolButton* up;
    QToolButton* down;
};
SpinArrows spinArrows(QWidget* parent, const QString& hint, int arrowHeight = 13);

// Makes `combo` editable for a text set by the program (a prompt, a value not
// in its list): it gets its line edit without the completer QComboBox makes
// for a typing user, and its list's pop-up is built when first opened.
void makeEditable(QComboBox* combo);

// The second click of a double click on `button` does nothing: a button whose
// work changes what it means next (Start/Stop, "Готов") is pressed once per
// double click.
void ignoreSecondClick(QPushButton* button);

// Keeps a top-level window, frame included, within the available height of
// its screen (shrunk when taller, moved in when it stands out below or
// above); a window wider than the screen starts at its left edge.
void fitOnScreen(QWidget* window);

// The bold font of the given size, from the widget's own family.
QFont boldFont(const QWidget* widget, int pointSize);

} // namespace tavel::controls

#include "platform/windows/hint.h"

template <class W>
W* tavel::controls::named(W* widget, const QString& name, const QString& hint)
{
    widget->setObjectName(name);
    if (!hint.isEmpty())
        tavel::setHint(widget, hint);
    return widget;
}
