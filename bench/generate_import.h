// Import files for the benchmarks and the fuzz corpus: a title line and
// questions with four or five answers in one of the four text layouts, Russian
// school words, the same text for the same seed.
#pragma once

#include "authoring/import_readers.h"

#include <QString>

namespace tavel::bench {

QString importFileText(import::Layout layout, int questions, quint64 seed = 20261208);

} // namespace tavel::bench
