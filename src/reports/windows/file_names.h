// The file names the document and workbook windows offer: a name made of the
// title for Save as (in the folder the teacher saved to last), and temporary
// copies handed to the office programs, which live until the program ends.
#pragma once

#include <QString>

namespace tavel {

// The title as a file name: characters a file system refuses become "_";
// an empty title gives `fallback`.
QString fileNameOfTitle(const QString& title, const QString& fallback);

// The path Save as starts at: the folder saved to last (else the desktop's
// documents folder) and the title's file name with `extension`.
QString suggestedSavePath(const QString& title, const QString& fallback, const QString& extension);
// Remembers the folder of a path saved to.
void rememberSaveFolder(const QString& savedPath);

// A new path in the program's temporary folder (removed when the program
// ends) for a copy named after the title. Empty when no temporary folder
// can be made.
QString temporaryCopyPath(const QString& title, const QString& fallback, const QString& extension);

} // namespace tavel
