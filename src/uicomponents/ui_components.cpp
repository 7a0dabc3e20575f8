// The UI component client. The library's binding is not part of the program yet: the client is
// never in use, and the prompt's button keeps the system's button-face colour.
#include "uicomponents/ui_components.h"

BOOL CUiComponents::Create()
{
    if (m_bDisabled)
        return FALSE;
    return m_bInitialised;
}

int CUiComponents::GetColour(int, COLORREF*)
{
    return m_bInitialised ? 0 : -1;
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
    return TRUE;
}
