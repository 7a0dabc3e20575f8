// Command lines of about 30,000 characters and thousands of arguments, given to a start while an
// instance runs: each start either replaces the running instance or, when "KILL" is among its
// switches, only ends it; a file after "PATH" is the target whatever follows.
#include "program_fixture.h"
#include "stand_in_records.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace program_fixture;

namespace {

const size_t LongLine = 30000;

// Switches that are none of the program's, each beginning with '/' or '-'.
const std::vector<std::string> UnknownSwitches = { "/q ", "-Z ", "/KIL ", "-KILLS ", "/SILENTLY ", "/PAT ", "/ ",
                                                   "- ", "/-KILL ", "--KILL ", "/KILL:1 ", "-PATHS " };

// The arguments, one after the other and over again, until they hold length characters.
std::string Repeated(const std::vector<std::string>& arguments, size_t length)
{
    std::string line;
    for (size_t i = 0; line.size() < length; ++i)
        line += arguments[i % arguments.size()];
    return line;
}

enum class Outcome { Replaces, Kills };

class LongCommandLine : public Program {
protected:
    void TearDown() override
    {
        EndCaptureApps(ReadCaptureAppStarts(m_appRecord.Path()));
        Program::TearDown();
    }

    // Starts an instance, then a second one with the arguments, and checks what became of both.
    // Returns the process that runs afterwards, or null.
    ChildProcess* StartBeside(const std::string& label, const std::string& arguments, Outcome expected)
    {
        SCOPED_TRACE(label + " (" + std::to_string(arguments.size()) + " characters)");
        m_processes.clear();
        ChildProcess& running = Start();
        EXPECT_NE(WaitForMarkedWindow(running), (HWND)NULL);
        ChildProcess& started = Start(arguments);
        ++m_starts;

        EXPECT_TRUE(running.WaitForExit(10000)) << "the running instance quits";
        EXPECT_EQ(running.ExitCode(), 0u);
        if (expected == Outcome::Kills) {
            EXPECT_TRUE(started.WaitForExit(10000)) << "a start with \"KILL\" ends";
            EXPECT_EQ(started.ExitCode(), 0u);
            EXPECT_TRUE(WaitUntil([] { return !MutexExists(InstanceName); }, 10000)) << "no instance runs";
            return nullptr;
        }
        EXPECT_NE(WaitForMarkedWindow(started), (HWND)NULL) << "the new start replaces it";
        EXPECT_FALSE(started.WaitForExit(0));
        return &started;
    }

    // The first and second press through the driver; true when the prompt then shows the text.
    static bool LaunchShows(const ChildProcess& program, const std::string& text)
    {
        if (!Press("prompt"))
            return false;
        const HWND hPrompt = WaitForShownPrompt(program);
        return hPrompt != NULL && Press("launch") && WaitUntil([&] { return DialogText(hPrompt) == text; }, 10000);
    }

    int m_starts = 0;
    StandInRecord m_appRecord{ "OSTRIVO_STANDIN_RECORD", "ostrivo-starts" };
};

}  // namespace

TEST_F(LongCommandLine, ThousandsOfSwitchesAndQuotesThatGroupOrVanish)
{
    const std::string unknown = Repeated(UnknownSwitches, LongLine);
    StartBeside("unknown switches", unknown, Outcome::Replaces);
    StartBeside("unknown switches, then KILL", unknown + "/KILL", Outcome::Kills);
    StartBeside("KILL, then unknown switches", "/KILL " + unknown, Outcome::Kills);
    const size_t middle = unknown.find(' ', LongLine / 2) + 1;
    StartBeside("-kIlL among unknown switches", unknown.substr(0, middle) + "-kIlL " + unknown.substr(middle),
                Outcome::Kills);
    StartBeside("KILL without its '/', thousands of times", Repeated({ "KILL " }, LongLine), Outcome::Replaces);
    StartBeside("one unknown switch of 30,000 characters", "/" + std::string(LongLine, 'K'), Outcome::Replaces);

    // An opening quote without its closing one groups everything after it into one argument, so
    // the "KILL" inside is no switch.
    StartBeside("unclosed quote around /KILL", "/SILENT \"" + Repeated({ "a /KILL " }, LongLine), Outcome::Replaces);
    // Quotes are taken away before the arguments are looked at, and each "" is an empty argument.
    StartBeside("quoted /KILL among empty arguments", Repeated({ "\"\" " }, LongLine) + "\"/KILL\"", Outcome::Kills);
    printf("[ starts   ] %d\n", m_starts);
}

TEST_F(LongCommandLine, TheFirstFileAfterPathIsTheTarget)
{
    const std::string target = ProgramBeside("Ostrivo.exe");
    const std::string others = Repeated({ "/PATH C:\\other.exe -path \"C:\\Another One.exe\" " }, LongLine / 2)
                               + Repeated(UnknownSwitches, LongLine / 2);
    ChildProcess* program = StartBeside("PATH, then thousands of other paths", "/PATH \"" + target + "\" " + others,
                                        Outcome::Replaces);
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(LaunchShows(*program, "Lumora is starting..."));
    const std::vector<CaptureAppStart> launched = WaitForCaptureAppStarts(m_appRecord.Path(), 1);
    EXPECT_EQ(launched.size(), 1u) << "the first path was launched";
    // While the capture application runs, every press only hides the prompt.
    EndCaptureApps(launched);

    // A path of 30,000 characters is taken as it is; the shell cannot start it.
    program = StartBeside("PATH of 30,000 characters", "/PATH \"C:\\" + std::string(LongLine, 'p') + ".exe\"",
                          Outcome::Replaces);
    ASSERT_NE(program, nullptr);
    EXPECT_TRUE(LaunchShows(*program, "Failed to launch Lumora."));
    EXPECT_FALSE(program->WaitForExit(0));
    printf("[ starts   ] %d\n", m_starts);
}
