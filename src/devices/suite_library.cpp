// Loading the suite's libraries.
#include "devices/suite_library.h"

#include "framework/module_path.h"

#include <string>

namespace {

// Set once at start-up, before any library of the suite is loaded.
bool g_bDefaultDirectoriesSet = false;

bool IsFullPath(const char* path)
{
    const bool drive = ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':'
                       && (path[2] == '\\' || path[2] == '/');
    const bool unc = (path[0] == '\\' || path[0] == '/') && (path[1] == '\\' || path[1] == '/');
    return drive || unc;
}

}  // namespace

BOOL RestrictLibrarySearch()
{
    // Looked up rather than imported: Windows 7 has it only with its 2011 loader update.
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesProc)(DWORD);
    const auto setDefault = reinterpret_cast<SetDefaultDllDirectoriesProc>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
    if (setDefault != nullptr && setDefault(LOAD_LIBRARY_SEARCH_DEFAULT_DIRS)) {
        g_bDefaultDirectoriesSet = true;
        return TRUE;
    }
    // Naming the program's own folder, which is searched first anyway, puts it where the working
    // directory stood. (The empty string would do the same on Windows, but not on Wine.)
    const CString program = ModuleFileName(NULL);
    const std::string folder(program, program.GetLength() - FileNameInCodePage(program).GetLength());
    ::SetDllDirectoryA(folder.c_str());
    return FALSE;
}

HMODULE LoadSuiteLibrary(const char* path)
{
    if (!IsFullPath(path))
        return ::LoadLibraryExA(path, NULL, 0);
    if (g_bDefaultDirectoriesSet)
        return ::LoadLibraryExA(path, NULL, LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS);
    return ::LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}
