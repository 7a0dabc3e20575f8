// Every value of the settings catalogue stored wrongly (another type, no data, no terminating zero,
// 64 KiB of data, bytes outside ASCII), read the way the program reads it, in this process: each
// case ends in the outcome that the value's reader defines, and reading writes nothing.
#include "child_process.h"
#include "devices/capture_driver.h"
#include "devices/firmware_events.h"
#include "events/event_wnd.h"
#include "faulty_values.h"
#include "app/start_up_settings.h"
#include "program_test_app.h"
#include "settings/reg_settings.h"
#include "suite_keys.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const std::string ClassServer = ClassRegistration + "\\LocalServer32";

const std::string DefaultTarget = "C:\\Program Files\\Vexa\\Lumora\\Ostrivo.exe";

// A long outcome is shown by its length and beginning.
std::string Shown(const std::string& text)
{
    return text.size() <= 120 ? text : std::to_string(text.size()) + " bytes: " + text.substr(0, 60) + "...";
}

// Each case starts without the suite's keys and the class registration, in both roots; reading
// must leave them as they were.
class FaultySettings : public ::testing::Test {
protected:

    // Runs the reader on a fresh registry prepared by put, compares its outcome and checks that
    // reading changed nothing.
    void Check(const std::string& value, Fault fault, const std::function<void()>& put,
               const std::function<std::string()>& read, const std::string& expected)
    {
        SCOPED_TRACE(value + ", " + FaultName(fault));
        RemoveSuiteKeys();
        put();
        const std::vector<KeyTreeSnapshot> before = SnapshotSuiteKeys();
        const std::string outcome = read();
        EXPECT_TRUE(outcome == expected) << "got " << Shown(outcome) << "\nexpected " << Shown(expected);
        EXPECT_EQ(SuiteKeysChangedSince(before), std::vector<std::string>{}) << "reading wrote";
        ++m_cases;
    }

    SetAsideSuiteKeys m_suiteKeys;
    int m_cases = 0;
};

// What to launch, how the prompt names it and whether the launch is silent, as start-up resolves
// them without a command line.
std::string StartUpOutcome()
{
    CEventWnd* pWnd = NewEventWnd();
    pWnd->ResolveAppPath("");
    pWnd->ResolveSilent(FALSE);
    pWnd->LoadPresentation();
    const std::string outcome = std::string(pWnd->GetAppPath()) + (pWnd->UsesShellIcon() ? " | shell icon | " : " | | ")
                                + std::string(pWnd->GetPromptText()) + (pWnd->IsSilent() ? " | silent" : "");
    pWnd->DestroyWindow();
    return outcome;
}

std::string Target(const std::string& path, bool shellIcon = false, const std::string& displayName = "Lumora")
{
    return path + (shellIcon ? " | shell icon | " : " | | ") + "Press down to start " + displayName + "!!";
}

}  // namespace

// "Path", "AppPath" and the class registration: any data that reads as a non-empty text is the
// target, whatever its type; empty data passes to the next source, here the built-in default.
TEST_F(FaultySettings, LaunchTargetValues)
{
    const std::string pathSample = "C:\\Unterminated\\Path.exe";
    const std::string pathLatin = "C:\\" + Latin + "\\Path.exe";
    for (Fault fault : AllFaults) {
        const std::string read = ReadAs(fault, pathSample, pathLatin);
        const std::string expected = Target(read.empty() ? DefaultTarget : read);
        for (const auto& value : { std::make_pair(Ready, "Path"), std::make_pair(ClassServer, "") })
            Check(value.first + " > " + value.second, fault,
                  [&] { PutFaultyString(HKEY_CURRENT_USER, value.first, value.second, fault, pathSample, pathLatin); },
                  StartUpOutcome, expected);
    }

    // The prompt names an "AppPath" target by its file name, the text after the last separator.
    const std::string appSample = "C:\\Unterminated\\App.exe";
    const std::string appLatin = "C:\\Folder\\" + Latin + ".exe";
    const struct { Fault fault; std::string expected; } appPaths[] = {
        { Fault::WrongType, Target("\x01", true, "\x01") },
        { Fault::Empty, Target(DefaultTarget) },
        { Fault::Unterminated, Target(appSample, true, "App.exe") },
        { Fault::Huge, Target(HugeText, true, HugeText) },
        { Fault::NonAscii, Target(appLatin, true, Latin + ".exe") },
    };
    for (const auto& c : appPaths)
        Check("AppPath", c.fault,
              [&] { PutFaultyString(HKEY_CURRENT_USER, Ready, "AppPath", c.fault, appSample, appLatin); },
              StartUpOutcome, c.expected);
    printf("[ cases    ] %d\n", m_cases);
}

