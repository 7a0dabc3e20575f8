// The blink rhythm in ticks of 100 ms: every sixth tick, every second tick after each sixth
// toggle, every tick while the button is held, and never reset.
#include "prompt/blink_clock.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

// The ticks (counted from 1) at which toggles come, over the given number of ticks.
std::vector<int> ToggleTicks(std::uint32_t& toggles, std::uint32_t& wait, int ticks, bool held = false)
{
    std::vector<int> at;
    for (int tick = 1; tick <= ticks; ++tick) {
        if (BlinkClockTick(toggles, wait, held))
            at.push_back(tick);
    }
    return at;
}

}  // namespace

TEST(BlinkClock, FirstFourteenTogglesOfTheProcess)
{
    std::uint32_t toggles = 0;
    std::uint32_t wait = 0;
    // Toggle n shows slot (n - 1) & 1: 0, 1, 0, 1 ... so the 200 ms step always shows slot 1.
    EXPECT_EQ(ToggleTicks(toggles, wait, 71),
              (std::vector<int>{ 1, 7, 13, 19, 25, 31, 33, 39, 45, 51, 57, 63, 65, 71 }));
    EXPECT_EQ(toggles, 14u);
}

TEST(BlinkClock, RestartContinuesWithTheWaitLeft)
{
    std::uint32_t toggles = 0;
    std::uint32_t wait = 0;
    ToggleTicks(toggles, wait, 3);  // toggle at tick 1, then two ticks waited
    ASSERT_EQ(wait, 3u);
    // After a stop and a start the first toggle comes (wait + 1) ticks later: 400 ms.
    EXPECT_EQ(ToggleTicks(toggles, wait, 10), (std::vector<int>{ 4, 10 }));
}

TEST(BlinkClock, HeldButtonTogglesEveryTickAndTheRhythmResumesFromTheLastToggle)
{
    std::uint32_t toggles = 0;
    std::uint32_t wait = 0;
    ToggleTicks(toggles, wait, 3);
    EXPECT_EQ(ToggleTicks(toggles, wait, 4, true), (std::vector<int>{ 1, 2, 3, 4 }));
    EXPECT_EQ(toggles, 5u);
    // Released after the fifth toggle: the sixth comes 600 ms later, then the short step.
    EXPECT_EQ(ToggleTicks(toggles, wait, 10), (std::vector<int>{ 6, 8 }));
}

TEST(BlinkClock, HeldRightAfterASixthToggleStillTogglesAtOnce)
{
    std::uint32_t toggles = 6;
    std::uint32_t wait = 1;
    EXPECT_TRUE(BlinkClockTick(toggles, wait, true));
    EXPECT_EQ(wait, 5u);
}
