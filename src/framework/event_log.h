// The program's events in the Application log: what ended a start or silenced a source of button
// events, for administrators, who are rarely there with a debugger when it happens.
#pragma once

#include "framework/win32.h"

#include <initializer_list>

// Writes the event of the program's message table under the application's event source
// (CWinApp::m_pszEventSource; none: nothing is written), of the type that the id's severity says;
// the strings fill %1, %2, ... A log that cannot be written is passed over: the program goes on.
void LogEvent(DWORD eventId, std::initializer_list<const char*> strings = {});
