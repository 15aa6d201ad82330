// Named controls with hints.
#include "session/windows/controls.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

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

QFont boldFont(const QWidget* widget, int pointSize)
{
    QFont font = widget->font();
    font.setPointSize(pointSize);
    font.setBold(true);
    return font;
}

} // namespace tavel::controls
