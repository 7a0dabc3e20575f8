// The seed of a randomised test run, printed by the test so that a failure can be run again.
#pragma once

#include <windows.h>

#include <stdlib.h>

// LUMORA_FAULT_SEED when given (to repeat a run), the tick count otherwise.
inline unsigned RunSeed()
{
    char text[32] = {};
    if (::GetEnvironmentVariableA("LUMORA_FAULT_SEED", text, sizeof text) > 0)
        return static_cast<unsigned>(strtoul(text, nullptr, 0));
    return ::GetTickCount();
}
