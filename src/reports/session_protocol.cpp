// The session protocol and the question and topic printouts.
#include "reports/session_protocol.h"

#include "storage/question_keys.h"
#include "storage/text.h"

namespace tavel {

QuestionListFiles buildSessionProtocol(Document& doc, const TestFigures& figures, const QuestionList& unanswered,
                                       const AnswerTable& answers, const FotoFolder& foto,
                                       const DocumentProgress& progress)
{
    doc.setTitle(QStringLiteral("Протокол"));
    doc.setBaseFont(10);
    appendSummaryTable(doc, summaryRows(figures, SummaryOrder::SessionProtocol));
    doc.append(QStringLiteral(" "));
    doc.appendParagraph();
    doc.append(kSignatureLine);
    doc.appendParagraph();
    doc.appendParagraph();
    doc.append(QStringLiteral("Список нерешенных задач"));
    return appendQuestionList(doc, unanswered, answers, foto, VariantLines::Plain, progress);
}

void buildQuestionPrintout(Document& doc, const CurrentQuestion& q, const FotoFolder& foto)
{
    doc.setTitle(QStringLiteral("Вопрос"));
    doc.setBaseFont(12);
    doc.append(QStringLiteral("----- ") + q.subject);
    doc.append(QStringLiteral(". ") + q.topic);
    doc.appendParagraph();
    doc.append(QStringLiteral("----- Вопрос -----"));
    doc.appendParagraph();
    doc.append(q.shownText);
    doc.appendParagraph();
    doc.appendParagraph();
    if (q.explanation) {
        doc.append(QStringLiteral("----- Анализируемый текст -----"));
        doc.appendParagraph();
        doc.append(*q.explanation);
        doc.appendParagraph(); // the pictures below the text, not beside its last line
    }

    // Picture 1: the picture the question refers to, else its own GIF;
    // picture 2: its own JPEG. The question's own pictures are optional.
    const bool ownNames = isSafeFileName(q.systemNumber);
    const QString gif = q.systemNumber + QStringLiteral(".gif");
    const QString jpg = q.systemNumber + QStringLiteral(".jpg");
    if (!q.referencedPicture.isEmpty())
        doc.appendPicture(q.referencedPicture);
    else if (ownNames && foto.contains(gif))
        doc.appendPicture(foto.path(gif));
    if (ownNames && foto.contains(jpg))
        doc.appendPicture(foto.path(jpg));

    doc.appendParagraph();
    for (size_t i = 0; i < q.variants.size(); ++i) {
        doc.appendParagraph();
        if (q.variants[i].answerMark != u"Ф")
            doc.append(QString::number(i + 1) + QStringLiteral(". ") + q.variants[i].answerText);
    }
}

QuestionListFiles buildTopicPrintout(Document& doc, const QString& subject, const QString& topic,
                                     const QuestionList& questions, const AnswerTable& answers, const FotoFolder& foto,
                                     bool key, const DocumentProgress& progress)
{
    doc.setTitle(key ? QStringLiteral("Тема с ответами") : QStringLiteral("Тема"));
    doc.setBaseFont(12);
    doc.append(QStringLiteral("Предмет ") + trimmed(subject));
    doc.appendParagraph();
    doc.append(QStringLiteral("Тема: ") + topic);
    return appendQuestionList(doc, questions, answers, foto, key ? VariantLines::TeachersKey : VariantLines::Plain,
                              progress);
}

} // namespace tavel
