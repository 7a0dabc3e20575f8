// Centring a window: on the given rectangle, kept within the work area.
#include "framework/centring.h"

#include <gtest/gtest.h>

namespace {

const ScreenRect Screen = { 0, 0, 1024, 768 };
const ScreenRect WorkArea = { 0, 0, 1024, 728 };  // a 40-pixel taskbar at the bottom

}  // namespace

TEST(Centring, OnTheRectangleKeptWithinTheWorkArea)
{
    const ScreenRect lowWindow = { 600, 650, 1000, 760 };
    const struct {
        const char* situation;
        int width, height;
        ScreenRect on;
        int x, y;
    } rows[] = {
        { "centred on the whole screen, not on the work area, when the taskbar leaves room", 240, 85, Screen, 392, 341 },
        { "moved up to end at the work area's bottom", 300, 100, lowWindow, 650, 628 },
        { "larger than the area: its top left corner kept inside", 1200, 900, Screen, 0, 0 },
    };
    for (const auto& row : rows) {
        const ScreenPoint at = CentredPosition(row.width, row.height, row.on, WorkArea);
        EXPECT_EQ(at.x, row.x) << row.situation;
        EXPECT_EQ(at.y, row.y) << row.situation;
    }
}
