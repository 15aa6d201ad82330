// Hints as tooltip and status tip; the "not available yet" mark.
#include "platform/windows/hint.h"

#include <QAction>
#include <QVariant>
#include <QWidget>

namespace tavel {
namespace {

const char* const kOwnHint = "tavelOwnHint";
const char* const kNotYet = "tavelNotYet";

QString withNotYet(const QString& own)
{
    return own.isEmpty() ? notYetAvailableHint() : own + QStringLiteral(". ") + notYetAvailableHint();
}

template <class T>
void applyHint(T* object, const QString& hint)
{
    object->setToolTip(hint);
    object->setStatusTip(hint);
}

template <class T>
void markNotYet(T* object)
{
    if (!object->property(kNotYet).toBool())
        object->setProperty(kOwnHint, object->toolTip());
    object->setProperty(kNotYet, true);
    object->setEnabled(false);
    applyHint(object, withNotYet(object->property(kOwnHint).toString()));
}

template <class T>
void markReady(T* object)
{
    if (object->property(kNotYet).toBool())
        applyHint(object, object->property(kOwnHint).toString());
    object->setProperty(kNotYet, false);
    object->setEnabled(true);
}

} // namespace

QString notYetAvailableHint()
{
    return QStringLiteral("Будет доступно в следующей версии");
}

void setHint(QWidget* widget, const QString& hint)
{
    applyHint(widget, hint);
    widget->setToolTipDuration(5000);
}

void setHint(QAction* action, const QString& hint)
{
    applyHint(action, hint);
}

void markNotYetAvailable(QWidget* widget) { markNotYet(widget); }
void markNotYetAvailable(QAction* action) { markNotYet(action); }
void markAvailable(QWidget* widget) { markReady(widget); }
void markAvailable(QAction* action) { markReady(action); }

bool isMarkedNotYetAvailable(const QWidget* widget)
{
    return widget->property(kNotYet).toBool();
}

bool isMarkedNotYetAvailable(const QAction* action)
{
    return action->property(kNotYet).toBool();
}

} // namespace tavel
