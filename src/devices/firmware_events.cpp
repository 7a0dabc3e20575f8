// The firmware event service binding.
#include "devices/firmware_events.h"

#include "devices/suite_library.h"
#include "framework/module_path.h"
#include "framework/trace.h"
#include "settings/value_decoding.h"

HMODULE g_hFirmwareLibrary = NULL;

namespace {

// Where the library is, fixed and machine-wide only.
const char* const SharedLibrariesKey = "Software\\Vexa Corporation\\Shared Info\\Shared DLLs";
const char* const FirmwareValueName = "vxbios.dll";
const DWORD LargestPathData = MAX_PATH;  // bytes, the terminator included

typedef LONG(WINAPI* BeginCallEntry)();
typedef LONG(WINAPI* MessageRequestEntry)(LONG call, HWND hWnd, LONG eventMask);
typedef LONG(WINAPI* CancelRequestEntry)(LONG call, LONG request);

// The entry of the loaded library, looked up now; null when there is none.
template <class Entry>
Entry FindEntry(const char* name)
{
    if (g_hFirmwareLibrary == NULL)
        return nullptr;
    const FARPROC entry = ::GetProcAddress(g_hFirmwareLibrary, name);
    if (entry == nullptr)
        Trace("firmware event service library has no \"%s\"", name);
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(entry));
}

}  // namespace

BOOL GetFirmwareLibraryPath(CString* pPath)
{
    HKEY hKey;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, SharedLibrariesKey, 0, KEY_QUERY_VALUE, &hKey) != ERROR_SUCCESS)
        return FALSE;
    unsigned char data[LargestPathData];
    DWORD size = sizeof data;
    DWORD type = 0;
    const LONG queried = ::RegQueryValueExA(hKey, FirmwareValueName, NULL, &type, data, &size);
    ::RegCloseKey(hKey);
    // Longer data fails the query; other types, REG_EXPAND_SZ among them, are refused.
    if (queried != ERROR_SUCCESS || type != REG_SZ)
        return FALSE;
    // Data stored without its terminator still gives a terminated path.
    *pPath = DecodeString(data, size).c_str();
    return TRUE;
}

BOOL LoadFirmwareLibrary()
{
    CString path;
    if (!GetFirmwareLibraryPath(&path)) {
        Trace("firmware event service library: no string value \"%s\" of at most %lu bytes under HKLM\\%s",
              FirmwareValueName, LargestPathData, SharedLibrariesKey);
        return FALSE;
    }
    g_hFirmwareLibrary = LoadSuiteLibrary(path);
    if (g_hFirmwareLibrary == NULL) {
        Trace("firmware event service library \"%s\" not loaded: error %lu", static_cast<const char*>(path),
              ::GetLastError());
        return FALSE;
    }
    Trace("firmware event service library loaded from %s",
          static_cast<const char*>(ModuleFileName(g_hFirmwareLibrary)));
    return TRUE;
}

BOOL FreeFirmwareLibrary()
{
    if (g_hFirmwareLibrary == NULL)
        return TRUE;
    return ::FreeLibrary(g_hFirmwareLibrary);
}

LONG BeginFirmwareCall()
{
    BeginCallEntry begin = FindEntry<BeginCallEntry>("Begin_VXBIOS_Call");
    if (begin == nullptr)
        return 0;
    const LONG call = begin();
    if (call == 0 || call == -1)
        Trace("firmware event service opened no call (%ld): no events from it", call);
    return call;
}

LONG RequestFirmwareMessages(LONG call, HWND hWnd, LONG eventMask)
{
    MessageRequestEntry request = FindEntry<MessageRequestEntry>("VXBIOS_BiosMessageReq");
    if (request == nullptr)
        return 0;
    const LONG requested = request(call, hWnd, eventMask);
    if (requested == 0)
        Trace("firmware event service refused the request for events");
    return requested;
}

LONG CancelFirmwareMessages(LONG call, LONG request)
{
    CancelRequestEntry cancel = FindEntry<CancelRequestEntry>("VXBIOS_CancelMessageReq");
    return cancel != nullptr ? cancel(call, request) : 0;
}
