// What the editor's buttons and clicks do to its grids: marking rows for
// deletion with their cascades, inserting the "?" row, swapping questions,
// one point everywhere, and what selecting a topic or a question finds in the
// other grids. Rows are data rows counted from 0 (see editor_grids.h); every
// action does nothing for a row outside its grid.
#pragma once

#include "authoring/editor_grids.h"

namespace tavel::authoring {

// `TemaMin`: marks the topic row and every question and answer row with the
// topic's trimmed Predm and Tema.
void markTopic(EditorGrids& grids, int topicRow);
// `WopMin`: marks the question row and every answer row with its four codes.
void markQuestion(EditorGrids& grids, int questionRow);
// `OtwMin`: marks the answer row.
void markAnswer(EditorGrids& grids, int answerRow);

// `TemaPlus`, `WoprPlus`, `OtwPlus`: a row of "?" in every column goes above
// the current row, or below it when the current row is the last one. Returns
// the new current row (the "?" row), or -1 when `current` is outside the grid.
int insertQuestionMarkRow(GridModel& grid, int current);

// `Wwerh9` / `Wniz9`: swaps the current question row with the one above /
// below. Returns the row the question moved to, or -1 when it cannot move.
int moveUp(GridModel& grid, int current);
int moveDown(GridModel& grid, int current);

// `BitBtn2`: Ball := "1" in every question row.
void onePointEverywhere(EditorGrids& grids);

// The first question row of a topic row; -1 when the topic has none.
int firstQuestionOfTopic(const EditorGrids& grids, int topicRow);

// What selecting a question row finds.
struct QuestionSelection {
    QString systemNumber; // ImyFile
    int firstAnswer = -1; // the first answer row with the question's four codes
    // KOtwWopr: consecutive answer rows from firstAnswer whose trimmed Wopr
    // equals the question's (only Wopr is compared); 0 without answers.
    int answerCount = 0;
    int topicRow = -1;    // the first topic row with the question's Predm and Tema
};
QuestionSelection selectQuestion(const EditorGrids& grids, int questionRow);

} // namespace tavel::authoring
