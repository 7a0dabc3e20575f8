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
    PutValue(root, path, name, REG_SZ, std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1));
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
    // The size first; a missing value has none, and the second query finds it missing too.
    DWORD size = 0;
    ::RegQueryValueExA(hKey, name, NULL, type, NULL, &size);
    data->resize(size);
    const bool found = ::RegQueryValueExA(hKey, name, NULL, type, data->data(), &size) == ERROR_SUCCESS;
    data->resize(size);
    ::RegCloseKey(hKey);
    return found;
}

namespace {

// Adds the key parent\path, named "below" in the snapshot, with everything below it.
void AddKeyTree(HKEY hParent, const std::string& path, const std::string& below, KeyTreeSnapshot& snapshot)
{
    HKEY hKey;
    if (::RegOpenKeyExA(hParent, path.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    snapshot[below] = { KeyEntry, {} };
    // A key that cannot tell its sizes is taken as empty.
    DWORD subkeys = 0, longestSubkey = 0, values = 0, longestName = 0, largestData = 0;
    ::RegQueryInfoKeyA(hKey, NULL, NULL, NULL, &subkeys, &longestSubkey, NULL, &values, &longestName, &largestData,
                       NULL, NULL);
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
        if (::RegEnumKeyExA(hKey, index, name.data(), &nameLength, NULL, NULL, NULL, NULL) == ERROR_SUCCESS)
            AddKeyTree(hKey, name.data(), (below.empty() ? below : below + "\\") + name.data(), snapshot);
    }
    ::RegCloseKey(hKey);
}

// An entry as it stands in a snapshot, every byte of a value's data told: two entries are the
// same exactly when their descriptions are.
std::string Describe(const KeyTreeSnapshot& snapshot, const std::string& entry)
{
    const auto found = snapshot.find(entry);
    if (found == snapshot.end())
        return "(absent)";
    if (found->second.type == KeyEntry)
        return "(key)";
    const std::vector<BYTE>& data = found->second.data;
    return "type " + std::to_string(found->second.type) + ", " + std::to_string(data.size()) + " bytes \""
           + std::string(data.begin(), data.end()) + "\"";
}

}  // namespace

KeyTreeSnapshot SnapshotKeyTree(HKEY root, const std::string& path)
{
    KeyTreeSnapshot snapshot;
    AddKeyTree(root, path, "", snapshot);
    return snapshot;
}

std::vector<std::string> SnapshotDifferences(const KeyTreeSnapshot& before, const KeyTreeSnapshot& after)
{
    std::vector<std::string> differences;
    KeyTreeSnapshot all = before;
    all.insert(after.begin(), after.end());
    for (const auto& entry : all) {
        const std::string was = Describe(before, entry.first);
        const std::string is = Describe(after, entry.first);
        if (was != is)
            differences.push_back(entry.first + ": " + was + " -> " + is);
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
