// The contents page Baza/Oglavlenie.txt: any bytes are read and totalled or
// refused with an Error; never more rows than the counts allow.
#include "fuzz_support.h"

#include "storage/contents_page.h"
#include "storage/error.h"

using namespace tavel;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path = fuzz::inputFile(QStringLiteral("Baza/Oglavlenie.txt"), data, size);
    ContentsPage page;
    try {
        readContentsPage(path, page);
        totalGroups(page);
    } catch (const Error&) {
    }
    if (qint64(page.cells.size()) > std::max(page.rows, 0) || qint64(page.cells.size()) > qint64(size) + 1)
        fuzz::broken("more rows than the file holds");
    return 0;
}
