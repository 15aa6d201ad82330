// The question edit window's logic.
#include "authoring/question_edit.h"

#include "storage/question_keys.h"
#include "storage/text.h"

#include <algorithm>

namespace tavel::authoring {

AttachmentRef attachmentOf(const QString& questionText)
{
    const FileReference ref = splitFileReference(questionText);
    AttachmentRef out;
    if (!ref.present || !isSafeFileName(ref.fileName))
        return out;
    if (ref.fileName.contains(QStringLiteral(".txt")))
        out.kind = Attachment::Text;
    if (ref.fileName.contains(QStringLiteral(".gif")) || ref.fileName.contains(QStringLiteral(".GIF")))
        out.kind = Attachment::Gif;
    if (out.kind != Attachment::None)
        out.fileName = ref.fileName;
    return out;
}

AnswerSpan answerSpan(const QString& noOtw, const QString& kOtwWopr, int gridRows)
{
    const auto first = wholeNumber(noOtw);
    const auto count = wholeNumber(kOtwWopr);
    AnswerSpan span;
    if (!count || (!first && *count > 0))
        return span;
    span.ok = true;
    if (*count <= 0)
        return span;
    span.first = std::max(0, *first - 1);
    span.count = std::clamp(gridRows - span.first, 0, *count);
    return span;
}

} // namespace tavel::authoring
