// The UI component library's registration under the machine's classes, for regsvr32: each class
// identifier names this file as its in-process server, in the apartment model.
#include "vexacuil_classes.h"

#include <olectl.h>
#include <stdio.h>

#include <string>

namespace {

std::string ClassKeyPath(const CLSID& clsid)
{
    char path[64];
    snprintf(path, sizeof path, "CLSID\\{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
             static_cast<unsigned long>(clsid.Data1), clsid.Data2, clsid.Data3, clsid.Data4[0], clsid.Data4[1],
             clsid.Data4[2], clsid.Data4[3], clsid.Data4[4], clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
    return path;
}

bool SetString(HKEY root, const std::string& path, const char* name, const std::string& text)
{
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    const LONG stored = ::RegSetValueExA(hKey, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                         static_cast<DWORD>(text.size() + 1));
    ::RegCloseKey(hKey);
    return stored == ERROR_SUCCESS;
}

bool RemoveClass(const CLSID& clsid)
{
    const std::string path = ClassKeyPath(clsid);
    const LONG server = ::RegDeleteKeyA(HKEY_CLASSES_ROOT, (path + "\\InprocServer32").c_str());
    const LONG key = ::RegDeleteKeyA(HKEY_CLASSES_ROOT, path.c_str());
    return (server == ERROR_SUCCESS || server == ERROR_FILE_NOT_FOUND) &&
           (key == ERROR_SUCCESS || key == ERROR_FILE_NOT_FOUND);
}

}  // namespace

extern "C" HRESULT WINAPI DllUnregisterServer()
{
    bool removed = true;
    for (const ClassEntry& entry : LibraryClasses)
        removed = RemoveClass(entry.clsid) && removed;
    return removed ? S_OK : SELFREG_E_CLASS;
}

extern "C" HRESULT WINAPI DllRegisterServer()
{
    HMODULE hLibrary = NULL;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              reinterpret_cast<const char*>(&DllRegisterServer), &hLibrary))
        return SELFREG_E_CLASS;
    char module[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(hLibrary, module, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return SELFREG_E_CLASS;
    for (const ClassEntry& entry : LibraryClasses) {
        const std::string path = ClassKeyPath(entry.clsid);
        const std::string description = std::string("Lumora UI component stand-in ") + entry.name;
        if (!SetString(HKEY_CLASSES_ROOT, path, nullptr, description) ||
            !SetString(HKEY_CLASSES_ROOT, path + "\\InprocServer32", nullptr, module) ||
            !SetString(HKEY_CLASSES_ROOT, path + "\\InprocServer32", "ThreadingModel", "Apartment")) {
            DllUnregisterServer();
            return SELFREG_E_CLASS;
        }
    }
    return S_OK;
}
