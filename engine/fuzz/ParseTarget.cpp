// libFuzzer target of reading and writing pages (built with clang when
// PAGINOR_FUZZ is on; not part of the engine library). Any input must get
// through without crashing or hanging, and its second save must equal the
// first (fuzz_checks::saveTwice).
#include "engine/fuzz/FuzzChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    engine::fuzz_checks::reportStrictReadingsAtExit();
    const auto saves =
        engine::fuzz_checks::saveTwice(QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!saves.stable()) {
        std::fprintf(stderr, "second save differs:\n--- first\n%s\n--- second\n%s\n", saves.once.toUtf8().constData(),
                     saves.twice.toUtf8().constData());
        std::abort();
    }
    return 0;
}
