// The capture driver library binding.
#include "devices/capture_driver.h"

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

CString CCaptureDriver::GetLibraryPath() const
{
    // A Config value that is present replaces its default, even when it is empty. Each of these
    // values leads to the library that is loaded: the user's policy key is not read for them.
    CString sharedInfo("Shared Info");
    CString sharedDlls("Shared DLLs");
    CString valueName("VexaCap.dll");
    CRegSettings config;
    config.Set(SettingsCompany, SettingsProduct, ConfigComponent);
    config.GetString("SharedInfo", sharedInfo, PolicyReach::MachineOnly);
    config.GetString("SharedDLLs", sharedDlls, PolicyReach::MachineOnly);
    config.GetString("VexaCapDll", valueName, PolicyReach::MachineOnly);

    CString path;
    CRegSettings sharedLibraries;
    sharedLibraries.Set(SettingsCompany, sharedInfo, sharedDlls);
    sharedLibraries.GetString(valueName, path, PolicyReach::MachineOnly);
    return path;
}

BOOL CCaptureDriver::LoadModule()
{
    if (m_hModule != NULL)
        return FALSE;
    const CString path = GetLibraryPath();
    if (path.IsEmpty()) {
        Trace("capture driver library: the registry names none");
        LogEvent(MSG_DRIVER_NOT_NAMED);
        return FALSE;
    }
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
