// The printout of the unanswered-questions list (button `ProtNew`): the
// printout of a topic (session_protocol.h, without the teacher's key) made of
// the list's rows, with the subject, the Foto folder and the answer table of
// the test the list came from.
#pragma once

#include "reports/document.h"
#include "reports/protocol_parts.h"
#include "session/unanswered.h"
#include "storage/install_folder.h"

#include <QStringList>

namespace tavel {

// Appends the printout of `list` to `document` (W2 size 12, bold; "Предмет "
// + the subject, "Тема: " + the topic, then every row with its explanation
// text, pictures and variants) and titles it "Неотвеченные вопросы - " + the
// topic. Files are looked up in the Foto folder of the list's subject under
// `home`. Returns the files that could not be put in, one line each ("name:
// reason"), in order; each is named in the document where it would stand.
QStringList printUnanswered(Document& document, const UnansweredList& list, const InstallFolder& home,
                            const DocumentProgress& progress = {});

} // namespace tavel
