// CButton: a standard button whose object sees the button's messages before the button does.
#pragma once

#include "framework/wnd.h"

class CButton : public CWnd {
public:
    BOOL Create(const char* lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);
};
