// The firmware event service binding.
#include "devices/firmware_events.h"

#include "contracts/suite_contracts.h"
#include "devices/library_value.h"
#include "devices/suite_library.h"
#include "framework/event_log.h"
#include "framework/module_path.h"
#include "framework/trace.h"
#include "res/lumora_ready_events.h"

#include <string>

namespace {

// Where the library is, fixed and machine-wide only: the machine's policy, then the machine's value.
const char* const FirmwareValueName = "vxbios.dll";

typedef LONG(WINAPI* BeginCallEntry)();
typedef LONG(WINAPI* MessageRequestEntry)(LONG call, HWND hWnd, LONG eventMask);
typedef LONG(WINAPI* CancelRequestEntry)(LONG call, LONG request);

template <class Entry>
Entry EntryAs(FARPROC entry)
{
    return reinterpret_cast<Entry>(reinterpret_cast<void*>(entry));
}

}  // namespace

LibraryValue CFirmwareEvents::FindLibraryPath(CString* pPath) const
{
    // A policy value that is there decides, even when it is refused: the machine-wide value below
    // it is an administrator's too, and a policy that was meant to win must not be outranked by it.
    const LibraryValue policy = ReadLibraryValue(SharedLibrariesPolicyKey, FirmwareValueName, pPath);
    if (policy != LibraryValue::Absent)
        return policy;
    return ReadLibraryValue(SharedLibrariesKey, FirmwareValueName, pPath);
}

BOOL CFirmwareEvents::GetLibraryPath(CString* pPath) const
{
    return FindLibraryPath(pPath) == LibraryValue::Found;
}

BOOL CFirmwareEvents::Load()
{
    if (m_hModule != NULL)
        return FALSE;
    CString path;
    const LibraryValue found = FindLibraryPath(&path);
    if (found == LibraryValue::Absent) {
        Trace("firmware event service library: no value \"%s\" under HKLM\\%s or HKLM\\%s", FirmwareValueName,
              SharedLibrariesPolicyKey, SharedLibrariesKey);
        LogEvent(MSG_FIRMWARE_NOT_NAMED);
    }
    if (found != LibraryValue::Found)
        return FALSE;
    m_hModule = LoadSuiteLibrary(path);
    if (m_hModule == NULL) {
        const DWORD error = ::GetLastError();
        Trace("firmware event service library \"%s\" not loaded: error %lu", static_cast<const char*>(path), error);
        LogEvent(MSG_FIRMWARE_NOT_LOADED, { path, std::to_string(error).c_str() });
        return FALSE;
    }
    Trace("firmware event service library loaded from %s", static_cast<const char*>(ModuleFileName(m_hModule)));
    return TRUE;
}

BOOL CFirmwareEvents::Free()
{
    if (m_hModule == NULL)
        return TRUE;
    HMODULE hModule = m_hModule;
    m_hModule = NULL;
    return ::FreeLibrary(hModule);
}

FARPROC CFirmwareEvents::FindEntry(const char* name, EntryUse use) const
{
    if (m_hModule == NULL)
        return nullptr;
    const FARPROC entry = ::GetProcAddress(m_hModule, name);
    if (entry == nullptr) {
        Trace("firmware event service library has no \"%s\"", name);
        if (use == EntryUse::ForEvents)
            LogEvent(MSG_ENTRY_MISSING, { ModuleFileName(m_hModule), name });
    }
    return entry;
}

LONG CFirmwareEvents::BeginCall() const
{
    const BeginCallEntry begin = EntryAs<BeginCallEntry>(FindEntry("Begin_VXBIOS_Call", EntryUse::ForEvents));
    if (begin == nullptr)
        return 0;
    const LONG call = begin();
    if (call == 0 || call == -1) {
        Trace("firmware event service opened no call (%ld): no events from it", call);
        LogEvent(MSG_SOURCE_REFUSED, { ModuleFileName(m_hModule), "Begin_VXBIOS_Call", std::to_string(call).c_str() });
    }
    return call;
}

LONG CFirmwareEvents::RequestMessages(LONG call, HWND hWnd, LONG eventMask) const
{
    const MessageRequestEntry request =
        EntryAs<MessageRequestEntry>(FindEntry("VXBIOS_BiosMessageReq", EntryUse::ForEvents));
    if (request == nullptr)
        return 0;
    const LONG requested = request(call, hWnd, eventMask);
    if (requested == 0) {
        Trace("firmware event service refused the request for events");
        LogEvent(MSG_SOURCE_REFUSED, { ModuleFileName(m_hModule), "VXBIOS_BiosMessageReq", "0" });
    }
    return requested;
}

LONG CFirmwareEvents::CancelMessages(LONG call, LONG request) const
{
    const CancelRequestEntry cancel =
        EntryAs<CancelRequestEntry>(FindEntry("VXBIOS_CancelMessageReq", EntryUse::AtTheEnd));
    return cancel != nullptr ? cancel(call, request) : 0;
}
