// The suite's registry keys, and setting a key tree aside.
#include "suite_keys.h"

#include "child_process.h"

void RemoveSuiteKeys()
{
    for (HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE }) {
        RemoveKeyTree(root, Suite);
        RemoveKeyTree(root, ClassRegistration);
    }
}

std::vector<KeyTreeSnapshot> SnapshotSuiteKeys()
{
    std::vector<KeyTreeSnapshot> trees;
    for (HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE }) {
        trees.push_back(SnapshotKeyTree(root, Suite));
        trees.push_back(SnapshotKeyTree(root, ClassRegistration));
    }
    return trees;
}

std::vector<std::string> SuiteKeysChangedSince(const std::vector<KeyTreeSnapshot>& before)
{
    const std::vector<KeyTreeSnapshot> after = SnapshotSuiteKeys();
    std::vector<std::string> differences;
    for (size_t tree = 0; tree < before.size(); ++tree) {
        for (const std::string& difference : SnapshotDifferences(before[tree], after[tree]))
            differences.push_back(std::to_string(tree) + ": " + difference);
    }
    return differences;
}

void RegisterStandInLibraries()
{
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", ProgramBeside("VexaCap.dll"));
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", ProgramBeside("vxbios.dll"));
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
