// The program's diagnostic lines. The program writes no file: what it decides where nothing shows
// on the screen (which library came from where, which setting named the launch target, why a
// press was ignored, why a launch failed) goes to the system's debug output, one short line each,
// for a debugger or a debug-output viewer. Lines are for decisions, never for work done per tick
// or per paint.
#pragma once

#if defined(__GNUC__)
#define LUMORA_TRACE_FORMAT __attribute__((format(printf, 1, 2)))
#else
#define LUMORA_TRACE_FORMAT
#endif

// One line, printf-formatted, prefixed with the program's short name (AfxGetProgramName); cut
// short past 500 characters.
void Trace(const char* format, ...) LUMORA_TRACE_FORMAT;
