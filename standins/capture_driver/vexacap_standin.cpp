// Stand-in for the camera's capture driver library ("VexaCap.dll"): 40 entries named "VC_...",
// of which "VC_Open" (cdecl: the window to receive events, a value always 0; a driver handle,
// 0 on failure) starts the delivery of "VexaCapEvent" to that window, with the event code in
// wParam, whenever press.exe presses the button.
//
// For tests: VEXACAP_STANDIN_RECORD names a file where every call adds a line;
// VEXACAP_STANDIN_OPEN_RESULT makes "VC_Open" return that number (0: it fails, and delivers nothing).
#include "press_link.h"
#include "standin_library.h"

namespace {

const char* const RecordVariable = "VEXACAP_STANDIN_RECORD";
const LONG DriverHandle = 0x5CA7;

HINSTANCE g_hInstance = NULL;
HWND g_hTarget = NULL;

LRESULT CALLBACK DeliverPress(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == StandInPressMessage && g_hTarget != NULL) {
        ::PostMessageA(g_hTarget, ::RegisterWindowMessageA("VexaCapEvent"), wParam, 0);
        return TRUE;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

PressWindow g_pressWindow(CaptureDriverPressClass, DeliverPress);

}  // namespace

extern "C" LONG __cdecl VC_Open(HWND hWnd, LONG reserved)
{
    RecordCall(RecordVariable, "VC_Open window=%p reserved=%ld", static_cast<void*>(hWnd), reserved);
    long result = DriverHandle;
    AskedResult("VEXACAP_STANDIN_OPEN_RESULT", &result);
    if (result == 0)
        return 0;
    g_hTarget = hWnd;
    g_pressWindow.CreateOnThisThread(g_hInstance);
    return result;
}

extern "C" LONG __cdecl VC_Close(LONG driver)
{
    RecordCall(RecordVariable, "VC_Close driver=%ld", driver);
    g_hTarget = NULL;
    return TRUE;
}

// The other entries: nothing in the suite's contract calls them. Each records its call.
#define STANDIN_ENTRY(name)                   \
    extern "C" LONG __cdecl name()            \
    {                                         \
        RecordCall(RecordVariable, #name);    \
        return 0;                             \
    }

STANDIN_ENTRY(VC_SetBrightness)
STANDIN_ENTRY(VC_GetBrightness)
STANDIN_ENTRY(VC_SetContrast)
STANDIN_ENTRY(VC_GetContrast)
STANDIN_ENTRY(VC_SetHue)
STANDIN_ENTRY(VC_GetHue)
STANDIN_ENTRY(VC_SetColor)
STANDIN_ENTRY(VC_GetColor)
STANDIN_ENTRY(VC_SetSharpness)
STANDIN_ENTRY(VC_GetSharpness)
STANDIN_ENTRY(VC_SetExposure)
STANDIN_ENTRY(VC_GetExposure)
STANDIN_ENTRY(VC_SetAGC)
STANDIN_ENTRY(VC_GetAGC)
STANDIN_ENTRY(VC_SetShutter)
STANDIN_ENTRY(VC_GetShutter)
STANDIN_ENTRY(VC_SetWhiteBalance)
STANDIN_ENTRY(VC_GetWhiteBalance)
STANDIN_ENTRY(VC_SetPictureMode)
STANDIN_ENTRY(VC_GetPictureMode)
STANDIN_ENTRY(VC_SetMute)
STANDIN_ENTRY(VC_GetMute)
STANDIN_ENTRY(VC_Capture)
STANDIN_ENTRY(VC_CopyFrom)
STANDIN_ENTRY(VC_StopVideo)
STANDIN_ENTRY(VC_StartVideo)
STANDIN_ENTRY(VC_ShutterFreeze)
STANDIN_ENTRY(VC_SetMirrorInObverse)
STANDIN_ENTRY(VC_GetCameraReady)
STANDIN_ENTRY(VC_GetCameraDirection)
STANDIN_ENTRY(VC_SetDefaultRequest)
STANDIN_ENTRY(VC_GetCameraControl)
STANDIN_ENTRY(VC_DisableCapturePin)
STANDIN_ENTRY(VC_SetHFlip)
STANDIN_ENTRY(VC_SetOverlayDefault)
STANDIN_ENTRY(VC_IsCameraAvailable)
STANDIN_ENTRY(VC_GetCameraType)
STANDIN_ENTRY(VC_GetCameraControlCapability)

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID reserved)
{
    return StandInDllMain(hInstance, reason, reserved, &g_hInstance, g_pressWindow);
}
