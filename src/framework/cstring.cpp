// The platform-free part of CString.
#include "framework/cstring.h"

CString::CString(const char* psz)
    : m_text(psz ? psz : "")
{
}

CString& CString::operator=(const char* psz)
{
    m_text = psz ? psz : "";
    return *this;
}

void CString::MakeUpper()
{
    for (char& c : m_text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
}

void CString::Format(const char* pattern, const char* arg)
{
    std::string result;
    bool argUsed = false;
    for (const char* p = pattern ? pattern : ""; *p; ++p) {
        if (p[0] == '%' && p[1] == '%') {
            result += '%';
            ++p;
        } else if (p[0] == '%' && p[1] == 's' && !argUsed) {
            result += arg ? arg : "";
            argUsed = true;
            ++p;
        } else {
            result += *p;
        }
    }
    m_text.swap(result);
}
