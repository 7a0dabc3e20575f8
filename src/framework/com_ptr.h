// CComPtr: the owner of one COM interface pointer, released by its destructor or by Release.
#pragma once

#include "framework/win32.h"

#include <objbase.h>

template <class Interface>
class CComPtr {
public:
    CComPtr() = default;
    ~CComPtr() { Release(); }
    CComPtr(const CComPtr&) = delete;
    CComPtr& operator=(const CComPtr&) = delete;

    // Creates an in-process object of clsid and holds its interface iid: TRUE when one is held,
    // also when it was held already (nothing is created then).
    BOOL CreateInstance(REFCLSID clsid, REFIID iid)
    {
        if (m_p != nullptr)
            return TRUE;
        void* pObject = nullptr;
        if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_INPROC_HANDLER, iid, &pObject)))
            return FALSE;
        m_p = static_cast<Interface*>(pObject);
        return m_p != nullptr;
    }
    // Releases the interface, if one is held; empty afterwards, before the object hears of it.
    void Release()
    {
        if (m_p == nullptr)
            return;
        Interface* p = m_p;
        m_p = nullptr;
        p->Release();
    }

    Interface* m_p = nullptr;
};
