// FirmwareEvents: the binding of the firmware event service library, which reports presses of the
// camera button as the message WM_FIRMWARE_EVENT. One library handle serves the whole process;
// every entry is looked up anew at every call.
#pragma once

#include "framework/cstring.h"
#include "framework/win32.h"

// The loaded library; null while none is loaded. Not cleared after FreeFirmwareLibrary: nothing
// calls an entry after that.
extern HMODULE g_hFirmwareLibrary;

// Loads the library that the machine-wide value "vxbios.dll" names; TRUE when it is loaded.
BOOL LoadFirmwareLibrary();
// TRUE, doing nothing, when no library is loaded; otherwise FreeLibrary's result.
BOOL FreeFirmwareLibrary();
// The library's path: the machine-wide REG_SZ value "vxbios.dll" of the shared-library key, of 260
// bytes at most with its terminator. Always a terminated text when TRUE.
BOOL GetFirmwareLibraryPath(CString* pPath);

// The three entries; each gives 0 when no library is loaded or the entry is missing.
LONG BeginFirmwareCall();
LONG RequestFirmwareMessages(LONG call, HWND hWnd, LONG eventMask);
LONG CancelFirmwareMessages(LONG call, LONG request);
