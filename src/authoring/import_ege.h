// The reader "1  ЕГЭ" of exam papers, in three phases over the work file
// EGE.dat (the installation folder; records of 217 bytes: a line marker and
// the line's text cut to 210 characters).
//
// A. Marking: every kept line gets a marker: "НВ" a task label line ("А1",
//    "B2": А, В, A or B followed by a digit), "НО" an answer number line (")"
//    at position 2 to 4; wins over "НВ"), "КК" the line before either of them
//    and the last line, and one added record "КТ" "Конец Теста" at the end.
// B. The marked records are written to EGE.dat.
// C. Assembly: a task label starts a question "N. " made of the lines up to
//    the first answer line (the label's own text is dropped); an answer line
//    is joined with the line after it and, when that is not a marked start,
//    one more line. "Конец Теста" ends the assembly and is never joined.
#pragma once

#include "authoring/import_readers.h"
#include "storage/records.h"

namespace tavel::import {

inline constexpr int kEgeLineLimit = 210;

// Phase A: the records of EGE.dat for the file's lines (empty lines skipped).
std::vector<EgeRecord> markEgeLines(Lines lines);

// Phase C: the rows of IzTXT from the records of EGE.dat.
ReadResult assembleEge(const std::vector<EgeRecord>& records);

// Rewrites EGE.dat at `path` with `records`, atomically; Error when it cannot.
void writeEgeFile(const QString& path, const std::vector<EgeRecord>& records);

// All three phases: marks the lines, rewrites `workFile` with the marked
// records (atomically; Error when it cannot) and assembles the rows from the
// marked records, as markEgeLines, writeEgeFile and assembleEge in turn would
// (without making the records in memory).
ReadResult readEgeLayout(Lines lines, const QString& workFile);

} // namespace tavel::import
