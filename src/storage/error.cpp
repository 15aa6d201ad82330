// The program's error type.
#include "storage/error.h"

namespace tavel {

Error::Error(QString message) : message_(std::move(message)), utf8_(message_.toUtf8()) {}

} // namespace tavel
