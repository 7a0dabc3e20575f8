// The background pattern's 232 bytes.
#include "prompt/pattern_dib.h"

#include <gtest/gtest.h>

#include <vector>

TEST(PatternDib, HeaderAndSixtyFourPixelsInBlueGreenRedOrder)
{
    std::vector<unsigned char> dib(PatternDibSize + 1, 0xCC);  // one sentinel byte past the end
    WritePatternDib(dib.data(), 0x00123456);  // red 0x56, green 0x34, blue 0x12

    const std::vector<unsigned char> header = {
        40, 0, 0, 0,  8, 0, 0, 0,  8, 0, 0, 0,  1, 0,  24, 0,
        0, 0, 0, 0,   0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,  0, 0, 0, 0,
    };
    EXPECT_EQ(std::vector<unsigned char>(dib.begin(), dib.begin() + 40), header);
    for (size_t pixel = 0; pixel < 64; ++pixel) {
        const unsigned char* bytes = &dib[40 + 3 * pixel];
        EXPECT_EQ(bytes[0], 0x12) << "pixel " << pixel;
        EXPECT_EQ(bytes[1], 0x34) << "pixel " << pixel;
        EXPECT_EQ(bytes[2], 0x56) << "pixel " << pixel;
    }
    EXPECT_EQ(dib[PatternDibSize], 0xCC) << "wrote past the 232 bytes";
}
