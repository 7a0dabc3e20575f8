// The program file's path and its parts.
#include "framework/module_path.h"

#include "framework/file_name_part.h"

CString ModuleFileName(HMODULE hModule)
{
    char path[MAX_PATH + 1] = {};
    ::GetModuleFileNameA(hModule, path, MAX_PATH);
    return CString(path);
}

CString FileNameInCodePage(const char* path)
{
    return CString(FileNamePart(path, [](unsigned char byte) { return ::IsDBCSLeadByte(byte) != FALSE; }).c_str());
}
