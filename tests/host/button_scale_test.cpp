// The prompt's icon button at the display scales users run: its place and size in the dialog's
// pixels, and the width of its High Contrast rim.
#include "prompt/button_scale.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(IconButtonScale, PlaceSizeAndRimAtEachScale)
{
    const unsigned int rows[][4] = { // DPI, left and top, size, rim
        { 96, 12, 32, 1 }, { 0, 12, 32, 1 }, { 120, 15, 40, 1 }, { 144, 18, 48, 2 }, { 192, 24, 64, 2 }, { 288, 36, 96, 3 } };
    for (const auto& row : rows) {
        const ButtonPlace place = IconButtonPlace(row[0]);
        const unsigned int got[] = { row[0], static_cast<unsigned int>(place.left), static_cast<unsigned int>(place.size),
                                     static_cast<unsigned int>(HighContrastRimWidth(row[0])) };
        EXPECT_TRUE(std::equal(got + 1, got + 4, row + 1) && place.top == place.left) << row[0] << " DPI";
    }
}
