// CUiComponents: the client of the suite's optional UI component library, which may supply the
// prompt's button colour.
#pragma once

#include "framework/win32.h"

class CUiComponents {
public:
    CUiComponents() = default;
    virtual ~CUiComponents() = default;
    CUiComponents(const CUiComponents&) = delete;
    CUiComponents& operator=(const CUiComponents&) = delete;

    // Creates the library's objects and initialises the library; TRUE when the client is in use.
    // Nothing is created once the client is disabled, or again once it is in use.
    BOOL Create();
    // Replaces *pColour with the library's colour for a system colour index: 0 when the client
    // answered (the colour may then be the system's own), -1 when it is not in use and *pColour is
    // untouched.
    int GetColour(int nIndex, COLORREF* pColour);
    // Keeps Create from creating anything; FALSE (and nothing changes) once the client is in use.
    BOOL Disable();
    // Releases whatever Create created; always TRUE.
    BOOL Release();

private:
    BOOL m_bDisabled = FALSE;
    BOOL m_bInitialised = FALSE;
};

// The application's UI component client. Defined with the application object, so that the prompt
// reaches the client without knowing the application's class.
CUiComponents& AppUiComponents();
