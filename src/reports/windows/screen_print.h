// The screen print of the main window ("Печать копии экрана прямо на
// принтер"): the print orientation of the run becomes landscape (later print
// jobs keep it), then the window as it is on the screen goes on one page of
// the default printer (platform/windows/window_print.h).
#pragma once

class QWidget;

namespace tavel {

// True when the page was printed or saved as PDF.
bool N15Click(QWidget* mainWindow);

} // namespace tavel
