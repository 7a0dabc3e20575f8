// Texts from the string table, in the language that the platform's resource lookup picks, and the
// message box that shows them.
#include "framework/afx_helpers.h"
#include "framework/cstring.h"
#include "framework_test_ids.h"
#include "test_app.h"

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace {

std::wstring ToWide(const char* ansi)
{
    wchar_t wide[1024] = {};
    ::MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 1024);
    return wide;
}

// What a message box of this thread showed, read by a second thread that then presses OK.
struct SeenBox {
    std::string caption;
    std::string text;
};

BOOL CALLBACK FindDialogWindow(HWND hWnd, LPARAM lParam)
{
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    if (std::string(className) != "#32770")
        return TRUE;
    *reinterpret_cast<HWND*>(lParam) = hWnd;
    return FALSE;
}

SeenBox CloseNextMessageBox(DWORD threadId)
{
    SeenBox seen;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        HWND hBox = NULL;
        ::EnumThreadWindows(threadId, FindDialogWindow, reinterpret_cast<LPARAM>(&hBox));
        // Read the box once it is shown: its text is in place only after its initialisation.
        if (hBox != NULL && ::IsWindowVisible(hBox)) {
            char text[256] = {};
            ::GetWindowTextA(hBox, text, sizeof text);
            seen.caption = text;
            ::GetDlgItemTextA(hBox, 0xFFFF, text, sizeof text);  // the text control of a message box
            seen.text = text;
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
            return seen;
        }
        ::Sleep(10);  // polled, at most 10 s in all
    }
    return seen;
}

}  // namespace

TEST(LoadString, EnglishTableWhenTheProcessRunsInEnglish)
{
    CString text;
    EXPECT_EQ(text.LoadString(IDS_TEST_GREETING), 9);
    EXPECT_EQ(text, "Hello %s!");
}

TEST(LoadString, LongTextComesWhole)
{
    CString text;
    text.LoadString(IDS_TEST_LONG);
    EXPECT_EQ(text.GetLength(), 575);
    EXPECT_EQ(std::string(text).substr(575 - 16), "the lazy dog 12.");
}

TEST(LoadString, MissingStringGivesAnEmptyText)
{
    CString text("before");
    EXPECT_EQ(text.LoadString(IDS_TEST_MISSING), 0);
    EXPECT_TRUE(text.IsEmpty());
}

TEST(LoadString, FormatWithAStringIdFillsItsOneArgument)
{
    CString text;
    text.Format(IDS_TEST_GREETING, "Lumora");
    EXPECT_EQ(text, "Hello Lumora!");
}

// Run by its own test entry, in a process that Wine starts with a Japanese locale.
TEST(JapaneseUi, JapaneseTableWhenTheProcessRunsInJapanese)
{
    ASSERT_EQ(::GetACP(), 932u) << "this test runs with a Japanese locale (LUMORA_WINE_LOCALE=ja_JP.UTF-8)";

    CString greeting;
    greeting.LoadString(IDS_TEST_GREETING);
    EXPECT_EQ(ToWide(greeting), L"こんにちは%s！");

    CString text;
    text.LoadString(IDS_TEST_LONG);
    EXPECT_EQ(text.GetLength(), 522);
    EXPECT_EQ(ToWide(text).substr(280), L"いろはにほへと29。");
}

TEST(MessageBoxText, CaptionIsTheProgramsTitleAndTextComesFromTheStringTable)
{
    SeenBox seen;
    std::thread closer([&seen] { seen = CloseNextMessageBox(theTestApp.m_nThreadID); });

    const int pressed = AfxMessageBox(IDS_TEST_GREETING, MB_OK);

    closer.join();
    EXPECT_EQ(pressed, IDOK);
    EXPECT_EQ(seen.caption, "framework_tests");
    EXPECT_EQ(seen.text, "Hello %s!");
}
