// Attaching a picture to a question: the chosen GIF or JPEG file takes the
// name under which a test finds the question's picture, the system number
// followed by ".gif" or ".jpg", in the subject's Foto folder.
#pragma once

#include <QString>

namespace tavel::authoring {

// The file name a chosen picture takes: the system number followed by ".gif"
// when the chosen path, lower-cased, contains ".gif", else by ".jpg" when it
// contains ".jpg"; empty for any other file.
QString pictureTargetName(const QString& chosenPath, const QString& systemNumber);

enum class Attached { Moved, Copied };

// Puts the chosen file at `target`. The file is moved; when its folder cannot
// be written (a move would have to delete it there) it is copied instead and
// the original stays. An existing `target` is replaced only when `replace`
// is true, and is kept whole when the move or copy fails. Throws Error naming
// both files when the picture could not be put there; nothing is lost then.
Attached attachPicture(const QString& chosenPath, const QString& target, bool replace);

} // namespace tavel::authoring
