// The file formats a workbook is saved in: XLSX (through libxlsxwriter; every
// cell a text cell, the fitted column widths kept) and CSV (UTF-8 with a
// byte-order mark so that every spreadsheet reads the Cyrillic right; cells
// separated by ";", as spreadsheets in Russian settings expect; lines end
// with CR LF; a cell holding ";", a quote, a line end or blanks at either end
// is quoted, its quotes doubled). Each is a Writer (reports/writer.h).
#pragma once

#include "reports/workbook.h"
#include "reports/writer.h"

#include <memory>
#include <optional>

namespace tavel {

using WorkbookWriter = Writer<Workbook>;

enum class WorkbookFormat { Xlsx, Csv };

std::unique_ptr<WorkbookWriter> workbookWriter(WorkbookFormat format);

// The format of a file name by its extension (any case); nothing for another.
std::optional<WorkbookFormat> workbookFormatOf(const QString& path);
// The Save-as filters, XLSX first, joined by ";;", and the format of one.
QString workbookFilters();
WorkbookFormat workbookFormatOfFilter(const QString& filter);
// `chosen` as it is when its extension names a format, else with the
// extension of `filterFormat` added.
QString pathWithExtension(const QString& chosen, WorkbookFormat filterFormat);

// The longest text a spreadsheet cell holds; longer cells are cut to it.
inline constexpr int kMaxCellCharacters = 32767;

} // namespace tavel
