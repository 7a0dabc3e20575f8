// Wide text into a CString: the conversion into the process's ANSI code page.
#include "framework/win32.h"

#include "framework/cstring.h"

#include <vector>

CString AnsiFromWide(const wchar_t* pwsz)
{
    if (pwsz == nullptr)
        return CString();
    const int size = ::WideCharToMultiByte(CP_ACP, 0, pwsz, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return CString();
    std::vector<char> text(static_cast<size_t>(size));
    if (::WideCharToMultiByte(CP_ACP, 0, pwsz, -1, text.data(), size, nullptr, nullptr) != size)
        return CString();
    return CString(text.data());
}
