// The program as a user starts it: resident with its hidden main window, ended by a close request.
#include "child_process.h"
#include "poll.h"
#include "top_level_window.h"

#include <gtest/gtest.h>

#include <string>

TEST(Program, RunsResidentWithAHiddenToolWindowAndEndsOnClose)
{
    ChildProcess program;
    ASSERT_TRUE(program.Start("\"" + ProgramBeside("LumoraReady.exe") + "\""));
    HWND hMain = NULL;
    ASSERT_TRUE(WaitUntil([&] { return (hMain = FindTopLevelWindow(program.Id(), "Lumora Ready", WindowKind::NotDialog)) != NULL; }, 10000));

    EXPECT_FALSE(::IsWindowVisible(hMain));
    EXPECT_TRUE(::GetWindowLongA(hMain, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(program.WaitForExit(0));

    ::PostMessageA(hMain, WM_CLOSE, 0, 0);

    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
}
