// A screen reader's view of a window, through the accessibility interfaces.
#include "accessibility.h"

#include <oleacc.h>

namespace {

HWND g_named = NULL;
int g_nameChanges = 0;
bool g_highContrast = false;
decltype(::SystemParametersInfoA)* g_systemParameters = nullptr;

void CALLBACK CountNameChange(HWINEVENTHOOK, DWORD, HWND hWnd, LONG object, LONG child, DWORD, DWORD)
{
    if (hWnd == g_named && object == OBJID_CLIENT && child == CHILDID_SELF)
        ++g_nameChanges;
}

BOOL WINAPI ReportHighContrast(UINT action, UINT param, void* value, UINT flags)
{
    if (action != SPI_GETHIGHCONTRAST)
        return g_systemParameters(action, param, value, flags);
    static_cast<HIGHCONTRASTA*>(value)->dwFlags = HCF_AVAILABLE | (g_highContrast ? HCF_HIGHCONTRASTON : 0);
    return TRUE;
}

}  // namespace

std::wstring AccessibleName(HWND hWnd)
{
    std::wstring name = L"(no name)";
    IAccessible* pAccessible = nullptr;
    // The id as the headers declare it: the import library's data symbol of that name is no id.
    if (FAILED(::AccessibleObjectFromWindow(hWnd, OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&pAccessible))))
        return name;
    VARIANT self = { { { VT_I4, 0, 0, 0, { CHILDID_SELF } } } };
    BSTR text = nullptr;
    if (pAccessible->get_accName(self, &text) == S_OK && text != nullptr)
        name.assign(text, ::SysStringLen(text));
    ::SysFreeString(text);
    pAccessible->Release();
    return name;
}

NameChanges::NameChanges(HWND hWnd)
    : m_hHook(::SetWinEventHook(EVENT_OBJECT_NAMECHANGE, EVENT_OBJECT_NAMECHANGE, NULL, CountNameChange,
                                ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT))
{
    g_named = hWnd;
    g_nameChanges = 0;
}

int NameChanges::Count() const
{
    return g_nameChanges;
}

ReportedHighContrast::ReportedHighContrast(bool on) : m_hook("USER32.dll", "SystemParametersInfoA", ReportHighContrast)
{
    g_highContrast = on;
    g_systemParameters = m_hook.Original();
}
