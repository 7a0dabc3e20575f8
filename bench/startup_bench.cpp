// startup_bench: how long a start takes, seen from another process, beside a program that only
// makes a window and marks it.
//
//   start-up: from starting the program to its marked main window being there for others to find
//   replacement: from a new start while an instance runs until the old one has ended and the new
//   one's window is marked
//   start-up with the UI component library stand-in registered
#include "figure_table.h"
#include "program_under_bench.h"
#include "ui_library_registration.h"

namespace {

const int Runs = 30;

}  // namespace

int main(int argc, char** argv)
{
    const SuiteRegistration suite;
    std::vector<double> starts, replacements, floors, withLibrary;
    for (int run = 0; run < Runs; ++run) {
        LumoraReady first;
        starts.push_back(first.Start());

        LumoraReady second;
        const double started = NowMs();
        second.Launch();
        replacements.push_back(MsUntil([&] { return first.Process().WaitForExit(0) && second.FindMark(); }, started));
        second.Close();

        MinimalWindow minimal;
        floors.push_back(minimal.Start());
        minimal.Close();
    }
    {
        const RegisteredUiLibrary library;
        for (int run = 0; library.Registered() && run < Runs; ++run) {
            LumoraReady program;
            withLibrary.push_back(program.Start());
            program.Close();
        }
    }

    FigureTable table("Start-up: from the start of a process to its marked window, seen by another process");
    const char* const floor = "a program that only makes a window";
    table.Add(TimedFigure("start-up", starts, "p95", 0.95, floor, floors));
    table.Add(TimedFigure("replacement: the old instance ended and the new window marked", replacements, "p95", 0.95,
                          floor, floors));
    Figure library = TimedFigure("start-up with the UI component library registered", withLibrary, "p95", 0.95,
                                 floor, floors);
    if (withLibrary.empty())
        library.note = "the library could not be registered";
    table.Add(library);
    return Report(table, argc, argv);
}
