// Finding the top-level windows of other processes.
#include "top_level_window.h"

#include <string.h>

namespace {

struct Search {
    DWORD processId;
    const char* title;
    WindowKind kind;
    HWND found;
};

BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
{
    Search& search = *reinterpret_cast<Search*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if (search.processId != 0 && owner != search.processId)
        return TRUE;
    char text[256] = {};
    ::GetWindowTextA(hWnd, text, sizeof text);
    if (strcmp(text, search.title) != 0)
        return TRUE;
    char className[16] = {};
    ::GetClassNameA(hWnd, className, sizeof className);
    const bool dialog = strcmp(className, "#32770") == 0;
    if ((search.kind == WindowKind::Dialog && !dialog) || (search.kind == WindowKind::NotDialog && dialog))
        return TRUE;
    search.found = hWnd;
    return FALSE;
}

struct MarkSearch {
    DWORD processId;
    const char* property;
    std::vector<HWND> found;
};

BOOL CALLBACK VisitMarked(HWND hWnd, LPARAM lParam)
{
    MarkSearch& search = *reinterpret_cast<MarkSearch*>(lParam);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(hWnd, &owner);
    if ((search.processId == 0 || owner == search.processId)
        && ::GetPropA(hWnd, search.property) == reinterpret_cast<HANDLE>(1))
        search.found.push_back(hWnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> MarkedWindows(const char* property, DWORD processId)
{
    MarkSearch search = { processId, property, {} };
    ::EnumWindows(VisitMarked, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindTopLevelWindow(DWORD processId, const char* title, WindowKind kind)
{
    Search search = { processId, title, kind, NULL };
    ::EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
