// The capture driver library binding.
#include "devices/capture_driver.h"

#include "contracts/suite_contracts.h"
#include "devices/library_value.h"
#include "devices/suite_library.h"
#include "framework/event_log.h"
#include "framework/module_path.h"
#include "framework/trace.h"
#include "res/lumora_ready_events.h"
#include "settings/reg_settings.h"
#include "settings/settings_catalogue.h"

#include <string>

const char* const CCaptureDriver::EntryNames[EntryCount] = {
    "VC_Open",          "VC_Close",          "VC_SetBrightness",     "VC_GetBrightness",
    "VC_SetContrast",   "VC_GetContrast",    "VC_SetHue",            "VC_GetHue",
    "VC_SetColor",      "VC_GetColor",       "VC_SetSharpness",      "VC_GetSharpness",
    "VC_SetExposure",   "VC_GetExposure",    "VC_SetAGC",            "VC_GetAGC",
    "VC_SetShutter",    "VC_GetShutter",     "VC_SetWhiteBalance",   "VC_GetWhiteBalance",
    "VC_SetPictureMode", "VC_GetPictureMode", "VC_SetMute",          "VC_GetMute",
    "VC_Capture",       "VC_CopyFrom",       "VC_StopVideo",         "VC_StartVideo",
    "VC_ShutterFreeze", "VC_SetMirrorInObverse", "VC_GetCameraReady", "VC_GetCameraDirection",
    "VC_SetDefaultRequest", "VC_GetCameraControl", "VC_DisableCapturePin", "VC_SetHFlip",
    "VC_SetOverlayDefault", "VC_IsCameraAvailable", "VC_GetCameraType", "VC_GetCameraControlCapability",
};

namespace {

const int OpenEntry = 0;

// The value of the shared-library key that holds the library's path, unless Config renames it.
const char* const DriverValueName = "VexaCap.dll";

// "VC_Open": the window to receive the events and a value always 0; the driver handle, 0 on
// failure. The caller removes the arguments.
typedef LONG(__cdecl* OpenEntryPoint)(HWND hWnd, LONG reserved);

}  // namespace

CCaptureDriver::~CCaptureDriver()
{
    if (m_hModule != NULL) {
        ::FreeLibrary(m_hModule);
        m_hModule = NULL;
    }
}

LibraryValue CCaptureDriver::FindLibraryPath(CString* pPath) const
{
    // The computer's policy is read at its fixed place first and decides whenever it is there, even
    // refused: the Config values below are the user's to write, and by renaming the key or the value
    // they would otherwise move the lookup past the policy to a library of the user's choosing.
    const LibraryValue policy = ReadLibraryValue(SharedLibrariesPolicyKey, DriverValueName, pPath);
    if (policy != LibraryValue::Absent)
        return policy;

    // A Config value that is present replaces its default, even when it is empty. Each of these
    // values leads to the library that is loaded: the user's policy key is not read for them.
    CString sharedInfo("Shared Info");
    CString sharedDlls("Shared DLLs");
    CString valueName(DriverValueName);
    CRegSettings config;
    config.Set(SettingsCompany, SettingsProduct, ConfigComponent);
    config.GetString("SharedInfo", sharedInfo, PolicyReach::MachineOnly);
    config.GetString("SharedDLLs", sharedDlls, PolicyReach::MachineOnly);
    config.GetString("VexaCapDll", valueName, PolicyReach::MachineOnly);

    CString path;
    CRegSettings sharedLibraries;
    sharedLibraries.Set(SettingsCompany, sharedInfo, sharedDlls);
    sharedLibraries.GetString(valueName, path, PolicyReach::MachineOnly);
    if (path.IsEmpty())
        return LibraryValue::Absent;
    *pPath = path;
    return LibraryValue::Found;
}

CString CCaptureDriver::GetLibraryPath() const
{
    CString path;
    return FindLibraryPath(&path) == LibraryValue::Found ? path : CString();
}

BOOL CCaptureDriver::LoadModule()
{
    if (m_hModule != NULL)
        return FALSE;
    CString path;
    const LibraryValue found = FindLibraryPath(&path);
    if (found == LibraryValue::Absent) {
        Trace("capture driver library: the registry names none");
        LogEvent(MSG_DRIVER_NOT_NAMED);
    }
    if (found != LibraryValue::Found)
        return FALSE;
    m_hModule = LoadSuiteLibrary(path);
    if (m_hModule == NULL) {
        const DWORD error = ::GetLastError();
        Trace("capture driver library \"%s\" not loaded: error %lu", static_cast<const char*>(path), error);
        LogEvent(MSG_DRIVER_NOT_LOADED, { path, std::to_string(error).c_str() });
        return FALSE;
    }
    Trace("capture driver library loaded from %s", static_cast<const char*>(ModuleFileName(m_hModule)));
    return TRUE;
}

BOOL CCaptureDriver::Load()
{
    if (!LoadModule())
        return FALSE;
    for (int entry = 0; entry < EntryCount; ++entry)
        m_entries[entry] = ::GetProcAddress(m_hModule, EntryNames[entry]);
    return TRUE;
}

BOOL CCaptureDriver::Open(HWND hWnd)
{
    if (m_hDriver != 0)
        return FALSE;
    if (m_entries[OpenEntry] == nullptr) {
        // Without a library there is no entry, and nothing to say about it.
        if (m_hModule != NULL) {
            Trace("capture driver library has no \"%s\": no events from it", EntryNames[OpenEntry]);
            LogEvent(MSG_ENTRY_MISSING, { ModuleFileName(m_hModule), EntryNames[OpenEntry] });
        }
        return FALSE;
    }
    OpenEntryPoint open = reinterpret_cast<OpenEntryPoint>(reinterpret_cast<void*>(m_entries[OpenEntry]));
    m_hDriver = open(hWnd, 0);
    if (m_hDriver == 0) {
        Trace("capture driver refused to open: no events from it");
        LogEvent(MSG_SOURCE_REFUSED, { ModuleFileName(m_hModule), EntryNames[OpenEntry], "0" });
    }
    return m_hDriver != 0;
}
