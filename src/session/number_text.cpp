// Conversion of typed text to whole numbers.
#include "session/number_text.h"

#include "storage/error.h"
#include "storage/text.h"

namespace tavel {

int toWholeNumber(const QString& text)
{
    bool ok = false;
    const int value = trimmed(text).toInt(&ok);
    if (!ok)
        throw Error(QStringLiteral("«%1» — не целое число").arg(text));
    return value;
}

} // namespace tavel
