// The import layout "Из генер. (generator blocks ended by #конец)": any bytes are decoded,
// read and decoded into grids without a crash or a hang, and the rows keep
// the import's rules (import_fuzz.h).
#include "import_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    tavel::fuzz::checkImport(data, size, [](tavel::import::Lines lines) { return tavel::import::readGeneratorLayout(lines); });
    return 0;
}
