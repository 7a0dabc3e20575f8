// Texts from the string table, in the language that the platform's resource lookup picks, and the
// message box that shows them.
#include "framework/afx_helpers.h"
#include "framework/cstring.h"
#include "framework_test_ids.h"
#include "poll.h"
#include "top_level_window.h"

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

}  // namespace

TEST(LoadString, EnglishTextsWholeMissingOnesEmptyAndFormatFillsTheArgument)
{
    CString text("before");
    EXPECT_EQ(text.LoadString(IDS_TEST_MISSING), 0);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(text.LoadString(IDS_TEST_GREETING), 9);
    EXPECT_EQ(text, "Hello %s!");
    text.LoadString(IDS_TEST_LONG);
    EXPECT_EQ(text.GetLength(), 575);
    EXPECT_EQ(std::string(text).substr(575 - 16), "the lazy dog 12.");
    text.Format(IDS_TEST_GREETING, "Lumora");
    EXPECT_EQ(text, "Hello Lumora!");
}

// Run by its own test entry, in a process that Wine starts with a Japanese locale.
TEST(JapaneseUi, JapaneseTableWhenTheProcessRunsInJapanese)
{
    ASSERT_EQ(::GetACP(), 932u) << "this test runs with a Japanese locale (LUMORA_WINE_LOCALE=ja_JP.UTF-8)";

    CString text;
    text.LoadString(IDS_TEST_GREETING);
    EXPECT_EQ(ToWide(text), L"こんにちは%s！");
    text.LoadString(IDS_TEST_LONG);
    EXPECT_EQ(text.GetLength(), 522);
    EXPECT_EQ(ToWide(text).substr(280), L"いろはにほへと29。");
}

TEST(MessageBoxText, CaptionIsTheProgramsTitleAndTextComesFromTheStringTable)
{
    // A second thread reads the box once it shows (its text is in place only after its
    // initialisation) and presses OK.
    std::string shown = "(no box captioned framework_tests)";
    std::thread closer([&shown] {
        HWND hBox = NULL;
        if (!WaitUntil([&] {
                hBox = FindTopLevelWindow(::GetCurrentProcessId(), "framework_tests", WindowKind::Dialog);
                return hBox != NULL && ::IsWindowVisible(hBox);
            }, 10000))
            return;
        char text[256] = {};
        ::GetDlgItemTextA(hBox, 0xFFFF, text, sizeof text);  // the text control of a message box
        shown = text;
        ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    });

    const int pressed = AfxMessageBox(IDS_TEST_GREETING, MB_OK);

    closer.join();
    EXPECT_EQ(pressed, IDOK);
    EXPECT_EQ(shown, "Hello %s!");
}
