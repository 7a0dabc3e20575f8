// The hidden main window.
#include "events/event_wnd.h"

#include "framework/afx_helpers.h"

CEventWnd::CEventWnd()
{
    // A tool window has no taskbar button, so even a shown one would stay out of the user's way.
    CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "Lumora Ready", 0, 0, 0, 0, 0, NULL, NULL);
}
