// The start-up's footmark and the UI component opt-out, through the settings store.
#include "app/start_up_settings.h"

#include "framework/win_app.h"
#include "settings/reg_settings.h"
#include "settings/settings_catalogue.h"

HRESULT WriteFootmark()
{
    char path[MAX_PATH + 1] = {};
    const DWORD length = ::GetModuleFileNameA(AfxGetInstanceHandle(), path, MAX_PATH);
    // A path that fills the whole buffer may have been cut short: no footmark beats a wrong one.
    if (length == 0 || length >= MAX_PATH)
        return E_FAIL;
    CRegSettings ready;
    ready.Set(SettingsCompany, SettingsProduct, ReadyComponent);
    return ready.SetString("Footmark", path) ? S_OK : E_FAIL;
}

BOOL UiComponentsAllowed()
{
    DWORD noComponents = 0;
    CRegSettings config;
    config.Set(SettingsCompany, SettingsProduct, ConfigComponent);
    return !(config.GetNumber("NoCUIL", noComponents) && noComponents != 0);
}
