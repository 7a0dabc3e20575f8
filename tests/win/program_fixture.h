// The program as users start it, in processes of its own, for the tests that watch it from outside:
// each test starts with no instance, no settings of the suite and both library stand-ins
// registered, and ends every process it started. Its helpers find the program's marked main
// window, its prompt and its start-up box, and press the camera button through the stand-ins.
#pragma once

#include "child_process.h"
#include "named_objects.h"
#include "poll.h"
#include "suite_keys.h"
#include "top_level_window.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace program_fixture {

const char* const InstanceName = "Vexa Lumora Kivrel";

inline std::vector<HWND> MarkedWindows(DWORD processId = 0)
{
    return ::MarkedWindows(InstanceName, processId);
}

// How many top-level windows of any process are titled as the program's.
inline int WindowsTitledLumoraReady()
{
    return static_cast<int>(TopLevelWindows(0, [](HWND hWnd) {
                                char title[32] = {};
                                ::GetWindowTextA(hWnd, title, sizeof title);
                                return std::string(title) == "Lumora Ready";
                            }).size());
}

// The text of the prompt dialog's text control.
inline std::string DialogText(HWND hDialog)
{
    char text[256] = {};
    ::GetDlgItemTextA(hDialog, 1000, text, sizeof text);
    return text;
}

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(MarkedWindows().empty()) << "an instance is running already";
        RegisterStandInLibraries();
        // Wine shows what the processes started from here write to the event log (see EventLog).
        ::SetEnvironmentVariableA("WINEDEBUG", "+pid,-all,fixme+advapi,+eventlog");
    }
    void TearDown() override
    {
        m_processes.clear();  // each ends the process it started, if it still runs
        EXPECT_TRUE(WaitUntil([] { return !MutexExists(InstanceName); }, 10000)) << "an instance outlived its test";
    }

    ChildProcess& Start(const std::string& arguments = "")
    {
        m_processes.push_back(std::make_unique<ChildProcess>());
        m_processes.back()->Start("\"" + ProgramBeside("LumoraReady.exe") + "\" " + arguments);
        return *m_processes.back();
    }
    static HWND WaitForMarkedWindow(const ChildProcess& process)
    {
        std::vector<HWND> marked;
        WaitUntil([&] { return !(marked = MarkedWindows(process.Id())).empty(); }, 10000);
        return marked.empty() ? NULL : marked.front();
    }
    static bool Press(const std::string& arguments)
    {
        ChildProcess press;
        return press.Start("\"" + ProgramBeside("press.exe") + "\" " + arguments) && press.WaitForExit(10000)
               && press.ExitCode() == 0;
    }
    // The process's dialog of that title once it shows; NULL when it did not show within 10 s. Of a
    // child or of a debuggee.
    template <class Process>
    static HWND WaitForShownDialog(const Process& process, const char* title)
    {
        HWND hDialog = NULL;
        WaitUntil([&] {
            hDialog = FindTopLevelWindow(process.Id(), title, WindowKind::Dialog);
            return hDialog != NULL && ::IsWindowVisible(hDialog);
        }, 10000);
        return hDialog;
    }
    static HWND WaitForShownPrompt(const ChildProcess& process) { return WaitForShownDialog(process, "Lumora Ready"); }
    // The start-up's message box, captioned with the program's file name.
    template <class Process>
    static HWND WaitForStartupBox(const Process& process)
    {
        return WaitForShownDialog(process, "LumoraReady");
    }
    static std::string MessageBoxText(HWND hBox)
    {
        char text[256] = {};
        ::GetDlgItemTextA(hBox, 0xFFFF, text, sizeof text);  // the text control of a message box
        return text;
    }
    // Whether the process wrote the event to the event log within timeoutMs: its type, category and
    // id, then each string after the class of Wine's channel it went to. Wine 8 writes both on its
    // debug channels (WINEDEBUG from SetUp), to the standard error that the program's processes share
    // with this test, and which the Wine session names; paths with their backslashes doubled.
    static ::testing::AssertionResult Logged(DWORD processId, std::string event, DWORD timeoutMs = 10000)
    {
        for (size_t at = 0; (at = event.find('\\', at)) != std::string::npos; at += 2)
            event.insert(at, 1, '\\');
        char own[16] = {};
        snprintf(own, sizeof own, "%04lx:", processId);
        const char* const file = getenv("LUMORA_WINE_OUTPUT");
        std::string record;
        const bool found = WaitUntil([&] {
            std::ifstream output("Z:" + std::string(file != nullptr ? file : "\\none"));
            record.clear();
            for (std::string line; std::getline(output, line);) {
                const size_t call = line.find(":ReportEventA ("), text = line.find(":eventlog:ReportEventW ");
                const size_t channel = line.find(':', 5) + 1;  // after the process's and the thread's ids
                if (line.rfind(own, 0) == 0 && call != std::string::npos)
                    record += "\n" + line.substr(line.find(',', call) + 1, 24);
                else if (line.rfind(own, 0) == 0 && text != std::string::npos)
                    record += " " + line.substr(channel, text - channel) + " " + line.substr(text + 23);
            }
            return record.find(event) != std::string::npos;
        }, timeoutMs);
        return found ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << event << " not among" << record;
    }
    static bool FootmarkWritten()
    {
        DWORD type = 0;
        std::vector<BYTE> data;
        return ReadValue(HKEY_CURRENT_USER, Ready, "Footmark", &type, &data);
    }

    SetAsideSuiteKeys m_suiteKeys;
    std::vector<std::unique_ptr<ChildProcess>> m_processes;
};

}  // namespace program_fixture
