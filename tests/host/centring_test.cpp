// Centring a window: on the given rectangle, kept within the work area.
#include "framework/centring.h"

#include <gtest/gtest.h>

namespace {

const ScreenRect Screen = { 0, 0, 1024, 768 };
const ScreenRect WorkArea = { 0, 0, 1024, 728 };  // a 40-pixel taskbar at the bottom

}  // namespace

TEST(Centring, OnTheWholeScreenWhenTheTaskbarLeavesRoom)
{
    const ScreenPoint at = CentredPosition(240, 85, Screen, WorkArea);
    EXPECT_EQ(at.x, 392);
    EXPECT_EQ(at.y, 341) << "centred on the screen, not on the work area";
}

TEST(Centring, KeptWithinTheWorkArea)
{
    const ScreenRect lowWindow = { 600, 650, 1000, 760 };
    const ScreenPoint at = CentredPosition(300, 100, lowWindow, WorkArea);
    EXPECT_EQ(at.x, 650);
    EXPECT_EQ(at.y, 628) << "moved up to end at the work area's bottom";
}

TEST(Centring, WindowLargerThanTheAreaKeepsItsTopLeftCornerInside)
{
    const ScreenPoint at = CentredPosition(1200, 900, Screen, WorkArea);
    EXPECT_EQ(at.x, 0);
    EXPECT_EQ(at.y, 0);
}
