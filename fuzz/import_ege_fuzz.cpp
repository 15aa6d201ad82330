// The import layout "1  ЕГЭ" (task labels, numbered answers, "Конец Теста"):
// any bytes are decoded, marked, assembled and decoded into grids without a
// crash or a hang; "Конец Теста" never reaches a row. The work file is left
// out: its writing is the storage's atomic save.
#include "import_fuzz.h"

#include <algorithm>

#include "authoring/import_ege.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tavel::fuzz::checkImport(data, size, [](tavel::import::Lines lines) {
        const std::vector<tavel::EgeRecord> records = tavel::import::markEgeLines(lines);
        if (records.empty() || records.back().lineText != QStringLiteral("Конец Теста"))
            tavel::fuzz::broken("no end record");
        tavel::import::ReadResult read = tavel::import::assembleEge(records);
        for (size_t i = 1; i < read.rows.size(); ++i)
            if (read.rows[i].answerText.contains(QStringLiteral("Конец Теста")) &&
                std::none_of(lines.begin(), lines.end(),
                             [](QStringView line) { return line.contains(QStringLiteral("Конец Теста")); }))
                tavel::fuzz::broken("the end record joined to a row");
        return read;
    });
    return 0;
}
