// Running this thread's messages in tests.
#include "message_pump.h"

#include "framework/win_app.h"

void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        AfxHandleQueuedMessage(&msg);
}

void PressKey(HWND hWnd, WPARAM key)
{
    ::PostMessageA(hWnd, WM_KEYDOWN, key, 1);
    ::PostMessageA(hWnd, WM_KEYUP, key, 0xC0000001);
    PumpPendingMessages();
}
