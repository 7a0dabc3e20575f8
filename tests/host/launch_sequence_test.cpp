// The steps of a launch, as the event window carries them out.
#include "events/launch_sequence.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Records the steps taken, each as a word.
struct RecordingLaunch {
    bool starts = true;
    bool timerStarts = true;
    std::string steps;

    bool Start(const char* path)
    {
        steps += std::string("start(") + path + ") ";
        return starts;
    }
    void Beep() { steps += "beep "; }
    void PlayLaunchSound() { steps += "sound "; }
    void LeaveTopmost() { steps += "not-topmost "; }
    bool StartLaunchTimer()
    {
        steps += "timer ";
        return timerStarts;
    }
    void HidePrompt() { steps += "hide "; }
};

}  // namespace

TEST(LaunchSequence, StepsFollowTheTable)
{
    const struct {
        const char* path;
        bool silent;
        bool starts;
        bool timerStarts;
        bool started;
        const char* steps;
    } rows[] = {
        { "C:\\app.exe", false, true, true, true, "start(C:\\app.exe) sound not-topmost timer " },
        { "C:\\missing.exe", false, false, true, false, "start(C:\\missing.exe) beep " },
        { "a.exe", true, true, true, true, "start(a.exe) not-topmost timer " },
        { "a.exe", true, false, true, false, "start(a.exe) " },
        // An empty path fails at once, without a beep.
        { "", false, true, true, false, "" },
        { nullptr, false, true, true, false, "" },
        // Without a timer the prompt is hidden at once.
        { "a.exe", false, true, false, true, "start(a.exe) sound not-topmost timer hide " },
    };
    for (const auto& row : rows) {
        RecordingLaunch ops;
        ops.starts = row.starts;
        ops.timerStarts = row.timerStarts;
        EXPECT_EQ(RunLaunch(row.path, row.silent, ops), row.started) << row.steps;
        EXPECT_EQ(ops.steps, row.steps);
    }
}
