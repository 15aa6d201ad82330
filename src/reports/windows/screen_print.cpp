// The screen print of the main window.
#include "reports/windows/screen_print.h"

#include "platform/windows/window_print.h"

#include <QString>

namespace tavel {

bool N15Click(QWidget* mainWindow)
{
    setPrintOrientation(QPageLayout::Landscape);
    return printWindowImage(mainWindow, QStringLiteral("Копия экрана Тавел"));
}

} // namespace tavel
