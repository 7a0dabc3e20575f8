// The three actions to which both sources of camera-button events are reduced, and the reduction.
#pragma once

#include <cstdint>

enum class ButtonEvent {
    None,    // a code that means nothing here
    Prompt,  // first press
    Launch,  // second press
    Cancel,
};

// The capture driver library's code, in the registered message's wParam: 1 Prompt, 2 Launch,
// 3 and 4 Cancel, anything else none.
ButtonEvent MapCaptureDriverCode(std::uintptr_t wParam);

// The firmware service's code, the bits 0x1C00 of lParam taken as one value: 0x800 Prompt, 0x400
// Launch, 0x1000 and 0x1400 Cancel, the other combinations none. No other bit matters.
ButtonEvent MapFirmwareCode(std::intptr_t lParam);

// The mask of the firmware code's bits; the firmware service is asked for events of this mask.
const std::intptr_t FirmwareEventMask = 0x1C00;
