// The settings store's decoding of a value's data, as a string and as a number. The store never
// looks at the stored type, so the input is the data alone, of any length.
#include "framework/cstring.h"
#include "fuzz_check.h"
#include "settings/value_decoding.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = DecodeString(data, size);
    FuzzCheck(text.size() <= size, "a string never passes the data's size");
    FuzzCheck(std::memcmp(text.data(), data, text.size()) == 0, "a string is the data's own bytes");
    FuzzCheck(text.find('\0') == std::string::npos, "a string holds no zero byte");
    FuzzCheck(text.size() == size || data[text.size()] == 0, "a string ends at the first zero byte or the data's end");
    FuzzCheck(CString(text.c_str()).GetLength() == static_cast<int>(text.size()),
              "the framework's string keeps the whole text");

    const std::uint32_t number = DecodeNumber(data, size);
    unsigned char stored[4] = {};
    std::memcpy(stored, data, size < 4 ? size : 4);
    const unsigned char encoded[4] = {
        static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
        static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24),
    };
    FuzzCheck(std::memcmp(encoded, stored, 4) == 0,
              "a number's little-endian bytes are the data's first four, zero where the data is shorter");
    return 0;
}
