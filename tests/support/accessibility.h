// What a screen reader learns of a window (its name, read through the accessibility interfaces, and
// the changes of it it is told of), and High Contrast as the program sees it.
#pragma once

#include "import_hook.h"

#include <string>

// The name of the window's client object; "(no name)" when it has none or cannot be read.
std::wstring AccessibleName(HWND hWnd);

// Counts, while it lives, the name changes announced for the window's client object; they arrive
// with the messages this thread pumps.
class NameChanges {
public:
    explicit NameChanges(HWND hWnd);
    ~NameChanges() { ::UnhookWinEvent(m_hHook); }
    int Count() const;  // since it was made

private:
    HWINEVENTHOOK m_hHook;
};

// High Contrast on or off for the program's code linked into this test, while it lives: Wine keeps
// no such setting.
class ReportedHighContrast {
public:
    explicit ReportedHighContrast(bool on);

private:
    const ImportHook<decltype(::SystemParametersInfoA)> m_hook;
};
