// The logic of the question edit window: which file a question's text
// refers to and how the window shows it, and where the edited answers go.
#pragma once

#include <QString>

namespace tavel::authoring {

enum class Attachment { None, Text, Gif };

struct AttachmentRef {
    Attachment kind = Attachment::None;
    QString fileName; // in the subject's Foto folder
};

// The file of the question text's "File#" reference (storage's
// splitFileReference): a name containing ".txt" is shown as text, one
// containing ".gif" or ".GIF" as a GIF picture (the picture wins when both
// occur); any other name, an empty one, or one that would leave the Foto
// folder gives None.
AttachmentRef attachmentOf(const QString& questionText);

// The answer rows the window shows, from the editor's NoOtw (the first row,
// counted from 1) and KOtwWopr (how many): `first` counts from 0 and the
// count is cut to the rows the grid has. Empty (ok false) when either text
// is not a whole number; a count below 0 reads as 0.
struct AnswerSpan {
    bool ok = false;
    int first = 0;
    int count = 0;
};
AnswerSpan answerSpan(const QString& noOtw, const QString& kOtwWopr, int gridRows);

} // namespace tavel::authoring
