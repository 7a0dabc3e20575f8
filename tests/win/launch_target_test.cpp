// What the program launches and how the prompt names it, from the real registry and resources.
#include "child_process.h"
#include "events/event_wnd.h"
#include "program_test_app.h"
#include "prompt/prompt_dlg.h"
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ToWide(const char* ansi)
{
    wchar_t wide[512] = {};
    ::MultiByteToWideChar(CP_ACP, 0, ansi, -1, wide, 512);
    return wide;
}

class LaunchTarget : public ::testing::Test {
protected:
    void SetUp() override { m_pWnd = NewEventWnd(); }
    void TearDown() override { m_pWnd->DestroyWindow(); }

    // The whole start-up step: path, then presentation.
    void Resolve(const char* cmdPath = "")
    {
        m_pWnd->ResolveAppPath(cmdPath);
        m_pWnd->LoadPresentation();
    }
    std::string Path() const { return std::string(m_pWnd->GetAppPath()); }
    std::string Prompt() const { return std::string(m_pWnd->GetPromptText()); }
    const HICON* Icons() const { return m_pWnd->GetPromptDlg()->m_hIcons; }
    bool BuiltInIcons() const
    {
        return Icons()[0] != NULL && Icons()[1] != NULL && Icons()[2] != NULL && Icons()[0] != Icons()[1]
               && Icons()[1] != Icons()[2];
    }

    SetAsideSuiteKeys m_suiteKeys;
    CEventWnd* m_pWnd = nullptr;
};

}  // namespace

TEST_F(LaunchTarget, CommandLineThenPathThenClassRegistrationThenTheDefault)
{
    PutString(HKEY_LOCAL_MACHINE, Ready, "Path", "C:\\machine\\path.exe");
    PutString(HKEY_CURRENT_USER, ClassRegistration + "\\LocalServer32", "", "C:\\class\\server.exe");
    Resolve("C:\\command\\line.exe");
    EXPECT_EQ(Path(), "C:\\command\\line.exe");
    EXPECT_FALSE(m_pWnd->UsesShellIcon());
    EXPECT_TRUE(BuiltInIcons());
    const HINSTANCE hModule = ::GetModuleHandleA(NULL);
    EXPECT_EQ(Icons()[IconIdle], ::LoadIconA(hModule, MAKEINTRESOURCEA(132)));
    EXPECT_EQ(Icons()[IconAlternate], ::LoadIconA(hModule, MAKEINTRESOURCEA(130)));
    EXPECT_EQ(Icons()[IconStarting], ::LoadIconA(hModule, MAKEINTRESOURCEA(131)));
    EXPECT_EQ(Prompt(), "Press down to start Lumora!!") << "built-in texts whatever the program";
    EXPECT_EQ(std::string(m_pWnd->GetStartingText()), "Lumora is starting...");
    EXPECT_EQ(std::string(m_pWnd->GetFailureText()), "Failed to launch Lumora.");

    m_pWnd->ResolveAppPath("");
    EXPECT_EQ(Path(), "C:\\machine\\path.exe");

    PutString(HKEY_CURRENT_USER, Ready, "Path", "");  // found per user, and empty: no path at all
    m_pWnd->ResolveAppPath("");
    EXPECT_EQ(Path(), "C:\\class\\server.exe");

    RemoveSuiteKeys();
    m_pWnd->ResolveAppPath("");
    EXPECT_EQ(Path(), "C:\\Program Files\\Vexa\\Lumora\\Ostrivo.exe");
    EXPECT_FALSE(m_pWnd->UsesShellIcon());
}

TEST_F(LaunchTarget, AppPathGivesTheProgramsOwnIconAndNameInEveryText)
{
    PutString(HKEY_CURRENT_USER, Ready, "AppPath", ProgramBeside("Ostrivo.exe"));
    Resolve();
    EXPECT_TRUE(m_pWnd->UsesShellIcon());
    EXPECT_NE(Icons()[0], (HICON)NULL);
    EXPECT_EQ(Icons()[1], Icons()[0]) << "one icon in all three slots";
    EXPECT_EQ(Icons()[2], Icons()[0]);
    EXPECT_EQ(Prompt(), "Press down to start Ostrivo.exe!!");
    EXPECT_EQ(std::string(m_pWnd->GetStartingText()), "Ostrivo.exe is starting...");
    EXPECT_EQ(std::string(m_pWnd->GetFailureText()), "Failed to launch Ostrivo.exe.");
    EXPECT_EQ(m_pWnd->GetPromptDlg()->m_hCurrentIcon, (HICON)NULL) << "no icon is made current";
}

TEST_F(LaunchTarget, AppPathWithoutAShellIconKeepsTheBuiltInIconsAndTheFilesNameEvenAnEmptyOne)
{
    PutString(HKEY_CURRENT_USER, Ready, "AppPath", "C:\\nowhere\\Missing.exe");
    Resolve();
    EXPECT_TRUE(BuiltInIcons());
    EXPECT_EQ(Prompt(), "Press down to start Missing.exe!!");

    PutString(HKEY_CURRENT_USER, Ready, "AppPath", "C:\\nowhere\\");
    Resolve();
    EXPECT_EQ(Prompt(), "Press down to start !!") << "a path ending in a separator";
}

TEST_F(LaunchTarget, SilentFromTheCommandLineOrThePerUserValueFirst)
{
    PutNumber(HKEY_CURRENT_USER, Ready, "Silent", 0);
    m_pWnd->ResolveSilent(TRUE);
    EXPECT_TRUE(m_pWnd->IsSilent()) << "the switch wins whatever the settings say";

    PutNumber(HKEY_LOCAL_MACHINE, Ready, "Silent", 1);
    m_pWnd->ResolveSilent(FALSE);
    EXPECT_FALSE(m_pWnd->IsSilent()) << "a per-user 0 beats a machine-wide 1";

    RemoveSuiteKeys();
    PutNumber(HKEY_LOCAL_MACHINE, Ready, "Silent", 1);
    m_pWnd->ResolveSilent(FALSE);
    EXPECT_TRUE(m_pWnd->IsSilent());

    RemoveSuiteKeys();
    m_pWnd->ResolveSilent(FALSE);
    EXPECT_FALSE(m_pWnd->IsSilent());
}

// Run by its own test entry, in a process that Wine starts with a Japanese locale.
TEST_F(LaunchTarget, JapaneseTextsAndDoubleByteNamesUnderAJapaneseUi)
{
    ASSERT_EQ(::GetACP(), 932u) << "this test runs with a Japanese locale (LUMORA_WINE_LOCALE=ja_JP.UTF-8)";
    Resolve();
    EXPECT_EQ(ToWide(m_pWnd->GetPromptText()), L"さらにボタンを押すと\nLumora を起動します");
    EXPECT_EQ(ToWide(m_pWnd->GetStartingText()), L"Lumora の起動中です\nしばらくお待ちください");
    EXPECT_EQ(ToWide(m_pWnd->GetFailureText()), L"Lumora の起動に\n失敗しました");

    // 表 and ソ end in the byte 0x5C, the backslash's.
    PutString(HKEY_CURRENT_USER, Ready, "AppPath", "C:\\\x83\x5C\x83\x74\x83\x67\\\x95\x5C\x8E\xA6.exe");
    Resolve();
    EXPECT_EQ(ToWide(m_pWnd->GetStartingText()), L"表示.exe の起動中です\nしばらくお待ちください");
}
