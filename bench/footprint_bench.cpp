// footprint_bench: what the resident program holds, beside the floor program, and what it is made of.
//
//   private bytes and working set after start-up, and after 10,000 button events through the
//   stand-ins: rounds of nine first presses and a cancel, the two sources in turn (the prompt comes
//   up a thousand times and is asked up again while it is up)
//   the sizes of the program files, of this benchmark's build (beside it) and of the shipping i686
//   build (in the folder that the second argument names, if any), and the DLLs each imports
#include "figure_table.h"
#include "message_counter.h"
#include "pe_imports.h"
#include "process_memory.h"
#include "program_under_bench.h"

namespace {

const int Events = 10000;
const int Batch = 100;  // posted before waiting for the program to take them: a queue holds 10,000

// Posts the events through the stand-ins in batches and waits until the program has taken each
// batch; false when it did not within 10 s.
bool SendEvents(const LumoraReady& program, const MessageCounter& counter)
{
    const LONG before = counter.ButtonEvents();
    for (int event = 0; event < Events; ++event) {
        const EventSource source = (event / 10) % 2 == 0 ? EventSource::CaptureDriver : EventSource::Firmware;
        if (!program.Press(source, event % 10 < 9 ? PromptCode(source) : CancelCode(source)))
            return false;
        if ((event + 1) % Batch == 0
            && MsUntil([&] { return counter.ButtonEvents() - before >= event + 1; }, NowMs()) < 0)
            return false;
    }
    return true;
}

// A size in KiB; nothing when it was not read (negative).
std::vector<Statistic> KiB(double bytes)
{
    if (bytes < 0)
        return {};
    return { { "value", bytes / 1024 } };
}

Figure MemoryFigure(const char* name, double bytes, double floorBytes)
{
    return { name, "KiB", 0, KiB(bytes), "a program that only makes a window", KiB(floorBytes), "" };
}

// The file's size; negative when it is not there.
double FileBytes(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return static_cast<double>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow);
}

Figure FileFigure(const std::string& name, const std::string& path, const std::string& floorPath)
{
    Figure figure = { name, "KiB", 0, KiB(FileBytes(path)), "a program that only makes a window",
                      KiB(FileBytes(floorPath)), "" };
    std::vector<std::string> dlls;
    if (!ImportedDlls(path, &dlls)) {
        figure.note = "not a program file this benchmark reads: " + path;
        return figure;
    }
    figure.note = "imports";
    for (const std::string& dll : dlls)
        figure.note += (dll == dlls.front() ? " " : ", ") + dll;
    return figure;
}

}  // namespace

int main(int argc, char** argv)
{
    const SuiteRegistration suite;
    FigureTable table("Footprint: memory of the resident program, and its files");
    LumoraReady program;
    MinimalWindow minimal;
    if (program.Start() >= 0 && minimal.Start() >= 0 && program.WaitForStandIns()) {
        // Both programs carry the counting hook in every reading, so that it weighs the same on both
        // sides and before and after the events.
        MessageCounter counter(program.ThreadId());
        MessageCounter floorCounter(minimal.ThreadId());
        const bool hooked = counter.Live(program.Window()) && floorCounter.Live(minimal.Window());
        const MemoryFigures started = MemoryOf(program.ProcessId());
        const MemoryFigures floor = MemoryOf(minimal.ProcessId());
        const bool sent = hooked && SendEvents(program, counter);
        const HWND hPrompt = program.Prompt();
        MsUntil([&] { return !::IsWindowVisible(hPrompt); }, NowMs());
        const MemoryFigures after = MemoryOf(program.ProcessId());

        table.Add(MemoryFigure("private bytes after start-up", started.privateBytes, floor.privateBytes));
        table.Add(MemoryFigure("working set after start-up", started.workingSet, floor.workingSet));
        Figure privateAfter = MemoryFigure("private bytes after 10,000 events", after.privateBytes, floor.privateBytes);
        Figure workingAfter = MemoryFigure("working set after 10,000 events", after.workingSet, floor.workingSet);
        if (!sent)
            privateAfter.note = workingAfter.note = "the program did not take the events";
        table.Add(privateAfter);
        table.Add(workingAfter);
    } else {
        table.Add({ "memory", "", 0, {}, "", {}, "the programs did not start" });
    }
    program.Close();
    minimal.Close();

    table.Add(FileFigure(std::string("program file, ") + BuildArchitecture(), ProgramBeside("LumoraReady.exe"),
                         ProgramBeside("minimal_window.exe")));
    if (argc > 2) {
        const std::string folder = std::string(argv[2]) + "\\";
        table.Add(FileFigure("program file, i686 (shipping)", folder + "LumoraReady.exe", folder + "minimal_window.exe"));
    }
    return Report(table, argc, argv);
}
