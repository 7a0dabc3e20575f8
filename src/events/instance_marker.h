// How instances of the program find each other: the named mutex that the running instance holds,
// and the window property, of the same name and value 1, on its main window.
#pragma once

#include "framework/win32.h"

const char* const InstanceMutexName = "Vexa Lumora Kivrel";

// The value of the property on the running instance's main window.
inline HANDLE RunningInstanceMark()
{
    return reinterpret_cast<HANDLE>(1);
}
// The value it takes for the instant before it is removed, when the instance quits.
inline HANDLE QuittingInstanceMark()
{
    return reinterpret_cast<HANDLE>(-1);
}

// Asked of the running instance's main window by a newer instance: quit. wParam and lParam are 0;
// the answer is ReadyQuitAnswer.
const UINT WM_READY_QUIT = WM_USER + 100;
