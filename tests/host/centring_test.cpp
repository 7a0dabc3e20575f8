// Centring a window: on the given rectangle, kept within the work area of the monitor that holds it.
#include "framework/centring.h"

#include <gtest/gtest.h>

namespace {

const ScreenRect Screen = { 0, 0, 1024, 768 };
const ScreenRect WorkArea = { 0, 0, 1024, 728 };  // a 40-pixel taskbar at the bottom
const Monitor Primary = { Screen, WorkArea };
const Monitor Right = { { 1024, 0, 2304, 1024 }, { 1024, 0, 2304, 1024 } };
const Monitor Left = { { -1280, 0, 0, 1024 }, { -1220, 0, 0, 1024 } };  // its taskbar on its left side
const Monitor Above = { { 0, -900, 1440, 0 }, { 0, -900, 1440, 0 } };

}  // namespace

TEST(Centring, OnTheRectangleKeptWithinTheWorkAreaOfItsMonitor)
{
    const ScreenRect lowWindow = { 600, 650, 1000, 760 };
    const struct {
        const char* situation;
        int width, height;
        std::optional<ScreenRect> on;  // none: the centring window is hidden
        int x, y;
        std::vector<Monitor> monitors = { Primary };
        ScreenPoint from = { 0, 0 };  // where the window sits before
    } rows[] = {
        { "centred on the whole screen, not on the work area, when the taskbar leaves room", 240, 85, Screen, 392, 341 },
        { "moved up to end at the work area's bottom", 300, 100, lowWindow, 650, 628 },
        { "larger than the area: its top left corner kept inside", 1200, 900, Screen, 0, 0 },
        { "dragged to the right monitor: centred and kept on the primary", 400, 700, Screen, 312, 28,
          { Right, Primary }, { 1500, 100 } },
        { "on the left monitor, past its side taskbar", 240, 85, ScreenRect{ -1280, 400, -1000, 500 }, -1220, 407,
          { Primary, Left } },
        { "on the monitor above", 240, 85, Above.bounds, 600, -492, { Primary, Above } },
        { "straddling two monitors: the one overlapped most", 400, 110, ScreenRect{ 900, 100, 1300, 400 }, 1024, 195,
          { Primary, Right } },
        { "off every monitor: the nearest", 240, 85, ScreenRect{ 2400, 100, 2600, 300 }, 2064, 157, { Primary, Right } },
        { "hidden: the work area of its own monitor", 240, 85, std::nullopt, 1544, 469, { Primary, Right }, { 2000, 900 } },
    };
    for (const auto& row : rows) {
        const ScreenRect window = { row.from.x, row.from.y, row.from.x + row.width, row.from.y + row.height };
        const ScreenPoint at = CentredWithinMonitor(row.monitors, window, row.on);
        EXPECT_EQ(at.x, row.x) << row.situation;
        EXPECT_EQ(at.y, row.y) << row.situation;
    }
}
