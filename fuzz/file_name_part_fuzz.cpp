// The file-name part of a path, walked by the characters of a code page. Input: one byte that picks
// the code page's lead bytes, then the path (up to a zero byte, if any).
#include "framework/file_name_part.h"
#include "fuzz_check.h"
#include "fuzz_input.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using IsLeadByte = bool (*)(unsigned char);

// The lead bytes of a single-byte code page, of Shift-JIS, of the Chinese and Korean double-byte
// pages, and of no real page: every byte pairs with the next, separators included.
const IsLeadByte CodePages[] = {
    [](unsigned char) { return false; },
    [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); },
    [](unsigned char b) { return b >= 0x81 && b <= 0xFE; },
    [](unsigned char b) { return b != 0; },
};

std::string NameOf(const std::string& path, IsLeadByte isLeadByte)
{
    const auto copy = TerminatedCopy(path);
    return FileNamePart(copy.get(), [isLeadByte](unsigned char byte) {
        FuzzCheck(byte != 0, "the terminator is never asked about");
        return isLeadByte(byte);
    });
}

bool IsSeparator(char c)
{
    return c == '\\' || c == '/' || c == ':';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const IsLeadByte isLeadByte = CodePages[data[0] % (sizeof CodePages / sizeof CodePages[0])];
    FuzzTexts texts(data + 1, size - 1);
    const std::string path = texts.At(0);

    const std::string name = NameOf(path, isLeadByte);
    FuzzCheck(name.size() <= path.size() && path.compare(path.size() - name.size(), name.size(), name) == 0,
              "the name is the path's end");
    FuzzCheck(NameOf(name, isLeadByte) == name, "the name holds no separator character");
    const std::size_t start = path.size() - name.size();
    if (start > 0) {
        FuzzCheck(IsSeparator(path[start - 1]), "the name follows a separator");
        FuzzCheck(NameOf(path.substr(0, start), isLeadByte).empty(),
                  "that separator is a whole character, not the second byte of one");
    }
    if (path.find_first_of("\\/:") == std::string::npos)
        FuzzCheck(name == path, "a path without separators is its own name");
    bool anyLeadByte = false;
    for (char c : path)
        anyLeadByte = anyLeadByte || isLeadByte(static_cast<unsigned char>(c));
    if (!anyLeadByte)
        FuzzCheck(name == path.substr(path.find_last_of("\\/:") + 1),
                  "without lead bytes the name is what follows the last separator byte");
    if (!isLeadByte('C') && !isLeadByte(':') && !isLeadByte('\\'))
        FuzzCheck(NameOf("C:\\" + path, isLeadByte) == name, "a folder before the path leaves its name");
    return 0;
}
