// Finding the top-level windows of other processes.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

enum class WindowKind { Any, Dialog, NotDialog };

// The top-level windows, in Z order, of process processId (of any process when 0) that match.
std::vector<HWND> TopLevelWindows(DWORD processId, const std::function<bool(HWND)>& matches);

// The first top-level window, in Z order, of process processId (of any process when 0) whose title
// is title and whose class is of the given kind (dialogs have the class "#32770"); NULL when there
// is none.
HWND FindTopLevelWindow(DWORD processId, const char* title, WindowKind kind = WindowKind::Any);

// The top-level windows of process processId (of any process when 0) that carry the property with
// the value 1, as a program marks its main window for others to find.
std::vector<HWND> MarkedWindows(const char* property, DWORD processId = 0);
