// tavel-base's line form: every record dumps to a line that loads back to the
// same meaningful bytes, and any text given to load is refused or stored.
#include "fuzz_support.h"

#include "record_lines.h"
#include "storage/error.h"
#include "storage/record_layout.h"

#include <QStringDecoder>

using namespace tavel;

namespace {

const RecordLayout* const kLayouts[] = {&layouts::papka, &layouts::dostup, &layouts::predmet, &layouts::tema,
                                        &layouts::wopros, &layouts::otwet,  &layouts::exam,    &layouts::ege};

// The bytes that count: text within its clamped length, integers, dates.
QByteArray meaningful(const RecordView& r)
{
    QByteArray out;
    for (int i = 0; i < int(r.layout().fields.size()); ++i) {
        const FieldLayout& f = r.layout().field(i);
        if (f.type == FieldType::Text)
            out += r.rawText(i).toByteArray() + '|';
        else if (f.type != FieldType::Padding)
            out += r.bytes().sliced(f.offset, f.size).toByteArray();
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::setUp();
    fuzz::Input in(data, size);
    const RecordLayout& layout = *kLayouts[in.byte() % 8];
    const QByteArray rest = in.rest();

    if (rest.size() >= layout.size) {
        const RecordView record(layout, QByteArrayView(rest).first(layout.size));
        const QString line = base::recordToLine(record);
        QByteArray back;
        try {
            back = base::lineToRecord(layout, line);
        } catch (const Error&) {
            fuzz::broken("a dumped line is refused by load");
        }
        if (meaningful(RecordView(layout, back)) != meaningful(record))
            fuzz::broken("a dumped line loads back to other bytes");
        if (base::recordToLine(RecordView(layout, back)) != line)
            fuzz::broken("a loaded line dumps differently");
    }

    // Any line, as load gets it.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(rest);
    try {
        const QByteArray record = base::lineToRecord(layout, text);
        if (record.size() != layout.size)
            fuzz::broken("load made a record of the wrong size");
    } catch (const Error&) {
    }
    return 0;
}
