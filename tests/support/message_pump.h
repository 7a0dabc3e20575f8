// Running this thread's messages in tests, the way the application's message loop does, and
// waiting for what they bring about with a bound instead of a sleep.
#pragma once

#include <windows.h>

// Dispatches every message now queued for this thread, giving the windows of each message's window
// chain their chance first.
void PumpPendingMessages();

// Posts a key's press and release to the window, as the keyboard would, and runs them.
void PressKey(HWND hWnd, WPARAM key);

// Pumps this thread's messages until condition() holds or timeoutMs has passed; true when it holds.
template <class Condition>
bool PumpUntil(Condition condition, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpPendingMessages();
        if (condition())
            return true;
        if (::GetTickCount() - start >= timeoutMs)
            return false;
        // Wake for the next message, or look again after a short while.
        ::MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
    }
}
