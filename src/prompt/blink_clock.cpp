// The blink rhythm.
#include "prompt/blink_clock.h"

namespace {

const std::uint32_t TicksAfterToggle = 5;
const std::uint32_t TicksAfterSixthToggle = 1;

}  // namespace

bool BlinkClockTick(std::uint32_t& toggles, std::uint32_t& wait, bool held)
{
    // A held button toggles at every tick; the wait resumes from the last toggle once it is let go.
    if (!held && wait > 0) {
        --wait;
        return false;
    }
    ++toggles;
    wait = toggles % 6 == 0 ? TicksAfterSixthToggle : TicksAfterToggle;
    return true;
}
