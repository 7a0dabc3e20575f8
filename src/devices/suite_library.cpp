// Loading the suite's libraries.
#include "devices/suite_library.h"

#include "framework/module_path.h"

#include <string>

HMODULE LoadSuiteLibrary(const char* path)
{
    // SetDllDirectory puts its folder where the working directory stood in the search order. The
    // program's own folder is searched first anyway, so naming it takes the working directory out
    // without adding anything. (The empty string would do the same on Windows, but not on Wine.)
    // It holds for the process and for the processes it starts, so the default comes back at once.
    const CString program = ModuleFileName(NULL);
    const std::string folder(program, program.GetLength() - FileNameInCodePage(program).GetLength());
    ::SetDllDirectoryA(folder.c_str());
    HMODULE hModule = ::LoadLibraryA(path);
    const DWORD loadError = ::GetLastError();
    ::SetDllDirectoryA(NULL);
    ::SetLastError(loadError);
    return hModule;
}
