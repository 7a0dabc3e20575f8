// startup_bench: how long a start takes, seen from another process.
//
//   start: from starting the program to its marked main window being there for others to find
//   replacing start: from starting a second instance while one runs to the second's marked window
//   the floor: the same start for a program that only creates a window and marks it
//   start with the UI component library: the start, with the library stand-in registered
// Each is the median of 20. The suite's library stand-ins are registered for the program, machine-
// wide, while the benchmark runs.
#include "child_process.h"
#include "registry_sandbox.h"
#include "top_level_window.h"
#include "ui_library_registration.h"

#include <algorithm>
#include <stdio.h>
#include <string>
#include <vector>

namespace {

const int Runs = 20;
const std::string SharedDlls = "Software\\Vexa Corporation\\Shared Info\\Shared DLLs";

double Now()
{
    LARGE_INTEGER counter, frequency;
    ::QueryPerformanceCounter(&counter);
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Milliseconds from now until the process shows its marked window; a negative number if it did not
// within 10 s. Looks every millisecond.
double UntilMarked(const ChildProcess& process, const char* property, double started, HWND* pWindow)
{
    for (;;) {
        const std::vector<HWND> marked = MarkedWindows(property, process.Id());
        if (!marked.empty()) {
            *pWindow = marked.front();
            return Now() - started;
        }
        if (Now() - started > 10000)
            return -1;
        ::Sleep(1);
    }
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

void Close(ChildProcess& process, HWND hWnd)
{
    ::PostMessageA(hWnd, WM_CLOSE, 0, 0);
    process.WaitForExit(10000);
}

}  // namespace

int main()
{
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", ProgramBeside("VexaCap.dll"));
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", ProgramBeside("vxbios.dll"));
    const std::string program = "\"" + ProgramBeside("LumoraReady.exe") + "\"";
    const char* const mark = "Vexa Lumora Kivrel";

    std::vector<double> starts, replacements, floors;
    for (int run = 0; run < Runs; ++run) {
        ChildProcess first;
        double started = Now();
        first.Start(program);
        HWND hFirst = NULL;
        starts.push_back(UntilMarked(first, mark, started, &hFirst));

        ChildProcess second;
        started = Now();
        second.Start(program);
        HWND hSecond = NULL;
        replacements.push_back(UntilMarked(second, mark, started, &hSecond));
        first.WaitForExit(10000);
        Close(second, hSecond);

        ChildProcess minimal;
        started = Now();
        minimal.Start("\"" + ProgramBeside("minimal_window.exe") + "\"");
        HWND hMinimal = NULL;
        floors.push_back(UntilMarked(minimal, "Minimal Bench Window", started, &hMinimal));
        Close(minimal, hMinimal);
    }

    std::vector<double> withLibrary;
    {
        const RegisteredUiLibrary library;
        for (int run = 0; library.Registered() && run < Runs; ++run) {
            ChildProcess process;
            const double started = Now();
            process.Start(program);
            HWND hWnd = NULL;
            withLibrary.push_back(UntilMarked(process, mark, started, &hWnd));
            Close(process, hWnd);
        }
    }
    RemoveKeyTree(HKEY_LOCAL_MACHINE, "Software\\Vexa Corporation");
    RemoveKeyTree(HKEY_CURRENT_USER, "Software\\Vexa Corporation");

    printf("start to marked main window, median of %d: %.1f ms (a program that only makes a window: %.1f ms)\n",
           Runs, Median(starts), Median(floors));
    printf("replacing start to its marked main window, median of %d: %.1f ms (the floor of a plain start: %.1f ms)\n",
           Runs, Median(replacements), Median(floors));
    printf("start to marked main window with the UI component library, median of %d: %.1f ms\n", Runs,
           Median(withLibrary));
    return 0;
}
