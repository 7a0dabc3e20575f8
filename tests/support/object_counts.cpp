// Counting a process's kernel handles, GDI objects and USER objects.
#include "object_counts.h"

#include <windows.h>
#include <winternl.h>

#include <vector>

namespace {

// The system's list of open handles (SystemHandleInformation): one entry per handle of every
// process.
struct SystemHandleEntry {
    ULONG processId;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    PVOID object;
    ACCESS_MASK access;
};
struct SystemHandleList {
    ULONG count;
    SystemHandleEntry entries[1];
};
const ULONG SystemHandleInformationClass = 16;
const NTSTATUS InfoLengthMismatch = static_cast<NTSTATUS>(0xC0000004);

using QuerySystemInformation = NTSTATUS(NTAPI*)(ULONG, PVOID, ULONG, PULONG);

int HandlesListedBySystem()
{
    const auto query = reinterpret_cast<QuerySystemInformation>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    if (query == nullptr)
        return -1;
    std::vector<BYTE> buffer(1 << 16);
    NTSTATUS status;
    ULONG needed = 0;
    while ((status = query(SystemHandleInformationClass, buffer.data(), static_cast<ULONG>(buffer.size()), &needed))
           == InfoLengthMismatch && buffer.size() < (1u << 28))
        buffer.resize(buffer.size() * 2);
    if (status != 0)
        return -1;
    const SystemHandleList& list = *reinterpret_cast<const SystemHandleList*>(buffer.data());
    const ULONG self = ::GetCurrentProcessId();
    int held = 0;
    for (ULONG i = 0; i < list.count; ++i)
        held += list.entries[i].processId == self ? 1 : 0;
    return held;
}

}  // namespace

int HandlesHeld()
{
    DWORD count = 0;
    if (::GetProcessHandleCount(::GetCurrentProcess(), &count) && count != 0)
        return static_cast<int>(count);
    // Wine: GetProcessHandleCount answers 0; the system's handle list is complete.
    return HandlesListedBySystem();
}

namespace {

// How many more objects create makes before it fails, up to a million; all are destroyed again.
template <class Handle, class Create, class Destroy>
int Room(Create create, Destroy destroy)
{
    std::vector<Handle> made;
    for (Handle handle; made.size() < 1000000 && (handle = create()) != NULL;)
        made.push_back(handle);
    for (Handle handle : made)
        destroy(handle);
    return static_cast<int>(made.size());
}

}  // namespace

int GdiRoom()
{
    return Room<HBRUSH>([] { return ::CreateSolidBrush(RGB(1, 2, 3)); }, ::DeleteObject);
}

int UserRoom()
{
    return Room<HMENU>(::CreateMenu, ::DestroyMenu);
}
