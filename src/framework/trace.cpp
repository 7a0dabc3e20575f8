// The diagnostic lines, through the system's debug output.
#include "framework/trace.h"

#include "framework/win_app.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>

void Trace(const char* format, ...)
{
    // Whatever the arguments hold (a path from the registry may be 64 KiB), the line stays within
    // its buffer and ends with a line break.
    char line[512];
    // The program's name, within a fixed share of the line.
    const size_t start = static_cast<size_t>(snprintf(line, 40, "%.36s: ", AfxGetProgramName()));
    const size_t room = sizeof line - start - 2;  // the line break and the terminator
    va_list args;
    va_start(args, format);
    // Runtimes differ in what a cut-short line returns and whether it is terminated: the text's
    // length is measured instead, within the room it had.
    vsnprintf(line + start, room, format, args);
    va_end(args);
    const size_t end = start + strnlen(line + start, room);
    line[end] = '\n';
    line[end + 1] = '\0';
    ::OutputDebugStringA(line);
}
