// The seed of a randomised test run. A run is the same each time unless LUMORA_FAULT_SEED names
// another seed; the tests name the seed in every failure (SeedTrace), so a failure can be repeated.
#pragma once

#include <windows.h>

#include <stdlib.h>

#include <string>

// LUMORA_FAULT_SEED when given, the test's own fixed seed otherwise.
inline unsigned RunSeed(unsigned fixed)
{
    char text[32] = {};
    if (::GetEnvironmentVariableA("LUMORA_FAULT_SEED", text, sizeof text) > 0)
        return static_cast<unsigned>(strtoul(text, nullptr, 0));
    return fixed;
}

// The line that a SCOPED_TRACE adds to each failure of a run of this seed.
inline std::string SeedTrace(unsigned seed)
{
    return "seed " + std::to_string(seed) + " (LUMORA_FAULT_SEED=" + std::to_string(seed) + " repeats this run)";
}
