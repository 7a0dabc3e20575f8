// The reduction of both event sources' codes to button events.
#include "events/button_event.h"

ButtonEvent MapCaptureDriverCode(std::uintptr_t wParam)
{
    switch (wParam) {
    case 1:
        return ButtonEvent::Prompt;
    case 2:
        return ButtonEvent::Launch;
    case 3:
    case 4:
        return ButtonEvent::Cancel;
    default:
        return ButtonEvent::None;
    }
}

ButtonEvent MapFirmwareCode(std::intptr_t lParam)
{
    switch (lParam & FirmwareEventMask) {
    case 0x800:
        return ButtonEvent::Prompt;
    case 0x400:
        return ButtonEvent::Launch;
    case 0x1000:
    case 0x1400:
        return ButtonEvent::Cancel;
    default:  // 0x000, 0xC00 (Launch and Prompt together), 0x1800, 0x1C00
        return ButtonEvent::None;
    }
}
