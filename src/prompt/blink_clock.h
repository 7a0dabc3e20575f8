// The blink rhythm of the prompt's icon, counted in ticks of 100 ms: a toggle every sixth tick,
// every second tick after each sixth toggle, and every tick while the button is held.
#pragma once

#include <cstdint>

const unsigned int BlinkTickMs = 100;

// One tick. toggles counts the toggles made so far, wait the ticks still to pass without one.
// Returns true when the icon toggles at this tick.
bool BlinkClockTick(std::uint32_t& toggles, std::uint32_t& wait, bool held);
