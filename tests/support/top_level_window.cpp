// Finding the top-level windows of other processes.
#include "top_level_window.h"

#include <string.h>

namespace {

struct Search {
    DWORD processId;
    const std::function<bool(HWND)>& matches;
    std::vector<HWND> found;
};

BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
{
    Search& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if ((search.processId == 0 || owner == search.processId) && search.matches(hWnd))
        search.found.push_back(hWnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindows(DWORD processId, const std::function<bool(HWND)>& matches)
{
    Search search = { processId, matches, {} };
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<HWND> MarkedWindows(const char* property, DWORD processId)
{
    return TopLevelWindows(processId,
                           [property](HWND hWnd) { return ::GetPropA(hWnd, property) == reinterpret_cast<HANDLE>(1); });
}

HWND FindTopLevelWindow(DWORD processId, const char* title, WindowKind kind)
{
    const std::vector<HWND> found = TopLevelWindows(processId, [title, kind](HWND hWnd) {
        char text[256] = {};
        ::GetWindowTextA(hWnd, text, sizeof text);
        char className[16] = {};
        ::GetClassNameA(hWnd, className, sizeof className);
        const bool dialog = strcmp(className, "#32770") == 0;
        return strcmp(text, title) == 0 && (kind == WindowKind::Any || (kind == WindowKind::Dialog) == dialog);
    });
    return found.empty() ? NULL : found.front();
}
