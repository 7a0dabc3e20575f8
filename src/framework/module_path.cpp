// The program file's path and its parts.
#include "framework/module_path.h"

CString ModuleFileName(HMODULE hModule)
{
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(hModule, path, MAX_PATH);
    return CString(path);
}

const char* FileNameOf(const char* path)
{
    const char* name = path;
    for (const char* p = path; *p; p = ::CharNextA(p)) {
        if (*p == '\\' || *p == '/')
            name = p + 1;
    }
    return name;
}
