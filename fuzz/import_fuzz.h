// What the four import fuzz targets share: any bytes go through the text
// decoding, one reader and the decoding into grids, and the rows that come out
// keep the import's rules. Included by import_*_fuzz.cpp only.
#pragma once

#include "fuzz_support.h"

#include "authoring/import_decode.h"
#include "authoring/import_readers.h"
#include "authoring/import_text.h"
#include "storage/error.h"

#include <functional>

namespace tavel::fuzz {

inline void checkImport(const uint8_t* data, size_t size,
                        const std::function<import::ReadResult(import::Lines)>& reader)
{
    using namespace tavel::import;
    setUp();
    ImportText text;
    try {
        text = decodeImportText(QByteArrayView(data, qsizetype(size)), QStringLiteral("fuzz.txt"));
    } catch (const Error&) {
        return; // a file with a NUL byte: refused by name
    }
    for (const QStringView line : text.lines)
        if (line.size() > kLineLimit)
            broken("a line longer than the limit");
    const ReadResult read = reader(text.lines);
    if (read.rows.empty() || !read.rows.front().questionNo.isEmpty())
        broken("no title row");
    for (size_t i = 1; i + 1 < read.rows.size(); ++i)
        if (read.rows[i].questionNo.isEmpty())
            broken("a question or answer row without its question number");

    const std::vector<TopicRecord> topics{{"1", "1", "T"}, {"1", "7", "U"}};
    DecodeResult decoded;
    try {
        decoded = decodeImport(read.rows, topics, int(size % 10), 3);
    } catch (const Error&) {
        return; // nothing under the title
    }
    for (size_t q = 0; q < decoded.questions.size(); ++q)
        if (decoded.questions[q].questionNo != QString::number(q + 1))
            broken("questions not numbered in order");
    for (const AnswerRecord& a : decoded.answers) {
        const int no = a.questionNo.toInt();
        if (no < 1 || no > int(decoded.questions.size()))
            broken("an answer without its question");
    }
}

} // namespace tavel::fuzz
