// idle_bench: what the resident program costs while it waits, beside the floor program waiting in
// the same 30 s.
//
//   processor time over 30 s hidden, and over 30 s with the prompt up and blinking, as each
//   program reads its own (through a hook in its thread: Wine tells no other process, and counts
//   in steps of 10 ms)
//   the timers alive while hidden: the WM_TIMER messages the program's thread takes over those
//   30 s, counted by the same hook; the blinking period shows that the hook sees its timer
#include "figure_table.h"
#include "message_counter.h"
#include "program_under_bench.h"

namespace {

const DWORD PeriodMs = 30000;

struct Period {
    double cpuMs = -1;
    double floorCpuMs = -1;
    LONG timers = -1;
};

// Processor time of both programs and the program's timer messages over one period.
Period Measure(const LumoraReady& program, MessageCounter& counter, const MinimalWindow& minimal,
               MessageCounter& floorCounter)
{
    const double cpu = counter.CpuMs(program.Window());
    const double floorCpu = floorCounter.CpuMs(minimal.Window());
    const LONG timers = counter.Timers();
    ::Sleep(PeriodMs);
    Period period;
    period.timers = counter.Timers() - timers;
    const double cpuAfter = counter.CpuMs(program.Window());
    const double floorCpuAfter = floorCounter.CpuMs(minimal.Window());
    if (cpu >= 0 && cpuAfter >= 0)
        period.cpuMs = cpuAfter - cpu;
    if (floorCpu >= 0 && floorCpuAfter >= 0)
        period.floorCpuMs = floorCpuAfter - floorCpu;
    return period;
}

Figure CpuFigure(const char* name, const Period& period)
{
    Figure figure;
    figure.name = name;
    figure.unit = "ms";
    if (period.cpuMs >= 0)
        figure.value = { { "value", period.cpuMs } };
    else
        figure.note = "the program did not tell its processor time";
    figure.floorName = "a program that only makes a window, in the same 30 s";
    figure.floor = { { "value", period.floorCpuMs } };
    return figure;
}

Figure TimerFigure(const char* name, const Period& period, bool hookLive)
{
    Figure figure;
    figure.name = name;
    if (hookLive)
        figure.value = { { "value", static_cast<double>(period.timers) } };
    else
        figure.note = "the hook did not run in the program's thread";
    return figure;
}

}  // namespace

int main(int argc, char** argv)
{
    const SuiteRegistration suite;
    LumoraReady program;
    MinimalWindow minimal;
    FigureTable table("Idle cost: processor time (user and kernel) and timers of the resident program over 30 s");
    if (program.Start() < 0 || minimal.Start() < 0 || !program.WaitForStandIns()) {
        table.Add({ "idle cost", "", 0, {}, "", {}, "the programs did not start" });
        return Report(table, argc, argv);
    }
    // The prompt is made before the main window is marked.
    const HWND hPrompt = program.Prompt();
    MessageCounter counter(program.ThreadId());
    MessageCounter floorCounter(minimal.ThreadId());
    const bool hookLive = counter.Live(program.Window()) && floorCounter.Live(minimal.Window());

    const Period hidden = Measure(program, counter, minimal, floorCounter);
    program.Press(EventSource::CaptureDriver, PromptCode(EventSource::CaptureDriver));
    const bool shown = MsUntil([&] { return ShownAndTopmost(hPrompt); }, NowMs()) >= 0;
    const Period blinking = Measure(program, counter, minimal, floorCounter);
    program.Press(EventSource::CaptureDriver, CancelCode(EventSource::CaptureDriver));

    table.Add(CpuFigure("processor time, hidden", hidden));
    Figure blinkCpu = CpuFigure("processor time, prompt up and blinking", blinking);
    if (!shown)
        blinkCpu.note = "the prompt did not come up";
    table.Add(blinkCpu);
    table.Add(TimerFigure("WM_TIMER messages taken while hidden", hidden, hookLive));
    table.Add(TimerFigure("WM_TIMER messages taken while blinking (one tick each 100 ms)", blinking, hookLive));
    program.Close();
    minimal.Close();
    return Report(table, argc, argv);
}
