// Counting the messages that a thread of another program takes from its queue, with
// message_count_hook.dll set on that thread: the honest way to see which timers it keeps. The hook
// also reads the program's processor time from inside, where Wine reports it.
#pragma once

#include "message_counts.h"

class MessageCounter {
public:
    // Makes the counts and sets the hook on the thread.
    explicit MessageCounter(DWORD threadId);
    // Removes the hook; the program keeps the library until it unloads it.
    ~MessageCounter();
    MessageCounter(const MessageCounter&) = delete;
    MessageCounter& operator=(const MessageCounter&) = delete;

    // The hook runs in the thread: a message posted to hWnd, a window of that thread, was counted
    // within 10 s.
    bool Live(HWND hWnd);

    // The program's processor time in milliseconds, asked of the hook through a message to hWnd;
    // negative when it did not answer within 10 s.
    double CpuMs(HWND hWnd);

    LONG Timers() const { return m_pCounts != nullptr ? m_pCounts->timers : -1; }
    LONG ButtonEvents() const { return m_pCounts != nullptr ? m_pCounts->buttonEvents : -1; }

private:
    HANDLE m_hMapping = NULL;
    MessageCounts* m_pCounts = nullptr;
    HMODULE m_hHookLibrary = NULL;
    HHOOK m_hHook = NULL;
    LONG m_nCpuRequests = 0;
};
