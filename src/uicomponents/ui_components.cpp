// The UI component client: the library's objects from creation to release, the initialising call
// and the colour call.
#include "uicomponents/ui_components.h"

#include "framework/cstring.h"
#include "framework/trace.h"
#include "framework/win_app.h"

namespace {

// The name by which the program introduces itself to the library.
const wchar_t ClientName[] = L"Lumora";

// Both called members answer 0 for success; a call that did not get through answers for them.
long CallResult(HRESULT hr, long result)
{
    return SUCCEEDED(hr) ? result : 1;
}

}  // namespace

CUiComponents::~CUiComponents()
{
    ReleaseInOrder({&m_initialiser, &m_dispatch2, &m_dispatch4, &m_colours, &m_dispatch5, &m_dispatch6, &m_dispatch7});
}

BOOL CUiComponents::Create()
{
    if (m_bDisabled)
        return FALSE;
    if (m_bInitialised)
        return TRUE;

    if (!m_initialiser.CreateDispatch(CLSID_UiInitialiser)) {
        Trace("UI component library: no initialising object; the system's colours are used");
        return FALSE;
    }
    const long initialised = Initialise();
    if (initialised != 0) {
        Trace("UI component library: the initialising call answered %ld; the system's colours are used",
              initialised);
        return FALSE;
    }

    struct DispatchObject {
        COleDispatchDriver* pDriver;
        const CLSID* pClsid;
    };
    const DispatchObject others[] = {
        {&m_dispatch2, &CLSID_UiDispatch2}, {&m_colours, &CLSID_UiColours},     {&m_dispatch4, &CLSID_UiDispatch4},
        {&m_dispatch5, &CLSID_UiDispatch5}, {&m_dispatch6, &CLSID_UiDispatch6}, {&m_dispatch7, &CLSID_UiDispatch7},
    };
    for (const DispatchObject& object : others) {
        if (!object.pDriver->CreateDispatch(*object.pClsid)) {
            Trace("UI component library: dispatch object %d not created; the system's colours are used",
                  static_cast<int>(&object - others) + 2);
            return FALSE;
        }
    }

    if (!m_custom1.CreateInstance(CLSID_UiCustom1, IID_IUiCustom1) ||
        !m_custom2.CreateInstance(CLSID_UiCustom2, IID_IUiCustom2) ||
        !m_custom3.CreateInstance(CLSID_UiCustom3, IID_IUiCustom3)) {
        Trace("UI component library: a custom object not created; the system's colours are used");
        return FALSE;
    }

    m_bInitialised = TRUE;
    return TRUE;
}

long CUiComponents::Initialise()
{
    // The instance handle and the thread are those the framework recorded when the program started.
    CWinApp* pApp = AfxGetApp();
    const DWORD threadId = pApp != nullptr ? pApp->m_nThreadID : ::GetCurrentThreadId();
    // The library takes the handle as a 32-bit number, which a module handle of the 32-bit program is.
    const long instance = static_cast<long>(reinterpret_cast<LONG_PTR>(AfxGetInstanceHandle()));
    const CString name = AnsiFromWide(ClientName);

    static const BYTE params[] = VTS_I4 VTS_I4 VTS_BSTR;
    long result = 0;
    const HRESULT hr = m_initialiser.InvokeHelper(DISPID_UiCall, DISPATCH_METHOD, VT_I4, &result, params, instance,
                                                  static_cast<long>(threadId), static_cast<const char*>(name));
    return CallResult(hr, result);
}

int CUiComponents::GetColour(int nIndex, COLORREF* pColour)
{
    if (!m_bInitialised)
        return -1;
    static const BYTE params[] = VTS_I4 VTS_PI4;
    long colour = static_cast<long>(*pColour);
    long result = 0;
    const HRESULT hr = m_colours.InvokeHelper(DISPID_UiCall, DISPATCH_METHOD, VT_I4, &result, params,
                                              static_cast<long>(nIndex), &colour);
    *pColour = CallResult(hr, result) == 0 ? static_cast<COLORREF>(colour) : ::GetSysColor(nIndex);
    return 0;
}

BOOL CUiComponents::Disable()
{
    if (m_bInitialised)
        return FALSE;
    m_bDisabled = TRUE;
    return TRUE;
}

BOOL CUiComponents::Release()
{
    ReleaseInOrder({&m_initialiser, &m_dispatch2, &m_colours, &m_dispatch4, &m_dispatch5, &m_dispatch6, &m_dispatch7});
    return TRUE;
}

void CUiComponents::ReleaseInOrder(std::initializer_list<COleDispatchDriver*> drivers)
{
    for (COleDispatchDriver* pDriver : drivers)
        pDriver->ReleaseDispatch();
    m_custom1.Release();
    m_custom2.Release();
    m_custom3.Release();
}
