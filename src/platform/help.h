// The program's description: Help/Tavel_help.chm of the installation folder
// when it is there (a CHM viewer may be installed), else the HTML help
// Help/index.html, opened with the desktop's program.
#pragma once

#include "storage/install_folder.h"

#include <QString>

namespace tavel {

// The help file to open; empty when the folder holds neither.
QString helpFile(const InstallFolder& home);

// Opens the help file. False when there is none or it could not be opened.
bool openHelp(const InstallFolder& home);

} // namespace tavel
