// What a fuzz target does when a property does not hold: it names the property and aborts, so that
// libFuzzer keeps the input as a finding and the corpus runner's test fails.
#pragma once

#include <cstdio>
#include <cstdlib>

inline void FuzzCheck(bool holds, const char* property)
{
    if (holds)
        return;
    std::fprintf(stderr, "property does not hold: %s\n", property);
    std::abort();
}
