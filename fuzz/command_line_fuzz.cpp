// The program's command line: the framework's walk over the arguments and the program's switches.
// Input: the arguments, the program's name first, between zero bytes; an argument of the one byte
// 0xFF stands for a missing (null) argument, and the empty input for an empty argument list.
#include "app/ready_switches.h"
#include "framework/command_line.h"
#include "framework/cstring.h"
#include "fuzz_check.h"
#include "fuzz_input.h"
#include "switch_state.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

// A switch leaves the state of the switch it names, and sets that switch's flag; it never touches
// the path.
void CheckSwitch(const Switches& before, const Switches& after, const char* text)
{
    FuzzCheck(EqualIgnoringCase(text, "KILL") == (after.m_nParseState == ParsedKill), "KILL and only KILL: state 1");
    FuzzCheck(EqualIgnoringCase(text, "PATH") == (after.m_nParseState == ParsedPath), "PATH and only PATH: state 2");
    FuzzCheck(EqualIgnoringCase(text, "SILENT") == (after.m_nParseState == ParsedSilent),
              "SILENT and only SILENT: state 3");
    FuzzCheck(after.m_bKill == (before.m_bKill || after.m_nParseState == ParsedKill), "KILL sets its flag for good");
    FuzzCheck(after.m_bSilent == (before.m_bSilent || after.m_nParseState == ParsedSilent),
              "SILENT sets its flag for good");
    FuzzCheck(after.m_strPath == before.m_strPath, "a switch leaves the path");
}

// A file changes nothing but an empty path after "PATH", which becomes the file's text.
void CheckFile(const Switches& before, const Switches& after, const char* text)
{
    FuzzCheck(after.m_nParseState == before.m_nParseState, "a file leaves the state");
    FuzzCheck(after.m_bKill == before.m_bKill && after.m_bSilent == before.m_bSilent, "a file leaves the flags");
    const bool takesPath = before.m_nParseState == ParsedPath && before.m_strPath.IsEmpty();
    FuzzCheck(after.m_strPath == (takesPath ? CString(text) : before.m_strPath),
              "only the first file after PATH is the path");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzTexts texts(data, size);
    std::vector<const char*> argv;
    for (std::size_t i = 0; size > 0 && i < texts.Count(); ++i) {
        const char* text = texts.At(i);
        argv.push_back(text[0] == '\xFF' && text[1] == '\0' ? nullptr : text);
    }
    const int argc = static_cast<int>(argv.size());

    Switches switches;
    int next = 1;
    ForEachCommandLineParam(argc, argv.data(), [&](const char* text, bool isFlag, bool isLast) {
        FuzzCheck(next < argc, "one call per argument after the program's name");
        const char* argument = argv[next];
        if (argument) {
            FuzzCheck(isFlag == (argument[0] == '/' || argument[0] == '-'), "a flag is what begins with / or -");
            FuzzCheck(text == argument + (isFlag ? 1 : 0), "the text is the argument less one switch character");
        } else {
            FuzzCheck(!isFlag && text[0] == '\0', "a missing argument is an empty file");
        }
        FuzzCheck(isLast == (next == argc - 1), "only the last argument is marked last");
        ++next;

        const Switches before = switches;
        ParseReadySwitch(switches, text, isFlag, EqualIgnoringCase);
        if (isFlag)
            CheckSwitch(before, switches, text);
        else
            CheckFile(before, switches, text);
    });
    FuzzCheck(next == (argc > 1 ? argc : 1), "every argument after the program's name is handed over");
    return 0;
}
