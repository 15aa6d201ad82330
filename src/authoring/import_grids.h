// The import between the editor's grids: the rows a reader made go into the
// import grid IzTXT, and a decoding of IzTXT goes into the topic, question and
// answer grids.
#pragma once

#include "authoring/editor_grids.h"
#include "authoring/import_decode.h"
#include "authoring/import_readers.h"

namespace tavel::import {

// IzTXT's content replaced by the reader's rows (the empty row after the last
// included); its former rows are gone, none is left behind the new ones.
void fillImportGrid(authoring::GridModel& importGrid, const ReadResult& read);

// The rows of IzTXT as the teacher left them (cells may have been edited).
std::vector<ImportRow> importRows(const authoring::GridModel& importGrid);
std::vector<TopicRecord> topicRows(const authoring::GridModel& topicGrid);

// Decodes IzTXT against the grids; Error as decodeImport.
DecodeResult decodeGrids(const authoring::EditorGrids& grids, const DecodeProgress& progress = {});

// Question and answer rows with text that a fresh-mode decoding replaces.
struct Replaced {
    int questions = 0;
    int answers = 0;
};
Replaced replacedBy(const authoring::EditorGrids& grids, const DecodeResult& decoded);

// Puts a decoding into the grids: append mode adds the topic row at the end
// of the topic grid and the rows after the last question and answer rows;
// fresh mode renames topic row 1 and replaces the question and answer rows.
void applyDecode(authoring::EditorGrids& grids, const DecodeResult& decoded);

} // namespace tavel::import
