// The answer history of a running test: a document of its own, opened when
// a test starts, receiving a numbered line for every question shown and a
// record of every judged answer, and closed off on request ("Полный") with
// the summary table and the signature line.
//
// The history keeps its document from the start to the request: protocols
// and printouts made meanwhile go into other documents and never receive the
// history's appends. Before the first start every append does nothing.
//
// What each answer kind appends:
// - exact answer: one line, verdict ("+"/"-") + "+ :  " + the expected
//   answer + " Вы " + the typed answer;
// - tick boxes: one line per variant, the examinee's tick ("в"/"-") and the
//   variant's mark ("+"/"-"), " :  " and its text; the lines of variants
//   that are not right are plain, the right ones bold;
// - matching: a table of 4 columns, one row per right-hand item: the number
//   of the term that belongs to it, the item, the term chosen ("Не
//   определено" when none) and that term's number;
// - ranking: a table of 3 columns, one row per variant in stored order: the
//   position the examinee gave it, its right position, its text.
#pragma once

#include "reports/document.h"
#include "reports/protocol_parts.h"
#include "session/answer_history.h"

#include <memory>
#include <vector>

namespace tavel {

// One row of the matching table (the main window's SootTab).
struct MatchingRow {
    QString rightNumber; // the number of the term that belongs to the item
    QString item;        // the right-hand item ("Не изменяемый столбец")
    QString chosen;      // the term chosen for it ("Строки переставить")
    QString chosenNumber;
};

// One row of the ranking table.
struct RankingLine {
    QString given; // the position the examinee gave the variant; empty when none
    QString right; // its right position (AnswerNo)
    QString text;
};

// The matching rows of an answer: for right-hand item k (from 0) the term
// choices[k] of the term list ("Не определено" followed by `terms`).
std::vector<MatchingRow> matchingRows(const QStringList& items, const QStringList& rightCodes,
                                      const QStringList& terms, const std::vector<int>& choices);

// The ranking lines of an answer: `order[s]` is the variant (from 1) the
// examinee put into slot s + 1.
std::vector<RankingLine> rankingLines(const std::vector<AnswerRow>& variants, const std::vector<int>& order);

class HistoryDocument : public AnswerHistory {
public:
    // A new document (the former one stays with whoever shows it): size 10,
    // bold, no tables yet.
    void start();
    // "Полный": the summary table and the signatures; returns the document
    // to show. Null before the first start.
    std::shared_ptr<Document> finish(const TestFigures& figures);

    // The document being written; null before the first start.
    const std::shared_ptr<Document>& document() const { return document_; }

    void testStarted(const HistoryStart& start) override
    {
        Q_UNUSED(start);
        this->start();
    }
    void questionShown(int row, const QString& text) override;
    void answerJudged(const Presentation& question, const GivenAnswer& answer, bool right) override;

    // The records of the four kinds (what answerJudged appends).
    void appendExactAnswer(bool right, const QString& expected, const QString& typed);
    void appendTickBoxes(const std::vector<AnswerRow>& variants, const std::vector<bool>& ticked);
    void appendMatching(const std::vector<MatchingRow>& rows);
    void appendRanking(const std::vector<RankingLine>& lines);

private:
    std::shared_ptr<Document> document_;
};

} // namespace tavel
