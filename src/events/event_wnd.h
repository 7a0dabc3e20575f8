// CEventWnd: the program's hidden main window, to which the camera button's events are delivered.
#pragma once

#include "framework/frame_wnd.h"

class CEventWnd : public CFrameWnd {
public:
    // Creates the window: a tool window titled "Lumora Ready", never shown.
    CEventWnd();
};
