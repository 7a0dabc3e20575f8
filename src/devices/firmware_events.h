// CFirmwareEvents: the binding of the firmware event service library, which reports presses of the
// camera button as the message WM_FIRMWARE_EVENT. Every entry is looked up anew at every call.
#pragma once

#include "devices/library_value.h"
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
    // 260 bytes at most with its terminator and not empty. Always a terminated text when TRUE.
    BOOL GetLibraryPath(CString* pPath) const;

    // The three entries; each gives 0 when no library is loaded or the entry is missing.
    LONG BeginCall() const;
    LONG RequestMessages(LONG call, HWND hWnd, LONG eventMask) const;
    LONG CancelMessages(LONG call, LONG request) const;

    HMODULE m_hModule = NULL;

private:
    // An entry without which no button is heard (its absence is logged), or the one for the end.
    enum class EntryUse { ForEvents, AtTheEnd };

    // Where the path comes from: the machine's policy, which decides whenever it is there, then the
    // machine's value.
    LibraryValue FindLibraryPath(CString* pPath) const;
    // The entry of the loaded library, looked up now; null when there is none.
    FARPROC FindEntry(const char* name, EntryUse use) const;
};
