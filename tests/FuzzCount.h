#pragma once
// How many random inputs a fuzz test tries: a bounded number in CI, more when
// QIRAVEL_FUZZ_INPUTS asks for it (e.g. QIRAVEL_FUZZ_INPUTS=1000000 for a long run).
#include <cstdlib>

inline long FuzzInputs(long inCi)
{
    const char* env = std::getenv("QIRAVEL_FUZZ_INPUTS");
    const long asked = env ? std::atol(env) : 0;
    return asked > 0 ? asked : inCi;
}
