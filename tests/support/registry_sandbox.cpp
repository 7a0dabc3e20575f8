// Registry keys that a test makes and removes.
#include "registry_sandbox.h"

void RemoveKeyTree(HKEY root, const std::string& path)
{
    ::RegDeleteTreeA(root, path.c_str());
    ::RegDeleteKeyA(root, path.c_str());
}

void PutValue(HKEY root, const std::string& path, const char* name, DWORD type, const std::vector<BYTE>& data)
{
    HKEY hKey;
    if (::RegCreateKeyExA(root, path.c_str(), 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL) != ERROR_SUCCESS)
        return;
    ::RegSetValueExA(hKey, name, 0, type, data.data(), static_cast<DWORD>(data.size()));
    ::RegCloseKey(hKey);
}

void PutString(HKEY root, const std::string& path, const char* name, const std::string& text)
{
    std::vector<BYTE> data(text.begin(), text.end());
    data.push_back(0);
    PutValue(root, path, name, REG_SZ, data);
}

void PutNumber(HKEY root, const std::string& path, const char* name, DWORD number)
{
    const BYTE* bytes = reinterpret_cast<const BYTE*>(&number);
    PutValue(root, path, name, REG_DWORD, std::vector<BYTE>(bytes, bytes + sizeof number));
}

bool ReadValue(HKEY root, const std::string& path, const char* name, DWORD* type, std::vector<BYTE>* data)
{
    HKEY hKey;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    bool found = ::RegQueryValueExA(hKey, name, NULL, type, NULL, &size) == ERROR_SUCCESS;
    if (found) {
        data->resize(size);
        found = ::RegQueryValueExA(hKey, name, NULL, type, data->data(), &size) == ERROR_SUCCESS;
        data->resize(size);
    }
    ::RegCloseKey(hKey);
    return found;
}
