// The file-name part of a path.
#pragma once

#include <string>

// The text after the last backslash, slash or colon of path: the whole path when it has none, and
// empty when it ends with one. The path is walked by characters of its code page: isLeadByte tells
// which bytes begin a double-byte character, whose second byte is never taken for a separator
// (in Shift-JIS, the second byte of many characters is the backslash's 0x5C).
template <class IsLeadByte>
std::string FileNamePart(const char* path, IsLeadByte isLeadByte)
{
    const char* name = path;
    for (const char* p = path; *p;) {
        if (isLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') {
            p += 2;
            continue;
        }
        if (*p == '\\' || *p == '/' || *p == ':')
            name = p + 1;
        ++p;
    }
    return name;
}
