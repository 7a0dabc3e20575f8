// CString: the framework's ANSI string, a byte string that owns its text.
// The core is plain C++ (cstring.cpp); loading from the string table (cstring_resources.cpp) and
// the conversion from wide text (cstring_wide.cpp) are Windows code.
#pragma once

#include <string>

// <windows.h> maps LoadString to LoadStringA; the member keeps its own name whatever came before.
#ifdef LoadString
#undef LoadString
#endif

class CString {
public:
    CString() = default;
    CString(const char* psz);  // a null pointer gives the empty string

    CString& operator=(const char* psz);

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }

    // Maps the bytes a to z onto A to Z and leaves every other byte as it is.
    void MakeUpper();

    // Replaces the text with pattern, its first "%s" replaced by arg (a null arg counts as empty)
    // and each "%%" by "%". Any other '%' stays as it stands, so a pattern can never read an
    // argument that was not given.
    void Format(const char* pattern, const char* arg);

    // Windows only: the string nID of the string table in the language that the platform's resource
    // lookup picks. LoadString leaves the text empty and returns 0 when there is no such string.
    int LoadString(unsigned int nID);
    void Format(unsigned int nFormatID, const char* arg);

    operator const char*() const { return m_text.c_str(); }

    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator==(const CString& a, const char* b) { return a == CString(b); }
    friend bool operator!=(const CString& a, const char* b) { return !(a == b); }
    friend bool operator==(const char* a, const CString& b) { return b == a; }
    friend bool operator!=(const char* a, const CString& b) { return !(b == a); }

private:
    std::string m_text;
};

// Windows only: wide text in the process's ANSI code page. A null pointer, or text that cannot be
// converted, gives the empty string.
CString AnsiFromWide(const wchar_t* pwsz);
