// The firmware event service binding.
#include "devices/firmware_events.h"

#include "devices/suite_library.h"
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
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(::GetProcAddress(g_hFirmwareLibrary, name)));
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
    if (!GetFirmwareLibraryPath(&path))
        return FALSE;
    g_hFirmwareLibrary = LoadSuiteLibrary(path);
    return g_hFirmwareLibrary != NULL;
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
    return begin != nullptr ? begin() : 0;
}

LONG RequestFirmwareMessages(LONG call, HWND hWnd, LONG eventMask)
{
    MessageRequestEntry request = FindEntry<MessageRequestEntry>("VXBIOS_BiosMessageReq");
    return request != nullptr ? request(call, hWnd, eventMask) : 0;
}

LONG CancelFirmwareMessages(LONG call, LONG request)
{
    CancelRequestEntry cancel = FindEntry<CancelRequestEntry>("VXBIOS_CancelMessageReq");
    return cancel != nullptr ? cancel(call, request) : 0;
}
