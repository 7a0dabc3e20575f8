// A message that a class's map does not handle goes to the map it chains to, and at the end of the
// chain to the default processing of the window's own class.
#include "framework/afx_helpers.h"
#include "framework/button.h"
#include "framework/dialog.h"
#include "framework/frame_wnd.h"
#include "framework_test_ids.h"

#include <gtest/gtest.h>

namespace {

const UINT WM_TEST_ASK = WM_APP + 2;
const LRESULT FromBase = 11;
const LRESULT FromDerived = 22;

class Base : public CFrameWnd {
public:
    Base() { CreateEx(0, AfxRegisterWndClass(0), "chain", WS_POPUP, 0, 0, 10, 10, NULL, NULL); }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_TEST_ASK) {
            *pResult = FromBase;
            return TRUE;
        }
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// Handles nothing itself and chains to its base.
class ChainsToBase : public Base {};

// Handles nothing itself and chains past its base to the plain window map.
class SkipsBase : public Base {
protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        return CWnd::OnWndMsg(message, wParam, lParam, pResult);
    }
};

// Handles the message, but lets the window's default processing answer it first.
class AsksDefaultFirst : public Base {
public:
    LRESULT fromDefault = -1;

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_SETTEXT) {
            fromDefault = Default();
            *pResult = FromDerived;
            return TRUE;
        }
        return Base::OnWndMsg(message, wParam, lParam, pResult);
    }
};

}  // namespace

TEST(MessageMap, UnhandledMessageReachesTheMapTheClassChainsToAndAtTheChainsEndTheDefaultProcessing)
{
    Base* pChains = new ChainsToBase;
    EXPECT_EQ(pChains->SendMessage(WM_TEST_ASK), FromBase);
    pChains->DestroyWindow();
    Base* pSkips = new SkipsBase;
    EXPECT_EQ(pSkips->SendMessage(WM_TEST_ASK), 0) << "a class that chains past its base";
    pSkips->DestroyWindow();

    // Default runs the window's own processing of the current message.
    AsksDefaultFirst* pWnd = new AsksDefaultFirst;
    EXPECT_EQ(pWnd->SendMessage(WM_SETTEXT, 0, reinterpret_cast<LPARAM>("renamed")), FromDerived);

    EXPECT_EQ(pWnd->fromDefault, TRUE);
    char title[32] = {};
    ::GetWindowTextA(pWnd->m_hWnd, title, sizeof title);
    EXPECT_STREQ(title, "renamed");
    pWnd->DestroyWindow();
}

// The subclassed button to the standard button, and the dialog to the dialog manager.
TEST(MessageMap, SubclassedButtonAndDialogPassUnhandledMessagesToTheirStandardProcessing)
{
    CFrameWnd* pParent = new Base;
    CButton button;
    const RECT rect = { 0, 0, 20, 20 };
    ASSERT_TRUE(button.Create("check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, rect, pParent, 42));
    EXPECT_EQ(CWnd::FromHandle(button.m_hWnd), &button);
    button.SendMessage(BM_SETCHECK, BST_CHECKED);
    EXPECT_EQ(button.SendMessage(BM_GETCHECK), BST_CHECKED);
    pParent->DestroyWindow();

    CDialog dialog(IDD_TEST_DIALOG);
    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
    dialog.SendMessage(DM_SETDEFID, 1234);
    EXPECT_EQ(LOWORD(dialog.SendMessage(DM_GETDEFID)), 1234);
}
