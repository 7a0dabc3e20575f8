// What the library stand-ins share: the call record (when the environment variable given names a
// file, each call adds one line there, so that a test can see which entries were called, with
// what), the results a test asks for, the window through which press.exe reaches them, and their
// start and end.
#pragma once

#include <windows.h>

#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>

// The environment variable's value as the process has it now: a test sets it after start-up.
inline bool Environment(const char* variable, char (&value)[MAX_PATH])
{
    const DWORD length = ::GetEnvironmentVariableA(variable, value, MAX_PATH);
    return length > 0 && length < MAX_PATH;
}

inline void RecordCall(const char* variable, const char* format, ...)
{
    char path[MAX_PATH];
    if (!Environment(variable, path))
        return;
    FILE* record = fopen(path, "a");
    if (record == nullptr)
        return;
    va_list arguments;
    va_start(arguments, format);
    vfprintf(record, format, arguments);
    va_end(arguments);
    fputc('\n', record);
    fclose(record);
}

// A number the test asks an entry to return instead of its own, from an environment variable.
inline bool AskedResult(const char* variable, long* result)
{
    char text[MAX_PATH];
    if (!Environment(variable, text))
        return false;
    *result = strtol(text, nullptr, 0);
    return true;
}

// The message-only window through which press.exe reaches a stand-in, made on the calling thread
// at the first call and destroyed when the library is unloaded.
class PressWindow {
public:
    PressWindow(const char* className, WNDPROC procedure) : m_className(className), m_procedure(procedure) {}

    void CreateOnThisThread(HINSTANCE hInstance)
    {
        if (m_hWnd != NULL)
            return;
        WNDCLASSA wc = {};
        wc.lpfnWndProc = m_procedure;
        wc.hInstance = hInstance;
        wc.lpszClassName = m_className;
        ::RegisterClassA(&wc);
        m_hInstance = hInstance;
        m_hWnd = ::CreateWindowExA(0, m_className, "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, hInstance, NULL);
    }
    // On unloading: the window's procedure goes with the library.
    void Destroy()
    {
        if (m_hWnd == NULL)
            return;
        ::DestroyWindow(m_hWnd);
        ::UnregisterClassA(m_className, m_hInstance);
        m_hWnd = NULL;
    }

private:
    const char* m_className;
    WNDPROC m_procedure;
    HINSTANCE m_hInstance = NULL;
    HWND m_hWnd = NULL;
};

// The stand-ins' DllMain: keeps the library's instance, and takes the press window away when the
// library is unloaded while the process goes on (the window's procedure goes with the library).
inline BOOL StandInDllMain(HINSTANCE hInstance, DWORD reason, LPVOID reserved, HINSTANCE* pInstance,
                           PressWindow& pressWindow)
{
    if (reason == DLL_PROCESS_ATTACH) {
        *pInstance = hInstance;
        ::DisableThreadLibraryCalls(hInstance);
    } else if (reason == DLL_PROCESS_DETACH && reserved == NULL) {
        pressWindow.Destroy();
    }
    return TRUE;
}
