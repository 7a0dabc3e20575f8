// COleDispatchDriver: holds one automation object through its IDispatch pointer, creates it from
// its class and calls its methods with parameters described by type bytes.
#pragma once

#include "framework/win32.h"

#include <oaidl.h>

// The type bytes of InvokeHelper's parameter list, concatenated into one string:
//   VTS_I4    a long
//   VTS_PI4   a long*, passed by reference, so the object can write the long
//   VTS_BSTR  an ANSI string (const char*), which the driver passes to the object as a BSTR
#define VTS_I4 "\x03"
#define VTS_PI4 "\x43"
#define VTS_BSTR "\x0E"

const BYTE VT_DRIVER_BYREF = 0x40;  // the by-reference flag of a type byte
const BYTE VT_BSTRA = 0x0E;         // an ANSI string as a type byte

class COleDispatchDriver {
public:
    COleDispatchDriver() = default;
    // Releases the object still held.
    ~COleDispatchDriver();
    COleDispatchDriver(const COleDispatchDriver&) = delete;
    COleDispatchDriver& operator=(const COleDispatchDriver&) = delete;

    // Creates an object of the class in any local context and holds its IDispatch; FALSE, and
    // nothing held, when it cannot be created or has no IDispatch. An object held before is released
    // first. No error object is filled in: the caller learns only whether it worked.
    BOOL CreateDispatch(REFCLSID clsid);
    // Releases the object, if one is held; the driver is empty afterwards.
    void ReleaseDispatch();

    // Calls member dwDispID of the object (wFlags as for IDispatch::Invoke) with the parameters
    // that follow pbParamInfo, described by its type bytes (VTS_ above, null-terminated). vtRet is
    // VT_EMPTY (no result) or VT_I4 (the result, converted when the object gives another type, is
    // stored in *pvRet, a long). Returns the invocation's HRESULT: a failure of the call itself, an
    // unknown type byte or no object held are failures, and *pvRet is then left as it was. The
    // framework raises no exceptions; the caller decides what a failure means.
    HRESULT InvokeHelper(DISPID dwDispID, WORD wFlags, VARTYPE vtRet, void* pvRet, const BYTE* pbParamInfo, ...);

    LPDISPATCH m_lpDispatch = nullptr;
};
