// The session protocol and the question and topic printouts.
#include "reports/session_protocol.h"

#include "storage/question_keys.h"
#include "storage/text.h"

#include <QFileInfo>

namespace tavel {
namespace {

// Up to about a hundred progress reports, however long the list.
void report(const DocumentProgress& progress, int done, int total)
{
    if (!progress)
        return;
    const int step = std::max(1, total / 100);
    if (done == total || done % step == 0)
        progress(done, total);
}

} // namespace

QStringList buildSessionProtocol(Document& doc, const TestFigures& figures, const QuestionList& unanswered,
                          const AnswerTable& answers, const FotoFolder& foto, const DocumentProgress& progress)
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

    InsertedFiles inserted;
    const QuestionBlockOptions options{VariantLines::Plain, true};
    const int total = int(unanswered.size());
    for (int r = 1; r <= total; ++r) {
        report(progress, r, total);
        appendQuestionBlock(doc, r, unanswered[size_t(r - 1)], answers, foto, inserted, options);
    }
    return inserted.names();
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
    const QString gif = ownNames ? foto.path(q.systemNumber + QStringLiteral(".gif")) : QString();
    const QString jpg = ownNames ? foto.path(q.systemNumber + QStringLiteral(".jpg")) : QString();
    if (!q.referencedPicture.isEmpty())
        doc.appendPicture(q.referencedPicture);
    else if (!gif.isEmpty() && QFileInfo(gif).isFile())
        doc.appendPicture(gif);
    if (!jpg.isEmpty() && QFileInfo(jpg).isFile())
        doc.appendPicture(jpg);

    doc.appendParagraph();
    for (size_t i = 0; i < q.variants.size(); ++i) {
        doc.appendParagraph();
        if (q.variants[i].answerMark != u"Ф")
            doc.append(QString::number(i + 1) + QStringLiteral(". ") + q.variants[i].answerText);
    }
}

QStringList buildTopicPrintout(Document& doc, const QString& subject, const QString& topic,
                        const QuestionList& questions, const AnswerTable& answers, const FotoFolder& foto,
                        bool key, const DocumentProgress& progress)
{
    doc.setTitle(key ? QStringLiteral("Тема с ответами") : QStringLiteral("Тема"));
    doc.setBaseFont(12);
    doc.append(QStringLiteral("Предмет ") + trimmed(subject));
    doc.appendParagraph();
    doc.append(QStringLiteral("Тема: ") + topic);

    InsertedFiles inserted;
    const QuestionBlockOptions options{key ? VariantLines::TeachersKey : VariantLines::Plain, true};
    const int total = int(questions.size());
    for (int r = 1; r <= total; ++r) {
        report(progress, r, total);
        appendQuestionBlock(doc, r, questions[size_t(r - 1)], answers, foto, inserted, options);
    }
    return inserted.names();
}

} // namespace tavel
