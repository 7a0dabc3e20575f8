// CUiComponents: the client of the suite's optional UI component library, which may supply the
// prompt's button colour.
#pragma once

#include "framework/com_ptr.h"
#include "framework/ole_dispatch_driver.h"
#include "framework/win32.h"
#include "uicomponents/ui_component_ids.h"

#include <initializer_list>

class CUiComponents {
public:
    CUiComponents() = default;
    // Releases what is still held (after Release nothing is): the dispatch objects in the order
    // 1, 2, 4, 3, 5, 6, 7, which the library sees, then the custom objects 1, 2, 3.
    virtual ~CUiComponents();
    CUiComponents(const CUiComponents&) = delete;
    CUiComponents& operator=(const CUiComponents&) = delete;

    // Creates the library's objects and initialises the library; TRUE when the client is in use.
    // Nothing is created once the client is disabled, or again once it is in use. On a failure the
    // objects made so far stay held until Release.
    BOOL Create();
    // Replaces *pColour with the library's colour for a system colour index, or with the system's
    // own colour when the library gives none: 0. -1 when the client is not in use, and *pColour is
    // untouched.
    int GetColour(int nIndex, COLORREF* pColour);
    // Keeps Create from creating anything; FALSE (and nothing changes) once the client is in use.
    BOOL Disable();
    // Releases whatever Create created, and empties every slot, so that a second call releases
    // nothing; always TRUE. The client is not created again afterwards.
    BOOL Release();

private:
    // Releases the dispatch objects in the order given, then the custom objects 1, 2, 3.
    void ReleaseInOrder(std::initializer_list<COleDispatchDriver*> drivers);
    // The initialising call: the library's answer, non-zero also when the call itself failed.
    long Initialise();

    COleDispatchDriver m_initialiser;  // dispatch object 1
    COleDispatchDriver m_dispatch2;
    COleDispatchDriver m_colours;      // dispatch object 3
    COleDispatchDriver m_dispatch4;
    COleDispatchDriver m_dispatch5;
    COleDispatchDriver m_dispatch6;
    COleDispatchDriver m_dispatch7;
    CComPtr<IUiCustom1> m_custom1;
    CComPtr<IUiCustom2> m_custom2;
    CComPtr<IUiCustom3> m_custom3;
    BOOL m_bDisabled = FALSE;
    BOOL m_bInitialised = FALSE;
};
