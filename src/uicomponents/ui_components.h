// CUiComponents: the client of the suite's optional UI component library, which may supply the
// prompt's button colour.
#pragma once

#include "framework/ole_dispatch_driver.h"
#include "framework/win32.h"
#include "uicomponents/ui_component_ids.h"

class CUiComponents {
public:
    CUiComponents() = default;
    // Each dispatch driver releases what it still holds; the custom objects are left alone (after
    // Release nothing is held).
    virtual ~CUiComponents() = default;
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
    // The initialising call: the library's answer, non-zero also when the call itself failed.
    long Initialise();

    // The order of these fields decides the order in which the destructor's dispatch drivers
    // release what they still hold: 1, 2, 4, 3, 5, 6, 7. The library sees that order; keep it.
    COleDispatchDriver m_dispatch7;
    COleDispatchDriver m_dispatch6;
    IUiCustom2* m_pCustom2 = nullptr;
    BOOL m_bDisabled = FALSE;
    IUiCustom1* m_pCustom1 = nullptr;
    COleDispatchDriver m_dispatch5;
    BOOL m_bInitialised = FALSE;
    COleDispatchDriver m_colours;      // dispatch object 3
    COleDispatchDriver m_dispatch4;
    COleDispatchDriver m_dispatch2;
    COleDispatchDriver m_initialiser;  // dispatch object 1
    IUiCustom3* m_pCustom3 = nullptr;
};

// The application's UI component client. Defined with the application object, so that the prompt
// reaches the client without knowing the application's class.
CUiComponents& AppUiComponents();
