// CCaptureDriver: the binding of the camera's capture driver library, which reports presses of the
// camera button as the registered message "VexaCapEvent" to the window it was opened with.
#pragma once

#include "devices/library_value.h"
#include "framework/cstring.h"
#include "framework/win32.h"

class CCaptureDriver {
public:
    // The number of the library's entry points, all resolved, of which only "VC_Open" is called.
    static const int EntryCount = 40;

    CCaptureDriver() = default;
    // Frees the library if it is loaded; the driver is never closed.
    virtual ~CCaptureDriver();
    CCaptureDriver(const CCaptureDriver&) = delete;
    CCaptureDriver& operator=(const CCaptureDriver&) = delete;

    // Loads the library and resolves its entries: TRUE when the library loaded, however many
    // entries it has. FALSE also when it is loaded already.
    BOOL Load();
    // Opens the driver for the window: TRUE when this call obtained a driver handle.
    BOOL Open(HWND hWnd);

    // The library's path: the computer's policy when it is there (empty when it is refused), else
    // from the Config values and the shared-library key; empty when none.
    CString GetLibraryPath() const;

    HMODULE m_hModule = NULL;
    LONG m_hDriver = 0;
    FARPROC m_entries[EntryCount] = {};  // in the order of EntryNames; null where missing

    static const char* const EntryNames[EntryCount];

private:
    BOOL LoadModule();
    LibraryValue FindLibraryPath(CString* pPath) const;
};
