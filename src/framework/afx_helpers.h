// The framework's free helpers.
//   AfxRegisterWndClass    a window class whose windows deliver their messages to window objects
//   AfxMessageBox          a message box with a text from the string table
//   AfxFindResourceHandle  the module that holds a resource
//   AfxOleInit             COM and OLE for the application's thread, ended when the program ends
//   AfxEnableControlContainer  COM controls in dialogs
#pragma once

#include "framework/win32.h"

#include "framework/cstring.h"

// The name of a class of the given style, cursor, background and icon, registered on first use for
// the program's module; the empty string when it cannot be registered.
CString AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL,
                            HICON hIcon = NULL);

// Shows string nIDPrompt in a modal box captioned with the application's title and returns the
// button pressed. A box that names no icon shows the warning icon. Help id -1 makes the string's
// own number the help context.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// The program holds all its resources in its own module.
HINSTANCE AfxFindResourceHandle(const char* lpszName, const char* lpszType);

// Starts COM and OLE for the calling thread; TRUE on success. The framework ends them after
// ExitInstance (AfxOleTerm, called by AfxWinMain).
BOOL AfxOleInit();
void AfxOleTerm();

// Lets dialogs hold COM controls. This framework's dialogs hold none, so there is nothing to do;
// a program that calls it states that it would allow them.
inline void AfxEnableControlContainer() {}
