// What the message-count hook saw a watched thread take from its queue, and the processor time of
// the watched program as it reads its own. The benchmark makes the counts in a mapping named after
// the thread; the hook, loaded into the watched program, opens it.
#pragma once

#include <windows.h>

#include <stdio.h>

struct MessageCounts {
    volatile LONG all;
    volatile LONG timers;        // WM_TIMER, with or without a callback
    volatile LONG buttonEvents;  // "VexaCapEvent" and the firmware service's 0x4FF
    // A WM_NULL with wParam CpuTimeRequest and a number in lParam asks the hook for the program's
    // processor time: it stores it, then that number in cpuAnswered.
    volatile LONGLONG cpuTime;   // user and kernel, in 100 ns units
    volatile LONG cpuAnswered;
};

const WPARAM CpuTimeRequest = 0x4C52;

inline void MessageCountsName(DWORD threadId, char (&name)[64])
{
    snprintf(name, sizeof name, "LumoraBenchMessageCounts.%lu", threadId);
}

// The hook's entry, exported by name from message_count_hook.dll.
const char* const MessageCountHookEntry = "CountMessages";
