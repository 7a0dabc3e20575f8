// <windows.h> as the framework and the program include it: the ANSI names of the platform, without
// the macro that would rename CString::LoadString to LoadStringA.
#pragma once

#include <windows.h>

#ifdef LoadString
#undef LoadString
#endif
