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
    bool StartHideTimer()
    {
        steps += "timer ";
        return timerStarts;
    }
    void HidePrompt() { steps += "hide "; }
    void SetLaunching(bool launching) { steps += launching ? "launching " : "not-launching "; }
};

}  // namespace

TEST(LaunchSequence, SuccessfulStartSoundsLeavesTheTopmostBandAndStartsTheTimer)
{
    RecordingLaunch ops;
    EXPECT_TRUE(RunLaunch("C:\\app.exe", false, ops));
    EXPECT_EQ(ops.steps, "start(C:\\app.exe) sound not-topmost launching timer ");
}

TEST(LaunchSequence, FailedStartBeepsAndChangesNothingElse)
{
    RecordingLaunch ops;
    ops.starts = false;
    EXPECT_FALSE(RunLaunch("C:\\missing.exe", false, ops));
    EXPECT_EQ(ops.steps, "start(C:\\missing.exe) beep ");
}

TEST(LaunchSequence, SilentRunHasNeitherSoundNorBeep)
{
    RecordingLaunch started;
    EXPECT_TRUE(RunLaunch("a.exe", true, started));
    EXPECT_EQ(started.steps, "start(a.exe) not-topmost launching timer ");

    RecordingLaunch failed;
    failed.starts = false;
    EXPECT_FALSE(RunLaunch("a.exe", true, failed));
    EXPECT_EQ(failed.steps, "start(a.exe) ");
}

TEST(LaunchSequence, EmptyPathFailsAtOnceWithoutABeep)
{
    RecordingLaunch ops;
    EXPECT_FALSE(RunLaunch("", false, ops));
    EXPECT_FALSE(RunLaunch(nullptr, false, ops));
    EXPECT_EQ(ops.steps, "");
}

TEST(LaunchSequence, WithoutATimerThePromptIsHiddenAtOnceAndNotLeftLaunching)
{
    RecordingLaunch ops;
    ops.timerStarts = false;
    EXPECT_TRUE(RunLaunch("a.exe", false, ops));
    EXPECT_EQ(ops.steps, "start(a.exe) sound not-topmost launching timer hide not-launching ");
}
