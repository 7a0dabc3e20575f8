// press_bench: how fast the running program answers the camera button, pressed through each
// source's library stand-in loaded in it, as the hardware would.
//
//   press-to-prompt: from posting a first press to the stand-in until the prompt is visible and
//   topmost (each followed by a cancel that hides it), 1,000 for each source; the floor is a
//   message posted to a window of another process that shows that window topmost
//   second press: from posting it until the capture application stand-in's process exists, 30 in
//   all, each in a new instance (a launch holds the next events for two seconds); the floor is
//   this process starting the same program itself
#include "figure_table.h"
#include "program_under_bench.h"

#include <tlhelp32.h>

#include <string.h>

namespace {

const int Presses = 1000;
const int Launches = 30;

// Polls for figures of a few milliseconds give the processor away between looks.
const DWORD Yield = 0;

// Milliseconds from a post that shows hWnd to its being visible and topmost; the window is hidden
// again by the second post before the next sample.
template <class Show, class Hide>
std::vector<double> ShowLatencies(HWND hWnd, Show show, Hide hide)
{
    std::vector<double> latencies;
    for (int press = 0; press < Presses; ++press) {
        const double posted = NowMs();
        show();
        latencies.push_back(MsUntil([&] { return ShownAndTopmost(hWnd); }, posted, Yield));
        hide();
        if (MsUntil([&] { return !::IsWindowVisible(hWnd); }, NowMs(), Yield) < 0)
            break;
    }
    return latencies;
}

// The id of a process of the capture application stand-in that parentId started; 0 when none runs.
DWORD CaptureApplicationOf(DWORD parentId)
{
    HANDLE hSnapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (hSnapshot == INVALID_HANDLE_VALUE)
        return 0;
    DWORD found = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32First(hSnapshot, &entry); more && found == 0; more = ::Process32Next(hSnapshot, &entry)) {
        if (entry.th32ParentProcessID == parentId && _stricmp(entry.szExeFile, "Ostrivo.exe") == 0)
            found = entry.th32ProcessID;
    }
    ::CloseHandle(hSnapshot);
    return found;
}

// Ends the capture application stand-in that was started, that one process only.
void EndCaptureApplication(DWORD processId)
{
    HANDLE hProcess = ::OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, processId);
    if (hProcess == NULL)
        return;
    ::TerminateProcess(hProcess, 1);
    ::WaitForSingleObject(hProcess, 10000);
    ::CloseHandle(hProcess);
}

std::vector<double> SecondPresses(const std::string& arguments)
{
    std::vector<double> latencies;
    for (int launch = 0; launch < Launches; ++launch) {
        LumoraReady program;
        if (program.Start(arguments) < 0 || !program.WaitForStandIns())
            break;
        const EventSource source = launch % 2 == 0 ? EventSource::CaptureDriver : EventSource::Firmware;
        const HWND hPrompt = program.Prompt();
        program.Press(source, PromptCode(source));
        MsUntil([&] { return ShownAndTopmost(hPrompt); }, NowMs());
        const double posted = NowMs();
        program.Press(source, LaunchCode(source));
        DWORD application = 0;
        latencies.push_back(
            MsUntil([&] { return (application = CaptureApplicationOf(program.ProcessId())) != 0; }, posted, Yield));
        EndCaptureApplication(application);
        program.Close();
    }
    return latencies;
}

// The floor of the second press: this process starting the same program until it exists.
std::vector<double> DirectStarts()
{
    std::vector<double> latencies;
    for (int start = 0; start < Launches; ++start) {
        ChildProcess application;
        const double started = NowMs();
        application.Start("\"" + ProgramBeside("Ostrivo.exe") + "\"");
        DWORD id = 0;
        latencies.push_back(
            MsUntil([&] { return (id = CaptureApplicationOf(::GetCurrentProcessId())) != 0; }, started, Yield));
        EndCaptureApplication(id);
    }
    return latencies;
}

}  // namespace

int main(int argc, char** argv)
{
    const SuiteRegistration suite;
    const std::string arguments = "/PATH \"" + ProgramBeside("Ostrivo.exe") + "\"";
    std::vector<double> driver, firmware;
    {
        LumoraReady program;
        if (program.Start(arguments) >= 0 && program.WaitForStandIns()) {
            // The prompt is made before the main window is marked.
            const HWND hPrompt = program.Prompt();
            for (EventSource source : { EventSource::CaptureDriver, EventSource::Firmware }) {
                (source == EventSource::Firmware ? firmware : driver) = ShowLatencies(
                    hPrompt, [&] { program.Press(source, PromptCode(source)); },
                    [&] { program.Press(source, CancelCode(source)); });
            }
        }
        program.Close();
    }
    std::vector<double> floor;
    {
        MinimalWindow minimal;
        if (minimal.Start() >= 0) {
            const HWND hWnd = minimal.Window();
            floor = ShowLatencies(hWnd, [&] { ::PostMessageA(hWnd, ShowTopmostMessage, 0, 0); },
                                  [&] { ::PostMessageA(hWnd, HideMessage, 0, 0); });
        }
        minimal.Close();
    }
    const std::vector<double> secondPresses = SecondPresses(arguments);
    const std::vector<double> directStarts = DirectStarts();

    FigureTable table("Presses: from the event posted to its stand-in until the effect is seen by another process");
    const char* const postFloor = "a posted message that shows a window of another process topmost";
    table.Add(TimedFigure("press-to-prompt through the capture driver", driver, "p99", 0.99, postFloor, floor));
    table.Add(TimedFigure("press-to-prompt through the firmware service", firmware, "p99", 0.99, postFloor, floor));
    table.Add(TimedFigure("second press to the capture application's process", secondPresses, "p95", 0.95,
                          "the same program started directly", directStarts));
    return Report(table, argc, argv);
}
