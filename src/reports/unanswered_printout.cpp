// The printout of the unanswered-questions list.
#include "reports/unanswered_printout.h"

#include "reports/session_protocol.h"

namespace tavel {

QStringList printUnanswered(Document& document, const UnansweredList& list, const InstallFolder& home,
                            const DocumentProgress& progress)
{
    const QuestionListFiles files = buildTopicPrintout(document, list.subjectName, list.topicName, list.rows,
                                                       list.answers, FotoFolder(home, list.folderName), false, progress);
    document.setTitle(QStringLiteral("Неотвеченные вопросы - ") + list.topicName);
    return files.problems;
}

} // namespace tavel
