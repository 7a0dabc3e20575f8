// The background pattern's bytes, written field by field in little-endian order.
#include "prompt/pattern_dib.h"

namespace {

unsigned char* PutLittleEndian(unsigned char* out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        *out++ = static_cast<unsigned char>(value >> (8 * i));
    return out;
}

}  // namespace

void WritePatternDib(unsigned char* buffer, std::uint32_t colour)
{
    const int width = 8;
    const int height = 8;
    unsigned char* out = buffer;
    out = PutLittleEndian(out, 40, 4);      // biSize
    out = PutLittleEndian(out, width, 4);   // biWidth
    out = PutLittleEndian(out, height, 4);  // biHeight, positive: rows bottom-up
    out = PutLittleEndian(out, 1, 2);       // biPlanes
    out = PutLittleEndian(out, 24, 2);      // biBitCount
    for (int field = 0; field < 6; ++field)  // compression (BI_RGB), image size, resolution, colours
        out = PutLittleEndian(out, 0, 4);
    for (int pixel = 0; pixel < width * height; ++pixel) {
        *out++ = static_cast<unsigned char>(colour >> 16);  // blue
        *out++ = static_cast<unsigned char>(colour >> 8);   // green
        *out++ = static_cast<unsigned char>(colour);        // red
    }
}
