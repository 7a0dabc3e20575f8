// On a machine with the suite installed, a test that sets the suite's keys aside gives every key
// and value back as it found it, whatever the test wrote meanwhile.
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(SuiteKeys, SetAsideAndPutBackExactly)
{
    SetAsideSuiteKeys machinesOwn;  // and this test's planting goes with its end
    PutString(HKEY_CURRENT_USER, Ready, "Path", "C:\\Installed\\Capture.exe");
    PutValue(HKEY_CURRENT_USER, Config, "Binary", REG_BINARY, { 1, 0, 2 });
    PutValue(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", REG_EXPAND_SZ,
             { '%', 'P', '%', '\\', 'V', 'e', 'x', 'a', 'C', 'a', 'p', '.', 'd', 'l', 'l', 0 });
    PutString(HKEY_LOCAL_MACHINE, ClassRegistration + "\\LocalServer32", "", "C:\\Installed\\Server.exe");
    HKEY hEmpty;
    ASSERT_EQ(::RegCreateKeyA(HKEY_CURRENT_USER, (Suite + "\\Empty").c_str(), &hEmpty), ERROR_SUCCESS);
    ::RegCloseKey(hEmpty);
    const std::vector<KeyTreeSnapshot> installed = SnapshotSuiteKeys();

    {
        SetAsideSuiteKeys fixtures;
        for (const KeyTreeSnapshot& tree : SnapshotSuiteKeys())
            EXPECT_TRUE(tree.empty()) << "a test starts without the suite's keys";
        PutString(HKEY_CURRENT_USER, Ready, "Path", "C:\\Test\\Other.exe");
        PutNumber(HKEY_LOCAL_MACHINE, Config, "NoCUIL", 1);
        RemoveKeyTree(HKEY_LOCAL_MACHINE, SharedDlls);
    }

    EXPECT_EQ(SuiteKeysChangedSince(installed), std::vector<std::string>{});
}
