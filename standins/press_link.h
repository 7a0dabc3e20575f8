// How press.exe reaches the library stand-ins loaded in a running program: each stand-in that has
// a window to report to keeps a message-only window of this class on that window's thread, and
// delivers an event when the window receives StandInPressMessage with the event's code.
// Nothing of this is known to the program; it is between the stand-ins and press.exe.
#pragma once

#include <windows.h>

const char* const CaptureDriverPressClass = "VexaCapStandInPress";
const char* const FirmwarePressClass = "VxbiosStandInPress";

// wParam: the event code to deliver (the driver's wParam code, or the firmware service's lParam).
const UINT StandInPressMessage = WM_APP + 1;
