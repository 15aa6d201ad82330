// The table of a topic listing ("Печать темы"): every question of the topic
// in grid order, each followed by its answers, as the rows of a table of ten
// columns (the answer grid's seven titles, then "Porad", "Ball", "S_Kod").
#pragma once

#include "authoring/editor_grids.h"

#include <array>
#include <functional>
#include <vector>

namespace tavel {
class Document;
}

namespace tavel::authoring {

using ListingRow = std::array<QString, 10>;

struct TopicListing {
    // Row 0: the titles; row 1: the topic (Predm, Tema and its name in
    // column 7); then per question its row (four codes, text in column 7,
    // Porad, Ball, S_Kod in 8 to 10) followed by its answers' rows (their
    // seven cells); the last row stays empty. So rows.size() is n + 1 with
    // n = 2 + the topic's questions + their answers.
    std::vector<ListingRow> rows;
    int questions = 0;
    int answers = 0;
};

// Reports progress as (done, total); called a bounded number of times.
using ListingProgress = std::function<void(int done, int total)>;

// The listing of the topic in `topicRow` of the topic grid (the questions by
// the topic's trimmed Predm and Tema, the answers by the question's four
// codes). Empty rows when the topic row is outside the grid.
TopicListing topicListing(const EditorGrids& grids, int topicRow, const ListingProgress& progress = {});

// The listing written into `doc`: the whole document in 8 points (not bold),
// a table of the listing's rows and ten columns at its very start followed
// by one blank, borders on, every column 23 points wide but column 7 (the
// texts) 300 points, or as much less as makes the table fit the page.
void writeTopicListing(Document& doc, const TopicListing& listing, const ListingProgress& progress = {});

} // namespace tavel::authoring
