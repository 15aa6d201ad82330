// Named controls with hints.
#include "session/windows/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

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

QFont boldFont(const QWidget* widget, int pointSize)
{
    QFont font = widget->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

} // namespace tavel::controls
