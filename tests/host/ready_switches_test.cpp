// The program's switches over every argument list that matters, as the framework hands them over
// (the C runtime's split, the leading '/' or '-' taken off).
#include "app/ready_switches.h"
#include "framework/command_line.h"
#include "framework/cstring.h"
#include "switch_state.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Switches Parse(std::vector<const char*> arguments)
{
    arguments.insert(arguments.begin(), "LumoraReady.exe");
    Switches switches;
    ForEachCommandLineParam(static_cast<int>(arguments.size()), arguments.data(),
                            [&switches](const char* text, bool isFlag, bool) {
                                ParseReadySwitch(switches, text, isFlag, EqualIgnoringCase);
                            });
    return switches;
}

}  // namespace

TEST(ReadySwitches, EveryArgumentListOfNote)
{
    const struct {
        std::vector<const char*> arguments;
        bool kill;
        bool silent;
        const char* path;
    } rows[] = {
        { {}, false, false, "" },
        { { "-kill" }, true, false, "" },
        { { "/Kill" }, true, false, "" },
        { { "/KILL" }, true, false, "" },
        { { "-Silent" }, false, true, "" },
        { { "/PATH", "a", "b" }, false, false, "a" },
        { { "/path", "C:\\My Apps\\cam.exe" }, false, false, "C:\\My Apps\\cam.exe" },
        { { "/PATH", "/SILENT", "a" }, false, true, "" },
        { { "a", "/PATH" }, false, false, "" },
        { { "/PATH", "/OTHER", "a" }, false, false, "" },
        { { "/PATH", "" }, false, false, "" },
        { { "/PATH", "", "b" }, false, false, "b" },
        { { "/SILENT", "/KILL", "/PATH", "x" }, true, true, "x" },
        { { "/PATH", "x", "/PATH", "y" }, false, false, "x" },
        { { "KILL", "SILENT" }, false, false, "" },
        { { "--kill" }, false, false, "" },
    };
    for (const auto& row : rows) {
        std::string arguments;
        for (const char* argument : row.arguments)
            arguments += std::string("[") + argument + "]";
        const Switches parsed = Parse(row.arguments);
        EXPECT_EQ(parsed.m_bKill, row.kill) << arguments;
        EXPECT_EQ(parsed.m_bSilent, row.silent) << arguments;
        EXPECT_EQ(parsed.m_strPath, row.path) << arguments;
    }
}

TEST(ReadySwitches, TheStateIsTheLastSwitchSeen)
{
    EXPECT_EQ(Parse({ "/KILL" }).m_nParseState, ParsedKill);
    EXPECT_EQ(Parse({ "/PATH" }).m_nParseState, ParsedPath);
    EXPECT_EQ(Parse({ "/PATH", "file" }).m_nParseState, ParsedPath) << "a file leaves the state";
    EXPECT_EQ(Parse({ "/SILENT" }).m_nParseState, ParsedSilent);
    EXPECT_EQ(Parse({ "/KILL", "/unknown" }).m_nParseState, ParsedNothing);
}
