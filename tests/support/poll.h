// Waiting for a condition that another process brings about, with a bound instead of a sleep.
#pragma once

#include <windows.h>

// Looks at condition() every 10 ms until it holds or timeoutMs has passed; true when it holds.
template <class Condition>
bool WaitUntil(Condition condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        ::Sleep(10);
    }
}
