// What the program's switches leave behind, held as the program's command-line object holds it,
// and the case-blind comparison the program makes with lstrcmpiA: for the tests and the fuzz
// target of the switches, which run without Windows.
#pragma once

#include "app/ready_switches.h"
#include "framework/cstring.h"

#include <cctype>

struct Switches {
    bool m_bSilent = false;
    bool m_bKill = false;
    CString m_strPath;
    int m_nParseState = ParsedNothing;
};

inline bool EqualIgnoringCase(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b) {
        if (std::toupper(static_cast<unsigned char>(*a)) != std::toupper(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}
