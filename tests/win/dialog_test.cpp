// Modeless dialogs: made from a template, initialised inside Create, and given Enter and Escape
// through the dialog manager of the message loop.
#include "framework/dialog.h"
#include "framework_test_ids.h"
#include "message_pump.h"

#include <gtest/gtest.h>

namespace {

class SwallowingDialog : public CDialog {
public:
    SwallowingDialog() : CDialog(IDD_TEST_DIALOG) {}

    int okCalls = 0;
    int cancelCalls = 0;
    bool textExistedAtInit = false;
    bool boundAtInit = false;

    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        textExistedAtInit = GetDlgItem(IDC_TEST_TEXT).m_hWnd != NULL;
        boundAtInit = CWnd::FromHandle(m_hWnd) == this;
        return TRUE;
    }

protected:
    void OnOK() override { ++okCalls; }
    void OnCancel() override { ++cancelCalls; }
};

}  // namespace

TEST(Dialog, OnInitDialogRunsInsideCreateWithTheControlsInPlaceAndEnterAndEscapeReachOnOkAndOnCancel)
{
    SwallowingDialog dialog;

    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));

    EXPECT_TRUE(dialog.textExistedAtInit);
    EXPECT_TRUE(dialog.boundAtInit);
    EXPECT_FALSE(::IsWindowVisible(dialog.m_hWnd));

    dialog.ShowWindow(SW_SHOW);
    PressKey(dialog.m_hWnd, VK_RETURN);
    PressKey(dialog.m_hWnd, VK_ESCAPE);

    EXPECT_EQ(dialog.okCalls, 1);
    EXPECT_EQ(dialog.cancelCalls, 1);
    EXPECT_TRUE(::IsWindowVisible(dialog.m_hWnd)) << "neither closes anything";
}

TEST(Dialog, EscapeHidesADialogThatKeepsTheDefaultOnCancel)
{
    CDialog dialog(IDD_TEST_DIALOG);
    ASSERT_TRUE(dialog.Create(IDD_TEST_DIALOG));
    dialog.ShowWindow(SW_SHOW);

    PressKey(dialog.m_hWnd, VK_ESCAPE);

    EXPECT_FALSE(::IsWindowVisible(dialog.m_hWnd));
    EXPECT_TRUE(::IsWindow(dialog.m_hWnd));
}
