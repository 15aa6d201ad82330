// The answer history document: what a test's start, each question shown and
// each judged answer append, and the summary the "Полный" request adds.
#include "reports/history_document.h"

#include "storage/text.h"

namespace tavel {
namespace {

const QString kUndecided = QStringLiteral("Не определено");

// A table without borders at the end, its column widths in points, a blank
// after it; returns its number.
int appendPlainTable(Document& doc, int rows, std::initializer_list<double> widths)
{
    const int table = doc.appendTable(rows, int(widths.size()));
    doc.append(QStringLiteral(" "));
    int column = 1;
    for (double w : widths)
        doc.setColumnWidth(table, column++, w);
    doc.setBorders(table, false);
    return table;
}

} // namespace

std::vector<MatchingRow> matchingRows(const QStringList& items, const QStringList& rightCodes,
                                      const QStringList& terms, const std::vector<int>& choices)
{
    std::vector<MatchingRow> rows;
    for (qsizetype k = 0; k < items.size(); ++k) {
        MatchingRow row;
        row.rightNumber = k < rightCodes.size() ? trimmed(rightCodes[k]) : QString();
        row.item = items[k];
        const int j = size_t(k) < choices.size() ? choices[size_t(k)] : 0;
        row.chosen = j >= 1 && j <= terms.size() ? terms[j - 1] : kUndecided;
        row.chosenNumber = j >= 1 && j <= terms.size() ? QString::number(j) : QStringLiteral("0");
        rows.push_back(row);
    }
    return rows;
}

std::vector<RankingLine> rankingLines(const std::vector<AnswerRow>& variants, const std::vector<int>& order)
{
    std::vector<RankingLine> lines;
    for (size_t i = 0; i < variants.size(); ++i) {
        RankingLine line;
        for (size_t s = 0; s < order.size(); ++s)
            if (order[s] == int(i) + 1)
                line.given = QString::number(s + 1);
        line.right = trimmed(variants[i].answerNo);
        line.text = trimmed(variants[i].answerText);
        lines.push_back(line);
    }
    return lines;
}

void HistoryDocument::start()
{
    document_ = std::make_shared<Document>();
    document_->setTitle(QStringLiteral("История ответов"));
    document_->setBaseFont(10);
}

std::shared_ptr<Document> HistoryDocument::finish(const TestFigures& figures)
{
    if (!document_)
        return nullptr;
    Document& doc = *document_;
    appendSummaryTable(doc, summaryRows(figures, SummaryOrder::AnswerHistory));
    doc.append(QStringLiteral(" "));
    doc.appendParagraph();
    doc.append(kSignatureLine);
    return document_;
}

void HistoryDocument::questionShown(int row, const QString& text)
{
    if (!document_)
        return;
    document_->appendParagraph();
    document_->append(QString::number(row) + QStringLiteral(". ") + text);
}

void HistoryDocument::appendExactAnswer(bool right, const QString& expected, const QString& typed)
{
    if (!document_)
        return;
    // On a line of its own under the question (the question's line would
    // otherwise run straight into the verdict).
    document_->appendParagraph();
    document_->append(trimmed(QString(QString(QChar(right ? u'+' : u'-')) + QStringLiteral("+ :  ") + trimmed(expected)
                                      + QStringLiteral(" Вы ") + trimmed(typed))));
}

void HistoryDocument::appendTickBoxes(const std::vector<AnswerRow>& variants, const std::vector<bool>& ticked)
{
    if (!document_)
        return;
    Document& doc = *document_;
    for (size_t i = 0; i < variants.size(); ++i) {
        const bool given = i < ticked.size() && ticked[i];
        const bool rightVariant = trimmed(variants[i].answerMark) == u"+";
        doc.appendParagraph();
        const QString line = trimmed(QString(QString(QChar(given ? u'в' : u'-')) + QChar(rightVariant ? u'+' : u'-')
                                             + QStringLiteral(" :  ") + variants[i].answerText));
        const int from = doc.end();
        doc.append(line);
        if (!rightVariant)
            doc.setPlain(from, doc.end());
    }
}

void HistoryDocument::appendMatching(const std::vector<MatchingRow>& rows)
{
    if (!document_ || rows.empty())
        return;
    Document& doc = *document_;
    const int table = appendPlainTable(doc, int(rows.size()), {23, 200, 200, 23});
    for (size_t i = 0; i < rows.size(); ++i) {
        const int r = int(i) + 1;
        doc.setCellText(table, r, 1, rows[i].rightNumber);
        doc.setCellText(table, r, 2, rows[i].item);
        doc.setCellText(table, r, 3, rows[i].chosen);
        doc.setCellText(table, r, 4, rows[i].chosenNumber);
    }
}

void HistoryDocument::appendRanking(const std::vector<RankingLine>& lines)
{
    if (!document_ || lines.empty())
        return;
    Document& doc = *document_;
    const int table = appendPlainTable(doc, int(lines.size()), {23, 23, 200});
    for (size_t i = 0; i < lines.size(); ++i) {
        const int r = int(i) + 1;
        doc.setCellText(table, r, 1, lines[i].given);
        doc.setCellText(table, r, 2, lines[i].right);
        doc.setCellText(table, r, 3, lines[i].text);
    }
}

void HistoryDocument::answerJudged(const Presentation& q, const GivenAnswer& answer, bool right)
{
    switch (q.kind) {
    case QuestionKind::ExactAnswer:
        appendExactAnswer(right, q.variants.empty() ? QString() : q.variants.front().answerText, answer.typed);
        break;
    case QuestionKind::TickBoxes:
        appendTickBoxes(q.variants, answer.ticked);
        break;
    case QuestionKind::Matching:
        appendMatching(matchingRows(q.rightTexts, q.rightCodes, q.leftTexts, answer.matchingChoices));
        break;
    case QuestionKind::Ranking:
        appendRanking(rankingLines(q.variants, answer.rankingOrder));
        break;
    }
}

} // namespace tavel
