// Registry keys that a test makes and removes.
#include "registry_sandbox.h"

#include <algorithm>

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

namespace {

void AddKeyTree(HKEY hKey, const std::string& below, KeyTreeSnapshot& snapshot)
{
    snapshot[below] = { KeyEntry, {} };
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, largestData = 0;
    if (::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &subkeys, &longestSubkey, NULL, &values, &longestName,
                           &largestData, NULL, NULL) != ERROR_SUCCESS)
        return;
    std::vector<char> name(std::max(longestName, longestSubkey) + 1);
    std::vector<BYTE> data(largestData + 1);
    for (DWORD index = 0; index < values; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (::RegEnumValueA(hKey, index, name.data(), &nameLength, NULL, &type, data.data(), &size) == ERROR_SUCCESS)
            snapshot[below + " > " + name.data()] = { type, std::vector<BYTE>(data.begin(), data.begin() + size) };
    }
    for (DWORD index = 0; index < subkeys; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (::RegEnumKeyExA(hKey, index, name.data(), &nameLength, NULL, NULL, NULL, NULL) != ERROR_SUCCESS)
            continue;
        HKEY hSubkey;
        if (::RegOpenKeyExA(hKey, name.data(), 0, KEY_READ, &hSubkey) != ERROR_SUCCESS)
            continue;
        AddKeyTree(hSubkey, below.empty() ? std::string(name.data()) : below + "\\" + name.data(), snapshot);
        ::RegCloseKey(hSubkey);
    }
}

std::string Describe(const KeyTreeSnapshot& snapshot, const std::string& entry)
{
    const auto found = snapshot.find(entry);
    if (found == snapshot.end())
        return "(absent)";
    if (found->second.type == KeyEntry)
        return "(key)";
    const std::vector<BYTE>& data = found->second.data;
    std::string text = "type " + std::to_string(found->second.type) + ", " + std::to_string(data.size()) + " bytes";
    if (!data.empty())
        text += ", beginning \"" + std::string(data.begin(), data.begin() + std::min<size_t>(data.size(), 40)) + "\"";
    return text;
}

}  // namespace

KeyTreeSnapshot SnapshotKeyTree(HKEY root, const std::string& path)
{
    KeyTreeSnapshot snapshot;
    HKEY hKey;
    if (::RegOpenKeyExA(root, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return snapshot;
    AddKeyTree(hKey, "", snapshot);
    ::RegCloseKey(hKey);
    return snapshot;
}

std::vector<std::string> SnapshotDifferences(const KeyTreeSnapshot& before, const KeyTreeSnapshot& after)
{
    std::vector<std::string> differences;
    KeyTreeSnapshot all = before;
    all.insert(after.begin(), after.end());
    for (const auto& entry : all) {
        const auto was = before.find(entry.first);
        const auto is = after.find(entry.first);
        if (was == before.end() || is == after.end() || !(was->second == is->second))
            differences.push_back(entry.first + ": " + Describe(before, entry.first) + " -> "
                                  + Describe(after, entry.first));
    }
    return differences;
}

SetAsideKeyTree::SetAsideKeyTree(HKEY root, const std::string& path)
    : m_root(root), m_path(path), m_saved(SnapshotKeyTree(root, path))
{
    RemoveKeyTree(m_root, m_path);
}

SetAsideKeyTree::~SetAsideKeyTree()
{
    RemoveKeyTree(m_root, m_path);
    // The snapshot names a key by its path below the tree and a value as "key > name"; a value's
    // key is made as the value is put, so only keys without values need making on their own.
    for (const auto& entry : m_saved) {
        const size_t separator = entry.first.find(" > ");
        const std::string below = entry.first.substr(0, separator);
        const std::string key = below.empty() ? m_path : m_path + "\\" + below;
        if (entry.second.type != KeyEntry) {
            PutValue(m_root, key, entry.first.substr(separator + 3).c_str(), entry.second.type, entry.second.data);
            continue;
        }
        HKEY hKey;
        if (::RegCreateKeyExA(m_root, key.c_str(), 0, NULL, 0, KEY_WRITE, NULL, &hKey, NULL) == ERROR_SUCCESS)
            ::RegCloseKey(hKey);
    }
}
