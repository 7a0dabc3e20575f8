// The 8 x 8 pixel, 24-bit packed DIB of one colour that the icon button's background brush is made of.
#pragma once

#include <cstddef>
#include <cstdint>

// A BITMAPINFOHEADER (40 bytes) and 64 pixels of 3 bytes, rows bottom-up, no fill bytes.
const std::size_t PatternDibSize = 232;

// Writes the DIB into buffer, which holds PatternDibSize bytes. colour is a COLORREF, 0x00BBGGRR;
// each pixel is its blue, green and red bytes, in that order.
void WritePatternDib(unsigned char* buffer, std::uint32_t colour);
