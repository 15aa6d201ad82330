// Between the import's rows and the editor's grid models.
#include "authoring/import_grids.h"

#include "storage/text.h"

namespace tavel::import {

using authoring::GridModel;
using authoring::GridRow;

void fillImportGrid(GridModel& importGrid, const ReadResult& read)
{
    std::vector<GridRow> rows;
    rows.reserve(read.rows.size());
    for (const ImportRow& r : read.rows)
        rows.push_back({QString(), QString(), QString(), r.questionNo, r.answerNo, r.answerMark, r.answerText});
    importGrid.replaceRows(rows);
}

std::vector<ImportRow> importRows(const GridModel& importGrid)
{
    std::vector<ImportRow> rows;
    rows.reserve(size_t(importGrid.rows()));
    for (int i = 0; i < importGrid.rows(); ++i) {
        ImportRow r;
        r.questionNo = importGrid.cell(i, otwet::QuestionNo);
        r.answerNo = importGrid.cell(i, otwet::AnswerNo);
        r.answerMark = importGrid.cell(i, otwet::AnswerMark);
        r.answerText = importGrid.cell(i, otwet::AnswerText);
        rows.push_back(std::move(r));
    }
    return rows;
}

std::vector<TopicRecord> topicRows(const GridModel& topicGrid)
{
    std::vector<TopicRecord> rows;
    rows.reserve(size_t(topicGrid.rows()));
    for (int i = 0; i < topicGrid.rows(); ++i)
        rows.push_back({topicGrid.cell(i, tema::SubjectCode), topicGrid.cell(i, tema::TopicCode),
                        topicGrid.cell(i, tema::TopicName)});
    return rows;
}

DecodeResult decodeGrids(const authoring::EditorGrids& grids, const DecodeProgress& progress)
{
    const std::vector<ImportRow> rows = importRows(grids.importGrid);
    const std::vector<TopicRecord> topics = topicRows(grids.topicGrid);
    return decodeImport(rows, topics, grids.questionGrid.rows(), grids.answerGrid.rows(), progress);
}

Replaced replacedBy(const authoring::EditorGrids& grids, const DecodeResult& decoded)
{
    Replaced out;
    if (decoded.append)
        return out;
    for (int i = 0; i < grids.questionGrid.rows(); ++i)
        if (!trimmedView(grids.questionGrid.cell(i, wopros::QuestionText)).isEmpty())
            ++out.questions;
    for (int i = 0; i < grids.answerGrid.rows(); ++i)
        if (!trimmedView(grids.answerGrid.cell(i, otwet::AnswerText)).isEmpty())
            ++out.answers;
    return out;
}

void applyDecode(authoring::EditorGrids& grids, const DecodeResult& decoded)
{
    std::vector<GridRow> questions;
    questions.reserve(decoded.questions.size());
    for (const QuestionRecord& q : decoded.questions)
        questions.push_back({q.subjectCode, q.topicCode, q.testCode, q.questionNo, q.questionText, q.poradCode,
                             q.points, q.sKodCode});
    std::vector<GridRow> answers;
    answers.reserve(decoded.answers.size());
    for (const AnswerRecord& a : decoded.answers)
        answers.push_back({a.subjectCode, a.topicCode, a.testCode, a.questionNo, a.answerNo, a.answerMark,
                           a.answerText});
    const TopicRecord& t = decoded.topic;
    if (decoded.append) {
        grids.topicGrid.appendRow({t.subjectCode, t.topicCode, t.topicName});
        grids.questionGrid.appendRows(questions);
        grids.answerGrid.appendRows(answers);
    } else {
        grids.topicGrid.setCell(0, tema::TopicName, t.topicName);
        grids.questionGrid.replaceRows(questions);
        grids.answerGrid.replaceRows(answers);
    }
}

} // namespace tavel::import
