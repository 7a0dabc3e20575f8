// CFrameWnd: a window object that lives on the heap and deletes itself when its window is gone.
#pragma once

#include "framework/wnd.h"

class CFrameWnd : public CWnd {
protected:
    void PostNcDestroy() override { delete this; }
};
