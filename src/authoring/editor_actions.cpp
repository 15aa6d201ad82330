// The editor's grid actions.
#include "authoring/editor_actions.h"

#include "storage/question_keys.h"

namespace tavel::authoring {
namespace {

bool inside(const GridModel& grid, int row)
{
    return row >= 0 && row < grid.rows();
}

// The first row from `from` whose columns 0.. hold `codes`; -1 when none.
int firstWith(const GridModel& grid, const std::vector<Code>& codes, int from = 0)
{
    for (int r = from; r < grid.rows(); ++r) {
        bool all = true;
        for (size_t c = 0; c < codes.size() && all; ++c)
            all = grid.codeEquals(r, int(c), codes[c]);
        if (all)
            return r;
    }
    return -1;
}

void markAll(GridModel& grid, const std::vector<Code>& codes)
{
    for (int r = firstWith(grid, codes); r >= 0; r = firstWith(grid, codes, r + 1))
        grid.setCell(r, 0, deletionMark());
}

std::vector<Code> codesOf(const GridModel& grid, int row, int count)
{
    std::vector<Code> codes;
    for (int c = 0; c < count; ++c)
        codes.emplace_back(grid.cell(row, c));
    return codes;
}

} // namespace

void markTopic(EditorGrids& grids, int topicRow)
{
    if (!inside(grids.topicGrid, topicRow))
        return;
    const std::vector<Code> codes = codesOf(grids.topicGrid, topicRow, 2);
    grids.topicGrid.setCell(topicRow, 0, deletionMark());
    markAll(grids.questionGrid, codes);
    markAll(grids.answerGrid, codes);
}

void markQuestion(EditorGrids& grids, int questionRow)
{
    if (!inside(grids.questionGrid, questionRow))
        return;
    const std::vector<Code> codes = codesOf(grids.questionGrid, questionRow, 4);
    grids.questionGrid.setCell(questionRow, 0, deletionMark());
    markAll(grids.answerGrid, codes);
}

void markAnswer(EditorGrids& grids, int answerRow)
{
    if (inside(grids.answerGrid, answerRow))
        grids.answerGrid.setCell(answerRow, 0, deletionMark());
}

int insertQuestionMarkRow(GridModel& grid, int current)
{
    if (!inside(grid, current))
        return -1;
    const GridRow marks(grid.columns(), QStringLiteral("?"));
    const int at = current == grid.rows() - 1 ? grid.rows() : current;
    grid.insertRow(at, marks);
    return at;
}

int moveUp(GridModel& grid, int current)
{
    if (!inside(grid, current) || current < 1)
        return -1;
    grid.swapRows(current - 1, current);
    return current - 1;
}

int moveDown(GridModel& grid, int current)
{
    if (!inside(grid, current) || current > grid.rows() - 2)
        return -1;
    grid.swapRows(current, current + 1);
    return current + 1;
}

void onePointEverywhere(EditorGrids& grids)
{
    grids.questionGrid.setColumn(wopros::Points, QStringLiteral("1"));
}

int firstQuestionOfTopic(const EditorGrids& grids, int topicRow)
{
    if (!inside(grids.topicGrid, topicRow))
        return -1;
    return firstWith(grids.questionGrid, codesOf(grids.topicGrid, topicRow, 2));
}

QuestionSelection selectQuestion(const EditorGrids& grids, int questionRow)
{
    QuestionSelection s;
    const GridModel& questions = grids.questionGrid;
    if (!inside(questions, questionRow))
        return s;
    const std::vector<Code> codes = codesOf(questions, questionRow, 4);
    s.systemNumber = systemNumber(codes[0].text, codes[1].text, codes[2].text, codes[3].text);
    s.firstAnswer = firstWith(grids.answerGrid, codes);
    if (s.firstAnswer >= 0) {
        const Code& questionNo = codes[otwet::QuestionNo];
        for (int r = s.firstAnswer; r < grids.answerGrid.rows() && grids.answerGrid.codeEquals(r, otwet::QuestionNo, questionNo); ++r)
            ++s.answerCount;
    }
    s.topicRow = firstWith(grids.topicGrid, {codes[0], codes[1]});
    return s;
}

} // namespace tavel::authoring
