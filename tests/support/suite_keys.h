// The registry keys that the suite's products keep, as the program reads them, and the guard that
// sets them aside while a test runs: on a machine with the suite installed its settings and
// registrations come back exactly as they were.
#pragma once

#include "registry_sandbox.h"

#include <windows.h>

#include <string>
#include <vector>

const std::string Suite = "Software\\Vexa Corporation";
const std::string SharedDlls = Suite + "\\Shared Info\\Shared DLLs";
const std::string Ready = Suite + "\\Lumora\\Ready";
const std::string Config = Suite + "\\Lumora\\Config";
// The same keys as administrators set them by policy.
const std::string SuitePolicies = "Software\\Policies\\Vexa Corporation";
// The capture application's class, whose local server is one of the launch targets.
const std::string ClassRegistration = "Software\\CLASSES\\CLSID\\{3F1A6C20-5B7D-11D1-8E21-00A0C94D7A10}";

// Removes the suite's keys, its policies and the class registration of both roots, for a case that
// starts afresh.
void RemoveSuiteKeys();
// The same four trees, for a test that checks what a run wrote there.
std::vector<KeyTreeSnapshot> SnapshotSuiteKeys();
// What differs in them now from the snapshot, each entry after the number of its tree (user suite,
// user class, machine suite, machine class): "0: Lumora\Ready > Footmark: (absent) -> type 1, ...".
std::vector<std::string> SuiteKeysChangedSince(const std::vector<KeyTreeSnapshot>& before);
// Names the two library stand-ins beside the test in the machine's shared libraries.
void RegisterStandInLibraries();

// The suite's keys, its policies and the capture application's class in both roots, set aside: a
// test starts without them and the machine gets its own back.
class SetAsideSuiteKeys {
private:
    SetAsideKeyTree m_userSuite{ HKEY_CURRENT_USER, Suite };
    SetAsideKeyTree m_machineSuite{ HKEY_LOCAL_MACHINE, Suite };
    SetAsideKeyTree m_userClass{ HKEY_CURRENT_USER, ClassRegistration };
    SetAsideKeyTree m_machineClass{ HKEY_LOCAL_MACHINE, ClassRegistration };
    SetAsideKeyTree m_userPolicies{ HKEY_CURRENT_USER, SuitePolicies };
    SetAsideKeyTree m_machinePolicies{ HKEY_LOCAL_MACHINE, SuitePolicies };
};
