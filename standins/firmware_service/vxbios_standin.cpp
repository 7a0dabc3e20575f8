// Stand-in for the firmware event service library ("vxbios.dll"): three WINAPI entries.
//   "Begin_VXBIOS_Call"()                          opens a call: a handle, or -1
//   "VXBIOS_BiosMessageReq"(call, window, mask)    asks for events: a request handle, or 0
//   "VXBIOS_CancelMessageReq"(call, request)       ends the request
// While a request stands, every press that press.exe makes is delivered as message 0x4FF to the
// window, with the event code in lParam.
//
// For tests: VXBIOS_STANDIN_RECORD names a file where every call adds a line;
// VXBIOS_STANDIN_BEGIN_RESULT and VXBIOS_STANDIN_REQUEST_RESULT make those entries return that
// number (a refused request delivers nothing).
#include "press_link.h"
#include "standin_library.h"

namespace {

const char* const RecordVariable = "VXBIOS_STANDIN_RECORD";
const LONG CallHandle = 0x51A1;
const LONG RequestHandle = 0x7E01;
const UINT FirmwareEventMessage = WM_USER + 255;

HINSTANCE g_hInstance = NULL;
HWND g_hTarget = NULL;

LRESULT CALLBACK DeliverPress(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == StandInPressMessage && g_hTarget != NULL) {
        ::PostMessageA(g_hTarget, FirmwareEventMessage, 0, static_cast<LPARAM>(wParam));
        return TRUE;
    }
    return ::DefWindowProcA(hWnd, message, wParam, lParam);
}

PressWindow g_pressWindow(FirmwarePressClass, DeliverPress);

}  // namespace

extern "C" LONG WINAPI Begin_VXBIOS_Call()
{
    RecordCall(RecordVariable, "Begin_VXBIOS_Call");
    long result = CallHandle;
    AskedResult("VXBIOS_STANDIN_BEGIN_RESULT", &result);
    return result;
}

extern "C" LONG WINAPI VXBIOS_BiosMessageReq(LONG call, HWND hWnd, LONG eventMask)
{
    RecordCall(RecordVariable, "VXBIOS_BiosMessageReq call=%ld window=%p mask=0x%lx", call,
               static_cast<void*>(hWnd), static_cast<unsigned long>(eventMask));
    long result = RequestHandle;
    AskedResult("VXBIOS_STANDIN_REQUEST_RESULT", &result);
    if (result == 0)
        return 0;
    g_hTarget = hWnd;
    g_pressWindow.CreateOnThisThread(g_hInstance);
    return result;
}

extern "C" LONG WINAPI VXBIOS_CancelMessageReq(LONG call, LONG request)
{
    RecordCall(RecordVariable, "VXBIOS_CancelMessageReq call=%ld request=%ld", call, request);
    g_hTarget = NULL;
    return TRUE;
}

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD reason, LPVOID reserved)
{
    return StandInDllMain(hInstance, reason, reserved, &g_hInstance, g_pressWindow);
}
