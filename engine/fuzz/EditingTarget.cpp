// libFuzzer target of editing (built with clang when PAGINOR_FUZZ is on; not
// part of the engine library): formatting commands on ranges the input
// chooses, then undoing everything must give the page back exactly
// (fuzz_checks::editingUndoesExactly).
#include "engine/fuzz/FuzzChecks.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    engine::fuzz_checks::reportStrictReadingsAtExit();
    if (!engine::fuzz_checks::editingUndoesExactly(data, size))
        std::abort();
    return 0;
}
