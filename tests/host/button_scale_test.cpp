// The prompt's icon button at the display scales users run: its place and size in the dialog's
// pixels, and the width of its High Contrast rim.
#include "prompt/button_scale.h"

#include <gtest/gtest.h>

TEST(IconButtonScale, PlaceSizeAndRimAtEachScale)
{
    const struct {
        unsigned int dpi;
        int offset, size, rim;
    } rows[] = {
        { 96, 12, 32, 1 },  { 0, 12, 32, 1 },    { 120, 15, 40, 1 }, { 144, 18, 48, 2 },
        { 168, 21, 56, 2 }, { 192, 24, 64, 2 },  { 288, 36, 96, 3 }, { 24, 3, 8, 1 },
    };
    for (const auto& row : rows) {
        const ButtonPlace place = IconButtonPlace(row.dpi);
        EXPECT_EQ(place.left, row.offset) << row.dpi << " DPI";
        EXPECT_EQ(place.top, row.offset) << row.dpi << " DPI";
        EXPECT_EQ(place.size, row.size) << row.dpi << " DPI";
        EXPECT_EQ(HighContrastRimWidth(row.dpi), row.rim) << row.dpi << " DPI";
    }
}
