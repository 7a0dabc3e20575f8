// Owners of kernel and registry handles: each closes what it holds when it goes.
//   CHandle      a kernel object handle, closed by its destructor (unless null or invalid)
//   CHeldMutex   a named mutex that this thread may hold: created held, given up once and closed
//   CRegKey      an open registry key, closed by its destructor
#pragma once

#include "framework/win32.h"

class CHandle {
public:
    explicit CHandle(HANDLE h = NULL) : m_h(h) {}
    ~CHandle() { Close(); }
    CHandle(const CHandle&) = delete;
    CHandle& operator=(const CHandle&) = delete;

    void Close();
    operator HANDLE() const { return m_h; }

    HANDLE m_h;
};

class CHeldMutex {
public:
    CHeldMutex() = default;
    // Gives up the hold, as Release does.
    ~CHeldMutex() { Release(); }
    CHeldMutex(const CHeldMutex&) = delete;
    CHeldMutex& operator=(const CHeldMutex&) = delete;

    // Creates or opens the mutex name and asks to hold it: FALSE when it could not be created or
    // one is open already.
    BOOL Create(const char* name);
    // WaitForSingleObject on the mutex: another hold when it answers WAIT_OBJECT_0 or WAIT_ABANDONED.
    DWORD Wait(DWORD milliseconds) const { return ::WaitForSingleObject(m_hMutex, milliseconds); }
    // Gives up one hold and closes the mutex, when it is open: holds taken by Wait stay with the
    // thread until it ends. Always TRUE.
    BOOL Release();

    HANDLE m_hMutex = NULL;
};

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;

    // RegOpenKeyExA and RegCreateKeyExA (non-volatile, no class) of a subkey of hKeyParent,
    // closing the key held before; the registry's answer.
    LONG Open(HKEY hKeyParent, const char* lpszKeyName, REGSAM samDesired);
    LONG Create(HKEY hKeyParent, const char* lpszKeyName, REGSAM samDesired);
    void Close();

    operator HKEY() const { return m_hKey; }

    HKEY m_hKey = NULL;
};
