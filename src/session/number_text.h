// Whole numbers typed by the user or read from a box: the conversion that
// fails with a clear message, as the run-time's conversion error does.
#pragma once

#include <QString>

namespace tavel {

// The value of `text` (blanks around it allowed). Throws Error
// ("«abc» — не целое число") when it is not a whole number.
int toWholeNumber(const QString& text);

} // namespace tavel
