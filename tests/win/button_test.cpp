// A subclassed button sees its own mouse messages and, passing them on, still clicks.
#include "framework/afx_helpers.h"
#include "framework/button.h"
#include "framework/frame_wnd.h"

#include <gtest/gtest.h>

namespace {

const UINT ButtonId = 77;

class Parent : public CFrameWnd {
public:
    Parent() { CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, NULL, NULL); }

    int clicks = 0;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_COMMAND && LOWORD(wParam) == ButtonId && HIWORD(wParam) == BN_CLICKED) {
            ++clicks;
            return TRUE;
        }
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

class WatchingButton : public CButton {
public:
    int pressesSeen = 0;
    bool pushedAfterDefault = false;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_LBUTTONDOWN) {
            ++pressesSeen;
            *pResult = Default();
            pushedAfterDefault = (SendMessage(BM_GETSTATE) & BST_PUSHED) != 0;
            return TRUE;
        }
        return CButton::OnWndMsg(message, wParam, lParam, pResult);
    }
};

}  // namespace

TEST(Button, SubclassedButtonSeesLeftButtonDownAndStillClicks)
{
    Parent* pParent = new Parent;
    WatchingButton button;
    const RECT rect = { 10, 10, 42, 42 };
    ASSERT_TRUE(button.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, rect, pParent, ButtonId));

    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(5, 5));

    EXPECT_EQ(button.pressesSeen, 1);
    EXPECT_TRUE(button.pushedAfterDefault);
    EXPECT_EQ(pParent->clicks, 1);
    pParent->DestroyWindow();
}
