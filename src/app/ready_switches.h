// The program's switches: "KILL", "SILENT", and "PATH" followed by a file. A switch begins with
// '/' or '-' (the framework takes that character off) and is matched without regard to case.
#pragma once

// The state a parser keeps, in the member names of the program's command-line parser.
enum ParseState {
    ParsedNothing = 0,  // no switch yet, or one this program does not know
    ParsedKill = 1,
    ParsedPath = 2,
    ParsedSilent = 3,
};

// One argument: a switch sets the state (and "KILL" or "SILENT" their flags); a file right after
// "PATH" becomes the path, but only the first one, and only while the path is still empty: a file
// after any other switch, or before any switch, is ignored. equalIgnoringCase(a, b) is true when
// the two texts are the same without regard to case.
template <class Info, class EqualIgnoringCase>
void ParseReadySwitch(Info& info, const char* text, bool isFlag, EqualIgnoringCase equalIgnoringCase)
{
    if (isFlag) {
        info.m_nParseState = ParsedNothing;
        if (equalIgnoringCase(text, "KILL")) {
            info.m_nParseState = ParsedKill;
            info.m_bKill = true;
        } else if (equalIgnoringCase(text, "SILENT")) {
            info.m_nParseState = ParsedSilent;
            info.m_bSilent = true;
        } else if (equalIgnoringCase(text, "PATH")) {
            info.m_nParseState = ParsedPath;
        }
        return;
    }
    if (info.m_nParseState == ParsedPath && info.m_strPath.IsEmpty())
        info.m_strPath = text;
}
