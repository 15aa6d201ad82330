// Decoding ("2  Декодер", Dekodir): the rows of the import grid IzTXT become a
// topic, its questions and their answers in the editor's grids. A row whose
// "Wopr" differs from the row above it is a question; the rows after it with
// the same "Wopr" are its answers.
//
// Two modes, by the question grid: with 5 data rows or more the import is
// appended as a new topic whose code is one above the largest topic code;
// with fewer it replaces the question and answer rows (fresh subject) under
// topic "1", whose row 1 gets the new title.
#pragma once

#include "authoring/import_readers.h"
#include "storage/records.h"

#include <functional>
#include <span>
#include <vector>

namespace tavel::import {

// Question grid data rows from which decoding appends instead of replacing.
constexpr int kAppendFromQuestionRows = 5;
constexpr int kDecodeLineLimit = 250;

struct DecodeResult {
    bool append = false;
    // Append: the row added at the end of the topic grid. Fresh: only its name
    // is used, as the new name of topic row 1.
    TopicRecord topic;
    // The question and answer rows kept before the decoded ones: all rows in
    // append mode, none in fresh mode (the grids are cut after the new rows).
    int keptQuestions = 0;
    int keptAnswers = 0;
    std::vector<QuestionRecord> questions;
    std::vector<AnswerRecord> answers;
};

// Called now and then with the rows done, out of rows.size() + 1.
using DecodeProgress = std::function<void(int done, int total)>;

// Decodes `rows` (IzTXT rows 1..; the first is the title) against the topic
// grid's rows and the question and answer grids' data row counts. Throws
// Error, changing nothing, when there is no question to decode, no topic row to
// take the subject code from, or (append mode) a topic row whose code is not a
// whole number, naming the row.
DecodeResult decodeImport(std::span<const ImportRow> rows, std::span<const TopicRecord> topics,
                          int questionRows, int answerRows, const DecodeProgress& progress = {});

} // namespace tavel::import
