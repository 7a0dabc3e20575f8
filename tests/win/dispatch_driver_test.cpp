// The dispatch driver against an automation object of the test's own: the arguments an object
// receives for each type byte, the result it hands back, failures of the call, and the one
// reference the driver holds from creation to release.
#include "framework/cstring.h"
#include "framework/ole_dispatch_driver.h"

#include <gtest/gtest.h>

#include <ole2.h>

#include <string>
#include <vector>

namespace {

// Remembers what each call brought, each argument as its type and value; answers with m_result and
// m_hrAnswer, and writes 77 through an argument passed by reference.
class RecordingObject : public IDispatch {
public:
    RecordingObject() { ::VariantInit(&m_result); }
    ~RecordingObject() { ::VariantClear(&m_result); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        const bool known = riid == IID_IUnknown || (riid == IID_IDispatch && m_bDispatch);
        *ppv = known ? static_cast<IDispatch*>(this) : nullptr;
        if (known)
            AddRef();
        return known ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(++m_references); }
    ULONG STDMETHODCALLTYPE Release() override { return static_cast<ULONG>(--m_references); }
    // The driver calls members by number only: no type information, no names.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID member, REFIID, LCID, WORD flags, DISPPARAMS* pParams, VARIANT* pResult,
                                     EXCEPINFO* pException, UINT*) override
    {
        ++m_calls;
        m_member = member;
        m_flags = flags;
        m_arguments.clear();
        for (UINT i = pParams->cArgs; i-- > 0;) {
            VARIANT& argument = pParams->rgvarg[i];
            switch (V_VT(&argument)) {
            case VT_I4: m_arguments.push_back(L"long " + std::to_wstring(V_I4(&argument))); break;
            case VT_I4 | VT_BYREF: m_arguments.push_back(L"long*"); *V_I4REF(&argument) = 77; break;
            case VT_BSTR:
                m_arguments.push_back(L"BSTR " + std::wstring(V_BSTR(&argument), ::SysStringLen(V_BSTR(&argument))));
                break;
            default: m_arguments.push_back(L"type " + std::to_wstring(V_VT(&argument)));
            }
        }
        m_bResultWanted = pResult != nullptr;
        if (m_hrAnswer == DISP_E_EXCEPTION) {
            pException->bstrSource = ::SysAllocString(L"test object");
            pException->bstrDescription = ::SysAllocString(L"refused");
        }
        if (SUCCEEDED(m_hrAnswer) && pResult != nullptr)
            ::VariantCopy(pResult, &m_result);
        return m_hrAnswer;
    }

    bool m_bDispatch = true;
    LONG m_references = 1;  // the test's own
    int m_calls = 0;
    DISPID m_member = 0;
    WORD m_flags = 0;
    std::vector<std::wstring> m_arguments;
    bool m_bResultWanted = false;
    HRESULT m_hrAnswer = S_OK;
    VARIANT m_result;
};

// Hands out the one object it was given, for CreateDispatch to find by a class identifier that
// exists in this process only.
class OneObjectFactory : public IClassFactory {
public:
    explicit OneObjectFactory(RecordingObject* pObject) : m_pObject(pObject) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppv) override
    {
        *ppv = riid == IID_IUnknown || riid == IID_IClassFactory ? static_cast<IClassFactory*>(this) : nullptr;
        return *ppv != nullptr ? S_OK : E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown*, REFIID riid, void** ppv) override
    {
        return m_pObject->QueryInterface(riid, ppv);
    }
    HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
    RecordingObject* m_pObject;
};

const CLSID CLSID_TestObject = {0x5B0E2C11, 0x7A3D, 0x4C52, {0x9E, 0x1F, 0x30, 0x6B, 0x4D, 0x22, 0x8A, 0x01}};

class DispatchDriver : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        m_driver.m_lpDispatch = &m_object;
        m_object.AddRef();
    }
    void TearDown() override
    {
        m_driver.ReleaseDispatch();
        ::OleUninitialize();
    }

    RecordingObject m_object;
    COleDispatchDriver m_driver;
};

}  // namespace

TEST_F(DispatchDriver, PassesEachTypeAsTheObjectExpectsItLastFirst)
{
    static const BYTE params[] = VTS_I4 VTS_PI4 VTS_BSTR;
    long written = 5;
    long result = -1;
    V_VT(&m_object.m_result) = VT_I4;
    V_I4(&m_object.m_result) = 3;

    ASSERT_EQ(m_driver.InvokeHelper(1, DISPATCH_METHOD, VT_I4, &result, params, 12L, &written, "Lumora \xE9"), S_OK);

    EXPECT_EQ(m_object.m_member, 1);
    EXPECT_EQ(m_object.m_flags, DISPATCH_METHOD);
    EXPECT_EQ(m_object.m_arguments, (std::vector<std::wstring>{L"long 12", L"long*", L"BSTR Lumora \u00E9"}))
        << "the ANSI text as a BSTR";
    EXPECT_EQ(written, 77) << "written through the reference";
    EXPECT_EQ(result, 3);
}

