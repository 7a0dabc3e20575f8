// prompt_bench: how fast the prompt answers a first press, and whether painting the icon button's
// background costs GDI objects.
//
//   latency of a first press: from posting the capture driver's message to the prompt being
//   visible and topmost, over 200 presses (each followed by a cancel)
//   GDI objects held by the process before and after 10,000 erases of the button
#include "events/event_wnd.h"
#include "events/instance_marker.h"
#include "framework/win_app.h"
#include "message_pump.h"
#include "prompt/prompt_dlg.h"
#include "uicomponents/ui_components.h"

#include <algorithm>
#include <stdio.h>
#include <vector>

namespace {

class BenchApp : public CWinApp {
public:
    CUiComponents m_uiComponents;
};

BenchApp theBenchApp;

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now;
}

bool ShownAndTopmost(HWND hWnd)
{
    return ::IsWindowVisible(hWnd) && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

void MeasurePromptLatency(CEventWnd& wnd)
{
    const HWND hPrompt = wnd.m_pPromptDlg->m_hWnd;
    std::vector<double> latencies;
    for (int press = 0; press < 200; ++press) {
        const LARGE_INTEGER posted = Now();
        ::PostMessageA(wnd.m_hWnd, WM_CAPEVENT, 1, 0);
        if (!PumpUntil([&] { return ShownAndTopmost(hPrompt); }, 5000)) {
            printf("press %d: the prompt did not come up within 5 s\n", press);
            return;
        }
        latencies.push_back(Milliseconds(posted, Now()));
        ::PostMessageA(wnd.m_hWnd, WM_CAPEVENT, 3, 0);
        PumpUntil([&] { return !::IsWindowVisible(hPrompt); }, 5000);
    }
    std::sort(latencies.begin(), latencies.end());
    printf("first press to visible and topmost prompt, 200 presses: median %.3f ms, 95th percentile %.3f ms, "
           "worst %.3f ms\n",
           latencies[latencies.size() / 2], latencies[latencies.size() * 95 / 100], latencies.back());
}

// How many more GDI objects the process can create: the process's quota less what it holds.
// Counting against the quota works where GetGuiResources does not (Wine answers 0).
int GdiRoom()
{
    std::vector<HBRUSH> brushes;
    for (;;) {
        HBRUSH hBrush = ::CreateSolidBrush(RGB(1, 2, 3));
        if (hBrush == NULL || brushes.size() >= 1000000)
            break;
        brushes.push_back(hBrush);
    }
    for (HBRUSH hBrush : brushes)
        ::DeleteObject(hBrush);
    return static_cast<int>(brushes.size());
}

void MeasureEraseObjects(CEventWnd& wnd)
{
    const HWND hButton = wnd.m_pPromptDlg->m_button.m_hWnd;
    HDC hScreen = ::GetDC(NULL);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 32, 32);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);

    const DWORD reportedBefore = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    const int roomBefore = GdiRoom();
    const LARGE_INTEGER start = Now();
    for (int erase = 0; erase < 10000; ++erase)
        ::SendMessageA(hButton, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hMemory), 0);
    const double elapsed = Milliseconds(start, Now());
    const int roomAfter = GdiRoom();
    const DWORD reportedAfter = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);

    printf("10,000 erases of the icon button: %.2f us each\n", 1000.0 * elapsed / 10000);
    printf("GDI objects held, counted against the quota: %d more after the erases (room %d before, %d after)\n",
           roomBefore - roomAfter, roomBefore, roomAfter);
    printf("GDI objects held, as GetGuiResources reports them: %lu before, %lu after%s\n", reportedBefore,
           reportedAfter, reportedBefore == 0 ? " (0: not reported on this platform)" : "");

    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(NULL, hScreen);
}

}  // namespace

CUiComponents& AppUiComponents()
{
    return theBenchApp.m_uiComponents;
}

BOOL AppReleaseInstanceMutex()
{
    return TRUE;
}

int main()
{
    CEventWnd* pWnd = new CEventWnd;
    pWnd->m_strPromptText = "Press down to start Lumora!!";
    MeasurePromptLatency(*pWnd);
    MeasureEraseObjects(*pWnd);
    pWnd->DestroyWindow();
    return 0;
}
