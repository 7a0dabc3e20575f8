// The reduction of both event sources' codes to button events, and the decision that one event
// makes. Input: the capture driver's wParam (8 bytes, little-endian), the firmware's lParam (8 bytes)
// and one byte of situation (bit 0 launching, bit 1 the capture application runs, bit 2 busy);
// missing bytes are zero.
#include "events/button_event.h"
#include "event_decision_table.h"
#include "events/event_decision.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

// The next count bytes of the input as a little-endian number.
std::uint64_t Take(const std::uint8_t*& data, std::size_t& size, std::size_t count)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < count && size > 0; ++i, ++data, --size)
        value |= static_cast<std::uint64_t>(*data) << (8 * i);
    return value;
}

bool IsDefined(ButtonEvent event)
{
    return event == ButtonEvent::None || event == ButtonEvent::Prompt || event == ButtonEvent::Launch
        || event == ButtonEvent::Cancel;
}

void CheckCaptureDriverCode(std::uintptr_t wParam)
{
    const ButtonEvent event = MapCaptureDriverCode(wParam);
    FuzzCheck(IsDefined(event), "a driver code maps to a defined event");
    FuzzCheck((event != ButtonEvent::None) == (wParam >= 1 && wParam <= 4), "driver codes 1 to 4 act, no other");
}

void CheckFirmwareCode(std::intptr_t lParam)
{
    const ButtonEvent event = MapFirmwareCode(lParam);
    const std::intptr_t code = lParam & FirmwareEventMask;
    FuzzCheck(IsDefined(event), "a firmware code maps to a defined event");
    FuzzCheck(MapFirmwareCode(code) == event && MapFirmwareCode(lParam | ~FirmwareEventMask) == event,
              "no bit outside the firmware mask matters");
    FuzzCheck((event == ButtonEvent::Prompt) == (code == 0x800), "Prompt is 0x800 alone");
    FuzzCheck((event == ButtonEvent::Launch) == (code == 0x400), "Launch is 0x400 alone");
    FuzzCheck((event == ButtonEvent::Cancel) == (code == 0x1000 || code == 0x1400), "Cancel is 0x1000, or with 0x400");
}

// What the decision does and asks, as the table of the decision order says.
void CheckDecision(ButtonEvent event, bool launching, bool appRunning, bool busy)
{
    std::string probes;
    const EventEffect effect = DecideEventEffect(
        launching, event, [&] { probes += 'a'; return appRunning; }, [&] { probes += 'b'; return busy; });
    const DecisionRow* row = RowFor(launching, appRunning, busy, event);
    FuzzCheck(row != nullptr, "every state matches one row of the table");
    FuzzCheck(effect == row->effect, "the effect is the table's");
    FuzzCheck(probes == row->probes, "the probes are the table's, in its order");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto wParam = static_cast<std::uintptr_t>(Take(data, size, sizeof(std::uintptr_t)));
    const auto lParam = static_cast<std::intptr_t>(Take(data, size, sizeof(std::intptr_t)));
    const auto situation = static_cast<unsigned>(Take(data, size, 1));
    const bool launching = (situation & 1) != 0;
    const bool appRunning = (situation & 2) != 0;
    const bool busy = (situation & 4) != 0;

    CheckCaptureDriverCode(wParam);
    CheckFirmwareCode(lParam);
    CheckDecision(MapCaptureDriverCode(wParam), launching, appRunning, busy);
    CheckDecision(MapFirmwareCode(lParam), launching, appRunning, busy);
    return 0;
}
