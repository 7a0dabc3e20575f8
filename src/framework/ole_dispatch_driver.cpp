// The dispatch driver: creating an automation object, invoking its members, releasing it.
#include "framework/ole_dispatch_driver.h"

#include <ole2.h>
#include <stdarg.h>

#include <vector>

namespace {

// A BSTR of an ANSI string in the process's code page; null gives the empty BSTR (null).
BSTR AnsiToBstr(const char* psz)
{
    if (psz == nullptr)
        return nullptr;
    const int length = ::MultiByteToWideChar(CP_ACP, 0, psz, -1, nullptr, 0);
    if (length <= 0)
        return nullptr;
    BSTR bstr = ::SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
    if (bstr != nullptr)
        ::MultiByteToWideChar(CP_ACP, 0, psz, -1, bstr, length);
    return bstr;
}

// The arguments of one call, last parameter first as IDispatch::Invoke takes them. The strings
// made for the call are freed with it.
class Arguments {
public:
    ~Arguments()
    {
        for (VARIANT& argument : m_variants)
            ::VariantClear(&argument);
    }

    // Takes the parameters described by the type bytes from the list; false at an unknown byte.
    bool Take(const BYTE* pbParamInfo, va_list parameters)
    {
        size_t count = 0;
        while (pbParamInfo != nullptr && pbParamInfo[count] != 0)
            ++count;
        m_variants.resize(count);
        for (VARIANT& argument : m_variants)
            ::VariantInit(&argument);
        for (size_t i = 0; i < count; ++i) {
            VARIANT& argument = m_variants[count - 1 - i];
            switch (pbParamInfo[i]) {
            case VT_I4:
                V_VT(&argument) = VT_I4;
                V_I4(&argument) = va_arg(parameters, long);
                break;
            case VT_I4 | VT_DRIVER_BYREF:
                V_VT(&argument) = VT_I4 | VT_BYREF;
                V_I4REF(&argument) = va_arg(parameters, long*);
                break;
            case VT_BSTRA:
                V_VT(&argument) = VT_BSTR;
                V_BSTR(&argument) = AnsiToBstr(va_arg(parameters, const char*));
                break;
            default:
                return false;
            }
        }
        return true;
    }

    DISPPARAMS Params()
    {
        DISPPARAMS params = {};
        params.rgvarg = m_variants.empty() ? nullptr : m_variants.data();
        params.cArgs = static_cast<UINT>(m_variants.size());
        return params;
    }

private:
    std::vector<VARIANT> m_variants;
};

}  // namespace

COleDispatchDriver::~COleDispatchDriver()
{
    ReleaseDispatch();
}

BOOL COleDispatchDriver::CreateDispatch(REFCLSID clsid)
{
    ReleaseDispatch();
    IUnknown* pUnknown = nullptr;
    const DWORD localContexts = CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER | CLSCTX_LOCAL_SERVER;
    if (FAILED(::CoCreateInstance(clsid, nullptr, localContexts, IID_IUnknown, reinterpret_cast<void**>(&pUnknown))))
        return FALSE;
    // A local server may need to be put in its running state before it answers.
    HRESULT hr = ::OleRun(pUnknown);
    if (SUCCEEDED(hr))
        hr = pUnknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&m_lpDispatch));
    pUnknown->Release();
    if (FAILED(hr)) {
        m_lpDispatch = nullptr;
        return FALSE;
    }
    return TRUE;
}

void COleDispatchDriver::ReleaseDispatch()
{
    if (m_lpDispatch == nullptr)
        return;
    LPDISPATCH pDispatch = m_lpDispatch;
    m_lpDispatch = nullptr;
    pDispatch->Release();
}

HRESULT COleDispatchDriver::InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet,
                                         const BYTE* pbParamInfo, ...)
{
    if (m_lpDispatch == nullptr)
        return E_POINTER;
    if (vtRet != VT_EMPTY && (vtRet != VT_I4 || pvRet == nullptr))
        return DISP_E_BADVARTYPE;

    Arguments arguments;
    va_list parameters;
    va_start(parameters, pbParamInfo);
    const bool known = arguments.Take(pbParamInfo, parameters);
    va_end(parameters);
    if (!known)
        return DISP_E_BADVARTYPE;

    DISPPARAMS params = arguments.Params();
    VARIANT result;
    ::VariantInit(&result);
    EXCEPINFO exception = {};
    UINT badArgument = 0;
    HRESULT hr = m_lpDispatch->Invoke(dwDispID, IID_NULL, LOCALE_USER_DEFAULT, wFlags, &params,
                                      vtRet == VT_EMPTY ? nullptr : &result, &exception, &badArgument);
    // The object's exception texts are ours to free.
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
    if (SUCCEEDED(hr) && vtRet == VT_I4) {
        hr = ::VariantChangeType(&result, &result, 0, VT_I4);
        if (SUCCEEDED(hr))
            *static_cast<long*>(pvRet) = V_I4(&result);
    }
    ::VariantClear(&result);
    return hr;
}
