// CFirmwareEvents: the binding of the firmware event service library, which reports presses of the
// camera button as the message WM_FIRMWARE_EVENT. Every entry is looked up anew at every call.
#pragma once

#include "framework/cstring.h"
#include "framework/win32.h"

class CFirmwareEvents {
public:
    CFirmwareEvents() = default;
    // Frees the library, as Free does.
    virtual ~CFirmwareEvents() { Free(); }
    CFirmwareEvents(const CFirmwareEvents&) = delete;
    CFirmwareEvents& operator=(const CFirmwareEvents&) = delete;

    // Loads the library that the machine-wide value "vxbios.dll" names; TRUE when it is loaded.
    // FALSE also when it is loaded already.
    BOOL Load();
    // TRUE, doing nothing, when no library is loaded; otherwise FreeLibrary's result, and none is
    // loaded afterwards.
    BOOL Free();
    // The library's path: the machine-wide REG_SZ value "vxbios.dll" of the shared-library key, of
    // 260 bytes at most with its terminator. Always a terminated text when TRUE.
    BOOL GetLibraryPath(CString* pPath) const;

    // The three entries; each gives 0 when no library is loaded or the entry is missing.
    LONG BeginCall() const;
    LONG RequestMessages(LONG call, HWND hWnd, LONG eventMask) const;
    LONG CancelMessages(LONG call, LONG request) const;

    HMODULE m_hModule = NULL;

private:
    // The entry of the loaded library, looked up now; null when there is none.
    FARPROC FindEntry(const char* name) const;
};
