// Gathering a topic listing from the editor's grids.
#include "authoring/topic_listing.h"

#include "reports/document.h"
#include "storage/text.h"

#include <QHash>

namespace tavel::authoring {
namespace {

// Progress is reported at most this many times per pass.
constexpr int kProgressSteps = 100;

void report(const ListingProgress& progress, int done, int total)
{
    if (progress && total > 0 && (done == total || done % std::max(1, total / kProgressSteps) == 0))
        progress(done, total);
}

QString keyOf(const GridModel& grid, int row)
{
    QString key;
    for (int c = 0; c < 4; ++c)
        key += trimmed(grid.cell(row, c)) + u'\x1f';
    return key;
}

} // namespace

TopicListing topicListing(const EditorGrids& grids, int topicRow, const ListingProgress& progress)
{
    TopicListing listing;
    const GridModel& topics = grids.topicGrid;
    if (topicRow < 0 || topicRow >= topics.rows())
        return listing;
    const Code subject(topics.cell(topicRow, tema::SubjectCode));
    const Code topic(topics.cell(topicRow, tema::TopicCode));
    const GridModel& questions = grids.questionGrid;
    const GridModel& answers = grids.answerGrid;

    // The topic's answers by their question, in grid order: one pass over
    // the answer grid, whatever the number of questions.
    QHash<QString, std::vector<int>> answersOf;
    for (int r = 0; r < answers.rows(); ++r) {
        if (answers.codeEquals(r, otwet::SubjectCode, subject) && answers.codeEquals(r, otwet::TopicCode, topic))
            answersOf[keyOf(answers, r)].push_back(r);
    }
    std::vector<int> questionRows;
    for (int r = 0; r < questions.rows(); ++r) {
        if (questions.codeEquals(r, wopros::SubjectCode, subject) && questions.codeEquals(r, wopros::TopicCode, topic))
            questionRows.push_back(r);
        report(progress, r + 1, questions.rows());
    }

    const QStringList& titles = columnTitleTable();
    ListingRow head;
    for (int c = 0; c < 10; ++c)
        head[size_t(c)] = titles[c];
    listing.rows.push_back(head);
    ListingRow topicLine;
    topicLine[0] = topics.cell(topicRow, tema::SubjectCode);
    topicLine[1] = topics.cell(topicRow, tema::TopicCode);
    topicLine[6] = topics.cell(topicRow, tema::TopicName);
    listing.rows.push_back(topicLine);

    int done = 0;
    for (int q : questionRows) {
        ListingRow line;
        for (int c = 0; c < 4; ++c)
            line[size_t(c)] = questions.cell(q, c);
        line[6] = questions.cell(q, wopros::QuestionText);
        line[7] = questions.cell(q, wopros::PoradCode);
        line[8] = questions.cell(q, wopros::Points);
        line[9] = questions.cell(q, wopros::SKodCode);
        listing.rows.push_back(line);
        ++listing.questions;
        for (int a : answersOf.value(keyOf(questions, q))) {
            ListingRow answer;
            for (int c = 0; c < 7; ++c)
                answer[size_t(c)] = answers.cell(a, c);
            listing.rows.push_back(answer);
            ++listing.answers;
        }
        report(progress, ++done, int(questionRows.size()));
    }
    listing.rows.push_back(ListingRow{});
    return listing;
}

namespace {

// The text column is 300 points where the page has room for it; on A4 the
// nine code columns, the cells' padding and borders leave less, and a table
// wider than the page loses its last columns (Porad, Ball, S_Kod) in print.
constexpr double kCodeColumnPoints = 23;
constexpr double kCellFramePoints = 6; // padding on both sides and a border, per column

double textColumnPoints()
{
    return std::min(300.0, Document::kTextWidthPoints - 9 * kCodeColumnPoints - 10 * kCellFramePoints);
}

} // namespace

void writeTopicListing(Document& doc, const TopicListing& listing, const ListingProgress& progress)
{
    doc.setBaseFont(8, false);
    if (listing.rows.empty())
        return;
    const int rows = int(listing.rows.size());
    const int table = doc.insertTableAtStart(rows, 10);
    doc.append(QStringLiteral(" "));
    doc.setBorders(table, true);
    for (int c = 1; c <= 10; ++c)
        doc.setColumnWidth(table, c, kCodeColumnPoints);
    doc.setColumnWidth(table, 7, textColumnPoints());
    for (int r = 0; r < rows; ++r) {
        const ListingRow& row = listing.rows[size_t(r)];
        for (int c = 0; c < 10; ++c) {
            if (!row[size_t(c)].isEmpty())
                doc.setCellText(table, r + 1, c + 1, row[size_t(c)]);
        }
        report(progress, r + 1, rows);
    }
}

} // namespace tavel::authoring
