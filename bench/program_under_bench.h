// Lumora Ready and the floor program as the benchmarks run them, each in a process of its own:
// started, found by the window it marks, pressed through the library stand-ins, and ended.
#pragma once

#include "child_process.h"

#include <windows.h>

#include <string>

// The suite's settings while a benchmark runs: both library stand-ins registered machine-wide and
// nothing else; none left afterwards.
class SuiteRegistration {
public:
    SuiteRegistration();
    ~SuiteRegistration();
    SuiteRegistration(const SuiteRegistration&) = delete;
    SuiteRegistration& operator=(const SuiteRegistration&) = delete;
};

// The two sources of button events, each reached through its stand-in loaded in the program.
enum class EventSource { CaptureDriver, Firmware };

// The codes of the first press, the second press and a cancel for a source.
long PromptCode(EventSource source);
long LaunchCode(EventSource source);
long CancelCode(EventSource source);

class MarkedProgram {
public:
    // program: the file beside the benchmark; mark: the property of the window it marks.
    MarkedProgram(const char* program, const char* mark) : m_program(program), m_mark(mark) {}

    // Starts the program (arguments after its path) and waits up to 10 s for its marked window;
    // the milliseconds from the start to the window, negative when it did not come.
    double Start(const std::string& arguments = "");
    // Only starts it.
    bool Launch(const std::string& arguments = "");
    // Looks once for its marked window: true when it is there.
    bool FindMark();
    // Asks the program to close its marked window, and waits up to 10 s for its end.
    bool Close();

    ChildProcess& Process() { return m_process; }
    DWORD ProcessId() const { return m_process.Id(); }
    HWND Window() const { return m_hWnd; }
    // The thread that runs the marked window.
    DWORD ThreadId() const { return ::GetWindowThreadProcessId(m_hWnd, NULL); }

private:
    const char* m_program;
    const char* m_mark;
    ChildProcess m_process;
    HWND m_hWnd = NULL;
};

// Lumora Ready, marked by its instance name.
class LumoraReady : public MarkedProgram {
public:
    LumoraReady() : MarkedProgram("LumoraReady.exe", "Vexa Lumora Kivrel") {}

    // The prompt dialog of this instance, shown or not; NULL before it is made.
    HWND Prompt() const;
    // Waits up to 10 s until both library stand-ins in this instance can be pressed: the capture
    // driver's only once the program has opened it, after marking its window.
    bool WaitForStandIns() const;
    // Posts an event code to the stand-in of source loaded in this instance, as the hardware
    // would press; false when that stand-in has no window there.
    bool Press(EventSource source, long code) const;

private:
    HWND PressWindow(EventSource source) const;
};

// The floor program (minimal_window.exe), marked by its own property; it shows its window
// topmost on ShowTopmostMessage and hides it on HideMessage.
class MinimalWindow : public MarkedProgram {
public:
    MinimalWindow() : MarkedProgram("minimal_window.exe", "Minimal Bench Window") {}
};

const UINT ShowTopmostMessage = WM_APP + 1;
const UINT HideMessage = WM_APP + 2;

// The window is visible and in the topmost band.
bool ShownAndTopmost(HWND hWnd);
