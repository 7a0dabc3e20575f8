// Stand-in for the suite's UI component library ("VexaCuil.dll"): an in-process COM server of
// seven dispatch classes and three custom classes (vexacuil_classes.h), registered by regsvr32.
//   the initialising class, member 1 (instance as VT_I4, thread as VT_I4, name as VT_BSTR): 0
//   the colour class, member 1 (system colour index as VT_I4, colour as VT_I4 by reference):
//       writes the suite's colour and answers 0
//
// For tests and the demo, from the environment of the process that loads it:
//   CUIL_STANDIN_RECORD        a file where every creation, destruction and call adds a line
//   CUIL_STANDIN_COLOUR        the colour to give, a COLORREF (0x00BBGGRR)
//   CUIL_STANDIN_COLOUR_RESULT the colour call's answer; a non-zero answer writes no colour
//   CUIL_STANDIN_INIT_RESULT   the initialising call's answer
//   CUIL_STANDIN_REFUSE        the name of one class (D1..D7, C1..C3) whose objects cannot be made
//   CUIL_STANDIN_INVOKE_RESULT an HRESULT with which every dispatch call is rejected
// StandInLiveObjects() is the number of the library's objects alive in the process.
#include "standin_library.h"
#include "vexacuil_classes.h"

#include <oleauto.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

const char* const RecordVariable = "CUIL_STANDIN_RECORD";
const COLORREF SuiteColour = RGB(122, 184, 224);

LONG g_liveObjects = 0;
LONG g_serverLocks = 0;

long AskedOr(const char* variable, long fallback)
{
    long value = fallback;
    AskedResult(variable, &value);
    return value;
}

// The reference count and the live-object count that every object of the library keeps.
template <class Interface>
class LibraryObject : public Interface {
public:
    explicit LibraryObject(const ClassEntry& entry) : m_entry(entry)
    {
        ::InterlockedIncrement(&g_liveObjects);
        RecordCall(RecordVariable, "create %s thread %lu", m_entry.name, ::GetCurrentThreadId());
    }
    virtual ~LibraryObject()
    {
        RecordCall(RecordVariable, "destroy %s thread %lu", m_entry.name, ::GetCurrentThreadId());
        ::InterlockedDecrement(&g_liveObjects);
    }
    LibraryObject(const LibraryObject&) = delete;
    LibraryObject& operator=(const LibraryObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == m_entry.iid) {
            *ppv = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&m_references)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = ::InterlockedDecrement(&m_references);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

protected:
    const ClassEntry& m_entry;

private:
    LONG m_references = 1;
};

// The custom interface of each custom class: one member that tells which part of the library the
// object is. Nobody in the suite's tests calls it; it makes the interface more than IUnknown.
struct ICustomPart : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Part(LONG* pPart) = 0;
};

class CustomObject : public LibraryObject<ICustomPart> {
public:
    using LibraryObject::LibraryObject;
    HRESULT STDMETHODCALLTYPE Part(LONG* pPart) override
    {
        if (pPart == nullptr)
            return E_POINTER;
        *pPart = static_cast<LONG>(&m_entry - LibraryClasses);
        return S_OK;
    }
};

std::string BstrText(BSTR bstr)
{
    const int length = static_cast<int>(::SysStringLen(bstr));
    if (length == 0)
        return std::string();
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, bstr, length, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, bstr, length, &text[0], size, nullptr, nullptr);
    return text;
}

class DispatchObject : public LibraryObject<IDispatch> {
public:
    using LibraryObject::LibraryObject;

    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pctinfo) override
    {
        if (pctinfo == nullptr)
            return E_POINTER;
        *pctinfo = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** ppTInfo) override
    {
        if (ppTInfo != nullptr)
            *ppTInfo = nullptr;
        return DISP_E_BADINDEX;
    }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override
    {
        return DISP_E_UNKNOWNNAME;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* pParams, VARIANT* pResult,
                                     EXCEPINFO* pException, UINT* pArgumentError) override
    {
        char asked[MAX_PATH];
        if (Environment("CUIL_STANDIN_INVOKE_RESULT", asked)) {
            // An HRESULT does not fit a long when written as the usual hexadecimal number.
            const HRESULT rejection = static_cast<HRESULT>(strtoul(asked, nullptr, 0));
            RecordCall(RecordVariable, "reject %s thread %lu", m_entry.name, ::GetCurrentThreadId());
            if (rejection == DISP_E_EXCEPTION && pException != nullptr) {
                *pException = EXCEPINFO();
                pException->scode = E_FAIL;
                pException->bstrSource = ::SysAllocString(L"VexaCuil stand-in");
                pException->bstrDescription = ::SysAllocString(L"rejected as the test asked");
            }
            return rejection;
        }
        if (member != 1 || (flags & DISPATCH_METHOD) == 0 || m_entry.kind == ClassKind::Dispatch) {
            RecordCall(RecordVariable, "unknown member %ld of %s", member, m_entry.name);
            return DISP_E_MEMBERNOTFOUND;
        }
        if (pParams == nullptr)
            return E_INVALIDARG;
        if (pParams->cNamedArgs != 0)
            return DISP_E_NONAMEDARGS;
        const VARTYPE expected[2][3] = {{VT_BSTR, VT_I4, VT_I4}, {VT_I4 | VT_BYREF, VT_I4, VT_EMPTY}};
        const bool initialising = m_entry.kind == ClassKind::Initialiser;
        const UINT count = initialising ? 3 : 2;
        if (pParams->cArgs != count)
            return DISP_E_BADPARAMCOUNT;
        for (UINT i = 0; i < count; ++i) {
            if (V_VT(&pParams->rgvarg[i]) != expected[initialising ? 0 : 1][i]) {
                if (pArgumentError != nullptr)
                    *pArgumentError = i;
                RecordCall(RecordVariable, "type mismatch in argument %u of %s", count - i, m_entry.name);
                return DISP_E_TYPEMISMATCH;
            }
        }
        const long answer = initialising ? Initialise(pParams->rgvarg) : GiveColour(pParams->rgvarg);
        if (pResult != nullptr) {
            ::VariantInit(pResult);
            V_VT(pResult) = VT_I4;
            V_I4(pResult) = answer;
        }
        return S_OK;
    }

