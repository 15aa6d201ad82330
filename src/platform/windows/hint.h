// Hints of controls and menu entries: the same text as the tooltip and as the
// status tip (the status bar of a main window shows the hint of the control
// under the mouse). A control or entry whose feature is not built yet is
// disabled and says so in its hint.
#pragma once

#include <QString>

class QAction;
class QWidget;

namespace tavel {

// The hint added to controls and entries that are not available yet.
QString notYetAvailableHint();

void setHint(QWidget* widget, const QString& hint);
void setHint(QAction* action, const QString& hint);

// Disables the control (or entry) and adds notYetAvailableHint() to its hint.
void markNotYetAvailable(QWidget* widget);
void markNotYetAvailable(QAction* action);
// Undoes markNotYetAvailable: the control's own hint comes back and it is
// enabled.
void markAvailable(QWidget* widget);
void markAvailable(QAction* action);
bool isMarkedNotYetAvailable(const QWidget* widget);
bool isMarkedNotYetAvailable(const QAction* action);

} // namespace tavel
