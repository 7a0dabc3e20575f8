// CString's access to the string table.
#include "framework/win32.h"

#include "framework/afx_helpers.h"
#include "framework/cstring.h"

#include <vector>

int CString::LoadString(unsigned int nID)
{
    // Strings are stored in blocks of sixteen; the block is the resource that is looked up.
    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCEA((nID >> 4) + 1), RT_STRING);
    // A table entry holds up to 65535 UTF-16 units, two bytes each at most in the ANSI code page.
    const size_t largest = 2 * 65536;
    std::vector<char> buffer(256);
    for (;;) {
        const int length = ::LoadStringA(hInstance, nID, buffer.data(), static_cast<int>(buffer.size()));
        // A text that ends before the last two places cannot have been cut: a cut drops at most a
        // double-byte character beside the terminator.
        if (length < static_cast<int>(buffer.size()) - 2 || buffer.size() >= largest) {
            m_text.assign(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
            return GetLength();
        }
        buffer.resize(buffer.size() * 2);
    }
}

void CString::Format(unsigned int nFormatID, const char* arg)
{
    CString pattern;
    pattern.LoadString(nFormatID);
    Format(pattern, arg);
}