private:
    // Arguments last first: name, thread, instance.
    static long Initialise(const VARIANT* arguments)
    {
        const long answer = AskedOr("CUIL_STANDIN_INIT_RESULT", 0);
        RecordCall(RecordVariable, "initialise instance 0x%lx main-thread %ld name \"%s\" thread %lu -> %ld",
                   static_cast<unsigned long>(V_I4(&arguments[2])), V_I4(&arguments[1]),
                   BstrText(V_BSTR(&arguments[0])).c_str(), ::GetCurrentThreadId(), answer);
        return answer;
    }
    // Arguments last first: the colour by reference, the index.
    static long GiveColour(const VARIANT* arguments)
    {
        const long answer = AskedOr("CUIL_STANDIN_COLOUR_RESULT", 0);
        LONG* pColour = V_I4REF(&arguments[0]);
        if (answer == 0 && pColour != nullptr)
            *pColour = AskedOr("CUIL_STANDIN_COLOUR", static_cast<long>(SuiteColour));
        RecordCall(RecordVariable, "colour index %ld thread %lu -> %ld", V_I4(&arguments[1]), ::GetCurrentThreadId(),
                   answer);
        return answer;
    }
};

bool Refused(const ClassEntry& entry)
{
    char refused[MAX_PATH];
    return Environment("CUIL_STANDIN_REFUSE", refused) && strcmp(refused, entry.name) == 0;
}

class ClassFactory : public IClassFactory {
public:
    explicit ClassFactory(const ClassEntry& entry) : m_entry(entry) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == IID_IClassFactory) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factories live as long as the library: they count nothing.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override
    {
        if (ppv == nullptr)
            return E_POINTER;
        *ppv = nullptr;
        if (pOuter != nullptr)
            return CLASS_E_NOAGGREGATION;
        if (Refused(m_entry)) {
            RecordCall(RecordVariable, "refuse %s", m_entry.name);
            return E_OUTOFMEMORY;
        }
        IUnknown* pObject = m_entry.kind == ClassKind::Custom ? static_cast<IUnknown*>(new CustomObject(m_entry))
                                                              : static_cast<IUnknown*>(new DispatchObject(m_entry));
        const HRESULT hr = pObject->QueryInterface(riid, ppv);
        pObject->Release();
        return hr;
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override
    {
        if (lock)
            ::InterlockedIncrement(&g_serverLocks);
        else
            ::InterlockedDecrement(&g_serverLocks);
        return S_OK;
    }

private:
    const ClassEntry& m_entry;
};

ClassFactory g_factories[] = {
    ClassFactory(LibraryClasses[0]), ClassFactory(LibraryClasses[1]), ClassFactory(LibraryClasses[2]),
    ClassFactory(LibraryClasses[3]), ClassFactory(LibraryClasses[4]), ClassFactory(LibraryClasses[5]),
    ClassFactory(LibraryClasses[6]), ClassFactory(LibraryClasses[7]), ClassFactory(LibraryClasses[8]),
    ClassFactory(LibraryClasses[9]),
};
static_assert(sizeof g_factories / sizeof g_factories[0] == LibraryClassCount, "one factory per class");

}  // namespace

extern "C" HRESULT WINAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv)
{
    if (ppv == nullptr)
        return E_POINTER;
    *ppv = nullptr;
    for (int i = 0; i < LibraryClassCount; ++i) {
        if (rclsid == LibraryClasses[i].clsid)
            return g_factories[i].QueryInterface(riid, ppv);
    }
    return CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" HRESULT WINAPI DllCanUnloadNow()
{
    return g_liveObjects == 0 && g_serverLocks == 0 ? S_OK : S_FALSE;
}

extern "C" LONG WINAPI StandInLiveObjects()
{
    return g_liveObjects;
}