// "Silent" and "NoCUIL": the first four bytes as a number, whatever the type; fewer bytes are the
// low-order ones.
TEST_F(FaultySettings, NumberValues)
{
    const struct { Fault fault; bool nonZero; } numbers[] = {
        { Fault::WrongType, true },      // the text "0" is 0x30
        { Fault::Empty, false },
        { Fault::Unterminated, true },   // three bytes of 1
        { Fault::Huge, false },          // zero in its first four bytes
        { Fault::NonAscii, true },
    };
    for (const auto& c : numbers) {
        Check("Silent", c.fault, [&] { PutFaultyNumber(HKEY_CURRENT_USER, Ready, "Silent", c.fault); }, StartUpOutcome,
              Target(DefaultTarget) + (c.nonZero ? " | silent" : ""));
        Check("NoCUIL", c.fault, [&] { PutFaultyNumber(HKEY_CURRENT_USER, Config, "NoCUIL", c.fault); },
              [] { return std::string(UiComponentsAllowed() ? "allowed" : "not allowed"); },
              c.nonZero ? "not allowed" : "allowed");
    }
    printf("[ cases    ] %d\n", m_cases);
}

// The three Config values that say where the driver's path is kept replace their defaults with
// whatever they read as; the path is found where that names an existing key or value. A level of
// 64 KiB names no key, and an empty level none that exists; an empty value name is the key's
// default value, and 64 KiB is longer than any value name.
TEST_F(FaultySettings, DriverLocationValues)
{
    const std::string found = "C:\\found\\VexaCap.dll";
    // The key and the value name that each value makes, "*" standing for what it reads as.
    const struct { const char* name; std::string sample, latin, key, valueName; } values[] = {
        { "SharedInfo", "Other Info", Latin + " Info", Suite + "\\*\\Shared DLLs", "VexaCap.dll" },
        { "SharedDLLs", "Other DLLs", Latin + " DLLs", Suite + "\\Shared Info\\*", "VexaCap.dll" },
        { "VexaCapDll", "Cap2", Latin + " Cap", SharedDlls, "*" },
    };
    for (Fault fault : AllFaults) {
        for (const auto& v : values) {
            const std::string read = ReadAs(fault, v.sample, v.latin);
            const auto named = [&](std::string text) {
                const size_t at = text.find('*');
                return at == std::string::npos ? text : text.replace(at, 1, read);
            };
            const bool nameable = fault != Fault::Huge && (fault != Fault::Empty || v.valueName == "*");
            Check(v.name, fault,
                  [&] {
                      PutFaultyString(HKEY_CURRENT_USER, Config, v.name, fault, v.sample, v.latin);
                      PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", "C:\\default\\VexaCap.dll");
                      if (nameable)
                          PutString(HKEY_LOCAL_MACHINE, named(v.key), named(v.valueName).c_str(), found);
                  },
                  [] { return std::string(CCaptureDriver().GetLibraryPath()); }, nameable ? found : "");
        }
    }
    printf("[ cases    ] %d\n", m_cases);
}

// The libraries' own paths: the driver's is read as any string is; the firmware service's must be
// a machine-wide REG_SZ of at most 260 bytes. A path loads when it names the library, with or
// without its terminating zero. (The non-ASCII paths name no file: the tests' Wine runs in a locale
// whose file names hold no bytes outside ASCII.)
TEST_F(FaultySettings, LibraryPathValues)
{
    const struct { const char* library; HKEY root; BOOL (*load)(); } libraries[] = {
        { "VexaCap.dll", HKEY_CURRENT_USER, [] { return CCaptureDriver().Load(); } },
        { "vxbios.dll", HKEY_LOCAL_MACHINE, [] { return CFirmwareEvents().Load(); } },
    };
    for (Fault fault : AllFaults) {
        for (const auto& l : libraries)
            Check(l.library, fault,
                  [&] {
                      PutFaultyString(l.root, SharedDlls, l.library, fault, ProgramBeside(l.library),
                                      "C:\\" + Latin + "\\" + l.library);
                  },
                  [&] { return std::string(l.load() ? "loaded" : "not loaded"); },
                  fault == Fault::Unterminated ? "loaded" : "not loaded");
    }
    for (const auto& l : libraries)
        EXPECT_EQ(::GetModuleHandleA(l.library), (HMODULE)NULL) << "each load was freed";
    printf("[ cases    ] %d\n", m_cases);
}

// The user's own policy key is the user's to write: a program or a library named there is passed
// over, and the built-in target and the machine's library stay.
TEST_F(FaultySettings, UserPolicyKeyNamesNoFileToStartOrLoad)
{
    const struct { std::string key; const char* name; } values[] = {
        { "Lumora\\Ready", "Path" }, { "Lumora\\Ready", "AppPath" },
        { "Lumora\\Config", "SharedDLLs" }, { "Shared Info\\Shared DLLs", "VexaCap.dll" } };
    for (const auto& v : values) {
        RemoveSuiteKeys();
        PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", "C:\\Machine\\VexaCap.dll");
        PutString(HKEY_CURRENT_USER, SuitePolicies + "\\" + v.key, v.name, "C:\\User\\File");
        EXPECT_EQ(StartUpOutcome() + " | " + std::string(CCaptureDriver().GetLibraryPath()),
                  Target(DefaultTarget) + " | C:\\Machine\\VexaCap.dll") << v.key << " > " << v.name;
    }
}
