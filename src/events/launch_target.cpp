// What to launch and how the prompt presents it, decided once at start-up.
#include "events/event_wnd.h"

#include "events/launch_target_choice.h"
#include "framework/afx_helpers.h"
#include "framework/module_path.h"
#include "framework/trace.h"
#include "prompt/prompt_dlg.h"
#include "res/resource.h"
#include "settings/reg_settings.h"
#include "settings/settings_catalogue.h"

#include <shellapi.h>

#include <string>

namespace {

// A string value as the launch-target chain reads it. Each names the program to start: the user's
// policy key is not read for it.
auto ReadSetting(const char* company, const char* product, const char* component, const char* name)
{
    return [=](std::string& out) {
        CRegSettings settings;
        settings.Set(company, product, component);
        CString value;
        if (!settings.GetString(name, value, PolicyReach::MachineOnly))
            return false;
        out = static_cast<const char*>(value);
        return true;
    };
}

HICON LoadIconGroup(UINT id)
{
    const char* name = MAKEINTRESOURCEA(id);
    return ::LoadIconA(AfxFindResourceHandle(name, RT_GROUP_ICON), name);
}

}  // namespace

BOOL CEventWnd::ResolveAppPath(const CString& cmdPath)
{
    const LaunchTargetChoice choice = ChooseLaunchTarget(
        static_cast<const char*>(cmdPath), ReadSetting(SettingsCompany, SettingsProduct, ReadyComponent, "Path"),
        ReadSetting(SettingsCompany, SettingsProduct, ReadyComponent, "AppPath"),
        // The capture application's class registration, read the way the program's settings are.
        ReadSetting("CLASSES", "CLSID", "{3F1A6C20-5B7D-11D1-8E21-00A0C94D7A10}\\LocalServer32", ""));
    m_strAppPath = choice.path.c_str();
    if (choice.source == LaunchTargetSource::AppPath)
        m_bUseShellIcon = TRUE;
    Trace("launch target from %s: %s", LaunchTargetSourceName(choice.source), choice.path.c_str());
    return TRUE;
}

BOOL CEventWnd::ResolveSilent(BOOL cmdSilent)
{
    if (cmdSilent) {
        m_bSilent = TRUE;
        Trace("silent: asked on the command line");
        return TRUE;
    }
    CRegSettings ready;
    ready.Set(SettingsCompany, SettingsProduct, ReadyComponent);
    DWORD silent = 0;
    m_bSilent = ready.GetNumber("Silent", silent) && silent != 0;
    if (m_bSilent)
        Trace("silent: asked by \"Silent\"");
    return TRUE;
}

BOOL CEventWnd::LoadPresentation()
{
    HICON icons[3] = {};
    CString displayName;
    bool shellIcon = false;
    if (m_bUseShellIcon) {
        SHFILEINFOA info = {};
        if (::SHGetFileInfoA(m_strAppPath, 0, &info, sizeof info, SHGFI_ICON) != 0 && info.hIcon != NULL) {
            icons[IconIdle] = icons[IconAlternate] = icons[IconStarting] = info.hIcon;
            shellIcon = true;
        }
        // The name as the active code page spells it: a double-byte character stays whole.
        displayName = FileNameInCodePage(m_strAppPath);
    } else {
        displayName.LoadString(IDS_DEFAULT_APP_NAME);
    }
    if (!shellIcon) {
        icons[IconIdle] = LoadIconGroup(IDI_IDLE);
        icons[IconAlternate] = LoadIconGroup(IDI_ALTERNATE);
        icons[IconStarting] = LoadIconGroup(IDI_STARTING);
    }

    m_strStartingText.Format(IDS_STARTING, displayName);
    m_strPromptText.Format(IDS_PRESS_AGAIN, displayName);
    m_strFailureText.Format(IDS_LAUNCH_FAILED, displayName);
    // The icons stay with the dialog, and valid, until the process ends.
    m_pPromptDlg->SetIcons(icons[IconIdle], icons[IconAlternate], icons[IconStarting]);
    return TRUE;
}
