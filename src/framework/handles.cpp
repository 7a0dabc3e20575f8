// The owners of kernel and registry handles.
#include "framework/handles.h"

void CHandle::Close()
{
    if (m_h == NULL || m_h == INVALID_HANDLE_VALUE)
        return;
    ::CloseHandle(m_h);
    m_h = NULL;
}

BOOL CHeldMutex::Create(const char* name)
{
    if (m_hMutex != NULL)
        return FALSE;
    m_hMutex = ::CreateMutexA(NULL, TRUE, name);
    return m_hMutex != NULL;
}

BOOL CHeldMutex::Release()
{
    if (m_hMutex != NULL) {
        ::ReleaseMutex(m_hMutex);
        ::CloseHandle(m_hMutex);
        m_hMutex = NULL;
    }
    return TRUE;
}

LONG CRegKey::Open(HKEY hKeyParent, const char* lpszKeyName, REGSAM samDesired)
{
    Close();
    return ::RegOpenKeyExA(hKeyParent, lpszKeyName, 0, samDesired, &m_hKey);
}

LONG CRegKey::Create(HKEY hKeyParent, const char* lpszKeyName, REGSAM samDesired)
{
    Close();
    return ::RegCreateKeyExA(hKeyParent, lpszKeyName, 0, NULL, REG_OPTION_NON_VOLATILE, samDesired, NULL, &m_hKey,
                             NULL);
}

void CRegKey::Close()
{
    if (m_hKey == NULL)
        return;
    ::RegCloseKey(m_hKey);
    m_hKey = NULL;
}
