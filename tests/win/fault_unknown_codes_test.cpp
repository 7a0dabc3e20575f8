// Floods of event codes that mean nothing, delivered by both library stand-ins to the whole
// program, with the prompt hidden and shown: the program stays, a flood does not hide a shown
// prompt, and the next real press still does what it should.
#include "press_link.h"
#include "program_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using namespace program_fixture;

namespace {

const unsigned FloodSeed = 20261208;
const int EventsPerFlood = 5000;

// The library stand-ins' press windows in the running program.
struct PressWindows {
    HWND hDriver;
    HWND hFirmware;
};

// Delivers the code through the stand-in, as the library would deliver a press. A queue that is
// full for the moment is given time to drain.
bool Deliver(HWND hPress, WPARAM code)
{
    return WaitUntil([&] { return ::PostMessageA(hPress, StandInPressMessage, code, 0) != FALSE; }, 10000);
}

// Codes that the program must ignore, half through each library: the driver's other than 1 to 4,
// the service's whose bits 0x1C00 are 0, 0xC00, 0x1800 or 0x1C00, whatever the other bits hold.
int Flood(const PressWindows& windows, std::mt19937& random)
{
    static const DWORD ignoredFirmwareBits[] = { 0x0000, 0x0C00, 0x1800, 0x1C00 };
    int delivered = 0;
    for (int i = 0; i < EventsPerFlood; ++i) {
        const DWORD value = random();
        if (i % 2 == 0) {
            const DWORD code = value % 3 == 0 ? 0 : (value < 5 ? value + 5 : value);
            delivered += Deliver(windows.hDriver, code) ? 1 : 0;
        } else {
            const DWORD code = (value & ~0x1C00u) | ignoredFirmwareBits[value % 4];
            delivered += Deliver(windows.hFirmware, code) ? 1 : 0;
        }
    }
    return delivered;
}

class UnknownCodeFlood : public Program {};

}  // namespace

// Each flood ends with a real press through the other library. Events of one thread's queue are
// handled in the order they were posted, so when that press has acted every code before it has
// been handled.
TEST_F(UnknownCodeFlood, ChangesNothing)
{
    ChildProcess& program = Start();
    const HWND hMain = WaitForMarkedWindow(program);
    ASSERT_NE(hMain, (HWND)NULL);
    ASSERT_TRUE(Press("prompt"));
    const HWND hPrompt = WaitForShownPrompt(program);
    ASSERT_NE(hPrompt, (HWND)NULL);
    const PressWindows windows = { ::FindWindowExA(HWND_MESSAGE, NULL, CaptureDriverPressClass, NULL),
                                   ::FindWindowExA(HWND_MESSAGE, NULL, FirmwarePressClass, NULL) };
    ASSERT_NE(windows.hDriver, (HWND)NULL);
    ASSERT_NE(windows.hFirmware, (HWND)NULL);
    std::mt19937 random(FloodSeed);
    int delivered = 0;

    // Shown: a flood, then a launch of the default target, which is not there. The failure neither
    // shows nor hides the prompt, so it is still shown only when nothing in the flood hid it.
    delivered += Flood(windows, random);
    ASSERT_TRUE(Deliver(windows.hFirmware, 0x400));
    EXPECT_TRUE(WaitUntil([&] { return DialogText(hPrompt) == "Failed to launch Lumora."; }, 10000));
    EXPECT_TRUE(::IsWindowVisible(hPrompt)) << "a code of the flood hid the prompt";

    // Hidden by a real cancel: a flood, then a real first press shows the prompt with its text.
    ASSERT_TRUE(Deliver(windows.hDriver, 3));
    ASSERT_TRUE(WaitUntil([&] { return !::IsWindowVisible(hPrompt); }, 10000));
    delivered += Flood(windows, random);
    ASSERT_TRUE(Deliver(windows.hFirmware, 0x800));
    ASSERT_NE(WaitForShownPrompt(program), (HWND)NULL);
    EXPECT_EQ(DialogText(hPrompt), "Press down to start Lumora!!");

    EXPECT_EQ(delivered, 2 * EventsPerFlood);
    EXPECT_FALSE(program.WaitForExit(0));
    ::PostMessageA(hMain, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program.WaitForExit(10000));
    EXPECT_EQ(program.ExitCode(), 0u);
    printf("[ events   ] %d unknown codes (seed %u)\n", delivered, FloodSeed);
}
