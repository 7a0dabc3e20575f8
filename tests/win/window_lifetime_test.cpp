// A window object lives exactly as long as its window, is deleted once, and never returns from a
// handler into freed memory; the main window's end ends the message loop.
#include "framework/afx_helpers.h"
#include "framework/dialog.h"
#include "framework/frame_wnd.h"
#include "framework_test_ids.h"
#include "message_pump.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const UINT WM_TEST_DESTROY_SELF = WM_APP + 1;
const UINT_PTR IDT_TEST_DESTROY = 5;

std::vector<std::string> g_deleted;   // names of the deleted objects, in deletion order
bool g_deletedWithinHandler = false;  // an object went while its own handler still ran

class Recorded : public CFrameWnd {
public:
    explicit Recorded(const char* name, HWND hWndOwner = NULL, DWORD style = WS_OVERLAPPEDWINDOW)
        : m_name(name)
    {
        CreateEx(0, AfxRegisterWndClass(0), name, style, 0, 0, 50, 50, hWndOwner, NULL);
    }
    ~Recorded() override { g_deleted.push_back(m_name); }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (message == WM_TEST_DESTROY_SELF) {
            const size_t deletedBefore = g_deleted.size();
            DestroyWindow();
            g_deletedWithinHandler |= g_deleted.size() != deletedBefore;
            *pResult = 7;
            return TRUE;
        }
        return CFrameWnd::OnWndMsg(message, wParam, lParam, pResult);
    }

private:
    std::string m_name;
};

// A dialog that lives on the heap, deletes itself with its window, and destroys itself on Enter.
class RecordedDialog : public CDialog {
public:
    explicit RecordedDialog(CWnd* pOwner)
        : CDialog(IDD_TEST_DIALOG)
    {
        Create(IDD_TEST_DIALOG, pOwner);
    }
    ~RecordedDialog() override { g_deleted.push_back("dialog"); }

protected:
    void OnOK() override
    {
        const size_t deletedBefore = g_deleted.size();
        DestroyWindow();
        g_deletedWithinHandler |= g_deleted.size() != deletedBefore;
    }
    void PostNcDestroy() override { delete this; }
};

void CALLBACK DestroyOnTimer(HWND hWnd, UINT, UINT_PTR, DWORD)
{
    ::KillTimer(hWnd, IDT_TEST_DESTROY);
    const size_t deletedBefore = g_deleted.size();
    CWnd::FromHandle(hWnd)->DestroyWindow();
    g_deletedWithinHandler |= g_deleted.size() != deletedBefore;
}

class WindowLifetime : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_deleted.clear();
        g_deletedWithinHandler = false;
        theTestApp.m_pMainWnd = nullptr;
        theTestApp.exitInstanceCalls = 0;
    }
};

}  // namespace

TEST_F(WindowLifetime, ObjectIsDeletedOnceAfterItsWindowIsDestroyedAndAnOwnedPopupWithItsOwnerAndBeforeIt)
{
    Recorded* pWnd = new Recorded("solo");
    HWND hWnd = pWnd->m_hWnd;
    ASSERT_NE(hWnd, (HWND)NULL);
    EXPECT_EQ(CWnd::FromHandle(hWnd), pWnd);

    EXPECT_TRUE(pWnd->DestroyWindow());
    PumpPendingMessages();

    EXPECT_EQ(g_deleted, std::vector<std::string>{ "solo" });
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);

    Recorded* pOwner = new Recorded("owner");
    HWND hPopup = (new Recorded("popup", pOwner->m_hWnd, WS_POPUP))->m_hWnd;
    ASSERT_EQ(::GetWindow(hPopup, GW_OWNER), pOwner->m_hWnd);

    pOwner->DestroyWindow();

    EXPECT_EQ(g_deleted, (std::vector<std::string>{ "solo", "popup", "owner" }));
    EXPECT_FALSE(::IsWindow(hPopup));
}

// A message handler, a timer callback and a dialog's Enter each destroy their own window.
TEST_F(WindowLifetime, HandlerThatDestroysItsOwnWindowReturnsBeforeTheObjectGoes)
{
    HWND hWnd = (new Recorded("self-destroying"))->m_hWnd;
    EXPECT_EQ(::SendMessageA(hWnd, WM_TEST_DESTROY_SELF, 0, 0), 7);

    Recorded* pTimed = new Recorded("timed");
    ::SetTimer(pTimed->m_hWnd, IDT_TEST_DESTROY, 1, DestroyOnTimer);
    ASSERT_TRUE(PumpUntil([] { return g_deleted.size() == 2; }, 10000));

    HWND hDialog = (new RecordedDialog(nullptr))->m_hWnd;
    ASSERT_NE(hDialog, (HWND)NULL);
    ::PostMessageA(hDialog, WM_KEYDOWN, VK_RETURN, 1);
    PumpPendingMessages();

    EXPECT_FALSE(g_deletedWithinHandler);
    EXPECT_EQ(g_deleted, (std::vector<std::string>{ "self-destroying", "timed", "dialog" }));
    EXPECT_FALSE(::IsWindow(hDialog));
}

// An owned heap dialog goes with the main window when a handler destroys it.
TEST_F(WindowLifetime, DestroyingTheMainWindowEndsTheMessageLoopAndOtherWindowsDoNot)
{
    Recorded* pMain = new Recorded("main");
    theTestApp.m_pMainWnd = pMain;
    new RecordedDialog(pMain);
    (new Recorded("other"))->PostMessage(WM_TEST_DESTROY_SELF);
    pMain->PostMessage(WM_TEST_DESTROY_SELF);

    EXPECT_EQ(theTestApp.Run(), 0);

    EXPECT_FALSE(g_deletedWithinHandler);
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr);
    EXPECT_EQ(theTestApp.exitInstanceCalls, 1);
    EXPECT_EQ(g_deleted, (std::vector<std::string>{ "other", "dialog", "main" }));
}

TEST_F(WindowLifetime, ObjectGoingBeforeItsWindowDestroysTheWindowQuietly)
{
    HWND hWnd;
    {
        CWnd plain;
        plain.CreateEx(0, AfxRegisterWndClass(0), "plain", WS_POPUP, 0, 0, 10, 10, NULL, NULL);
        hWnd = plain.m_hWnd;
        ASSERT_TRUE(::IsWindow(hWnd));
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandle(hWnd), nullptr);
}
