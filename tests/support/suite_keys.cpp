// The suite's registry keys.
#include "suite_keys.h"

#include "child_process.h"

void RemoveSuiteKeys()
{
    for (HKEY root : { HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE }) {
        RemoveKeyTree(root, Suite);
        RemoveKeyTree(root, ClassRegistration);
        RemoveKeyTree(root, SuitePolicies);
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
