// Running this thread's messages in tests, the way the application's message loop does.
#pragma once

#include <windows.h>

// Dispatches every message now queued for this thread, giving the windows of each message's window
// chain their chance first.
void PumpPendingMessages();
