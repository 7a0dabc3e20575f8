// The framework's free helpers: window classes, message boxes, resources, OLE.
#include "framework/afx_helpers.h"

#include "framework/win_app.h"
#include "framework/wnd.h"

#include <ole2.h>
#include <stdio.h>

namespace {

bool g_bOleStarted = false;

}  // namespace

CString AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    HINSTANCE hInstance = AfxGetInstanceHandle();
    // One class per combination: the name spells out what the class is made of.
    char name[128];
    snprintf(name, sizeof name, "%.32s:%p:%x:%p:%p:%p", AfxGetProgramName(), static_cast<void*>(hInstance), nClassStyle,
             static_cast<void*>(hCursor), static_cast<void*>(hbrBackground), static_cast<void*>(hIcon));

    WNDCLASSA wc;
    if (::GetClassInfoA(hInstance, name, &wc))
        return CString(name);
    wc = WNDCLASSA();
    wc.style = nClassStyle;
    wc.lpfnWndProc = AfxWndProc;
    wc.hInstance = hInstance;
    wc.hIcon = hIcon;
    wc.hCursor = hCursor;
    wc.hbrBackground = hbrBackground;
    wc.lpszClassName = name;
    return ::RegisterClassA(&wc) != 0 ? CString(name) : CString();
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    CWinApp* pApp = AfxGetApp();
    CString caption = pApp != nullptr ? pApp->m_strAppName : CString();

    if ((nType & MB_ICONMASK) == 0 && (nType & MB_TYPEMASK) == MB_OK)
        nType |= MB_ICONEXCLAMATION;

    MSGBOXPARAMSA params = MSGBOXPARAMSA();
    params.cbSize = sizeof params;
    params.hInstance = AfxGetInstanceHandle();
    params.lpszText = text;
    params.lpszCaption = caption;
    params.dwStyle = nType;
    params.dwContextHelpId = nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp;
    return ::MessageBoxIndirectA(&params);
}

HINSTANCE AfxFindResourceHandle(const char*, const char*)
{
    return AfxGetInstanceHandle();
}

BOOL AfxOleInit()
{
    if (g_bOleStarted)
        return TRUE;
    if (FAILED(::OleInitialize(NULL)))
        return FALSE;
    g_bOleStarted = true;
    return TRUE;
}

void AfxOleTerm()
{
    if (!g_bOleStarted)
        return;
    ::OleUninitialize();
    g_bOleStarted = false;
}