TEST_F(DispatchDriver, ConvertsTheResultOrLeavesItAloneOnFailureAndRefusesWhatItCannotPass)
{
    long result = -1;
    V_VT(&m_object.m_result) = VT_BSTR;
    V_BSTR(&m_object.m_result) = ::SysAllocString(L"42");
    EXPECT_EQ(m_driver.InvokeHelper(1, DISPATCH_METHOD, VT_I4, &result, nullptr), S_OK);
    EXPECT_EQ(result, 42) << "another type is converted";

    ::SysReAllocString(&V_BSTR(&m_object.m_result), L"not a number");
    result = -1;
    EXPECT_EQ(m_driver.InvokeHelper(1, DISPATCH_METHOD, VT_I4, &result, nullptr), DISP_E_TYPEMISMATCH);
    EXPECT_EQ(result, -1);

    m_object.m_hrAnswer = DISP_E_EXCEPTION;
    EXPECT_EQ(m_driver.InvokeHelper(1, DISPATCH_METHOD, VT_I4, &result, nullptr), DISP_E_EXCEPTION);
    EXPECT_EQ(result, -1);

    m_object.m_hrAnswer = S_OK;
    EXPECT_EQ(m_driver.InvokeHelper(2, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr), S_OK);
    EXPECT_FALSE(m_object.m_bResultWanted) << "no result asked for";

    // What it cannot pass it refuses without calling.
    m_object.m_calls = 0;
    static const BYTE unknown[] = VTS_I4 "\x09";  // an IDispatch pointer: not a type of this driver
    EXPECT_EQ(m_driver.InvokeHelper(1, DISPATCH_METHOD, VT_I4, &result, unknown, 1L, nullptr), DISP_E_BADVARTYPE);
    EXPECT_EQ(m_driver.InvokeHelper(1, DISPATCH_METHOD, VT_BSTR, &result, nullptr), DISP_E_BADVARTYPE);
    EXPECT_EQ(m_driver.InvokeHelper(1, DISPATCH_METHOD, VT_I4, nullptr, nullptr), DISP_E_BADVARTYPE);
    EXPECT_EQ(m_object.m_calls, 0);

    COleDispatchDriver empty;
    EXPECT_EQ(empty.InvokeHelper(1, DISPATCH_METHOD, VT_I4, &result, nullptr), E_POINTER);
    EXPECT_EQ(result, -1);
}

TEST_F(DispatchDriver, HoldsOneReferenceFromCreationToRelease)
{
    m_driver.ReleaseDispatch();
    ASSERT_EQ(m_object.m_references, 1);

    DWORD cookie = 0;
    OneObjectFactory factory(&m_object);
    ASSERT_EQ(::CoRegisterClassObject(CLSID_TestObject, &factory, CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie), S_OK);
    {
        COleDispatchDriver driver;
        ASSERT_TRUE(driver.CreateDispatch(CLSID_TestObject));
        EXPECT_EQ(driver.m_lpDispatch, static_cast<IDispatch*>(&m_object));
        EXPECT_EQ(m_object.m_references, 2);
        ASSERT_TRUE(driver.CreateDispatch(CLSID_TestObject)) << "again: the first is released";
        EXPECT_EQ(m_object.m_references, 2);
        driver.ReleaseDispatch();
        EXPECT_EQ(driver.m_lpDispatch, nullptr);
        EXPECT_EQ(m_object.m_references, 1);
        driver.ReleaseDispatch();
        EXPECT_EQ(m_object.m_references, 1) << "a second release releases nothing";
        ASSERT_TRUE(driver.CreateDispatch(CLSID_TestObject));
    }
    EXPECT_EQ(m_object.m_references, 1) << "the destructor released it";

    m_object.m_bDispatch = false;
    COleDispatchDriver driver;
    EXPECT_FALSE(driver.CreateDispatch(CLSID_TestObject)) << "an object without IDispatch";
    EXPECT_EQ(driver.m_lpDispatch, nullptr);
    EXPECT_EQ(m_object.m_references, 1);
    ::CoRevokeClassObject(cookie);

    const CLSID unknown = {0x5B0E2C11, 0x7A3D, 0x4C52, {0x9E, 0x1F, 0x30, 0x6B, 0x4D, 0x22, 0x8A, 0x02}};
    EXPECT_FALSE(driver.CreateDispatch(unknown)) << "a class that nobody registered";
    EXPECT_EQ(driver.m_lpDispatch, nullptr);
}

TEST(AnsiFromWide, ConvertsIntoTheProcessCodePage)
{
    EXPECT_EQ(AnsiFromWide(L"Lumora"), "Lumora");
    EXPECT_EQ(AnsiFromWide(L""), "");
    EXPECT_EQ(AnsiFromWide(nullptr), "");
}
