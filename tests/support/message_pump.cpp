// Running this thread's messages in tests.
#include "message_pump.h"

#include "framework/win_app.h"

void PumpPendingMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        AfxHandleQueuedMessage(&msg);
}
