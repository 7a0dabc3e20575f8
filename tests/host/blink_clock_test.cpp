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

TEST(BlinkClock, TogglesComeAtTheTicksOfTheTable)
{
    // Toggle n shows slot (n - 1) & 1: 0, 1, 0, 1 ... so the 200 ms step always shows slot 1.
    const struct {
        const char* situation;
        std::uint32_t toggles, wait;  // the counters as the stretch meets them
        bool held;
        int ticks;
        std::vector<int> at;
        std::uint32_t togglesAfter, waitAfter;
    } rows[] = {
        { "the first fourteen toggles of the process", 0, 0, false, 71,
          { 1, 7, 13, 19, 25, 31, 33, 39, 45, 51, 57, 63, 65, 71 }, 14, 5 },
        // A stop and a start after two ticks of waiting: the next toggle (wait + 1) ticks on, 400 ms.
        { "a restart continues with the wait left", 1, 3, false, 10, { 4, 10 }, 3, 5 },
        { "a held button toggles at every tick", 1, 3, true, 4, { 1, 2, 3, 4 }, 5, 5 },
        // Let go after the fifth toggle: the sixth comes 600 ms later, then the short step.
        { "the rhythm resumes from the last toggle", 5, 5, false, 10, { 6, 8 }, 7, 3 },
        { "held right after a sixth toggle still toggles at once", 6, 1, true, 1, { 1 }, 7, 5 },
    };
    for (const auto& row : rows) {
        std::uint32_t toggles = row.toggles;
        std::uint32_t wait = row.wait;
        EXPECT_EQ(ToggleTicks(toggles, wait, row.ticks, row.held), row.at) << row.situation;
        EXPECT_EQ(toggles, row.togglesAfter) << row.situation;
        EXPECT_EQ(wait, row.waitAfter) << row.situation;
    }
}
