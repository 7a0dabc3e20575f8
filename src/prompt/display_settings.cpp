// The display settings, asked of the system each time, since the user changes them at will.
#include "prompt/display_settings.h"

UINT WindowDpi(HWND hWnd)
{
    // Looked up rather than imported, so that the program still starts on Windows 7, which lacks it.
    typedef UINT(WINAPI * DpiForWindow)(HWND);
    static const auto dpiForWindow = reinterpret_cast<DpiForWindow>(
        reinterpret_cast<void (*)()>(::GetProcAddress(::GetModuleHandleA("user32.dll"), "GetDpiForWindow")));
    if (dpiForWindow != nullptr) {
        const UINT dpi = dpiForWindow(hWnd);
        if (dpi != 0)
            return dpi;
    }
    HDC hScreen = ::GetDC(NULL);
    const int dpi = hScreen != NULL ? ::GetDeviceCaps(hScreen, LOGPIXELSY) : 0;
    if (hScreen != NULL)
        ::ReleaseDC(NULL, hScreen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

bool HighContrastOn()
{
    HIGHCONTRASTA highContrast = {};
    highContrast.cbSize = sizeof highContrast;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
           (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

bool AnimationsOn()
{
    BOOL animations = TRUE;
    // Where the setting cannot be read, the prompt blinks as it always has.
    return !::SystemParametersInfoA(SPI_GETCLIENTAREAANIMATION, 0, &animations, 0) || animations != FALSE;
}
