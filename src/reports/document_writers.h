// The file formats a document is saved in: ODT (pictures inside the file),
// PDF (A4, 2 cm margins all round, page numbers) and HTML (one
// file, pictures embedded in it). Each is a Writer (reports/writer.h).
#pragma once

#include "reports/document.h"
#include "reports/writer.h"

#include <QStringList>
#include <memory>
#include <optional>

namespace tavel {

using DocumentWriter = Writer<Document>;

enum class DocumentFormat { Odt, Pdf, Html };

std::unique_ptr<DocumentWriter> documentWriter(DocumentFormat format);

// The format of a file name by its extension (any case: .odt, .pdf, .html,
// .htm); nothing for another extension.
std::optional<DocumentFormat> documentFormatOf(const QString& path);

// The Save-as filters of the three formats, ODT first, joined by ";;".
QString documentFilters();
// The format of one of those filters; ODT for anything else.
DocumentFormat documentFormatOfFilter(const QString& filter);

// The path to save to: `chosen` as it is when its extension names a format;
// otherwise with the extension of `filter`'s format added.
QString pathWithExtension(const QString& chosen, DocumentFormat filterFormat);

} // namespace tavel
