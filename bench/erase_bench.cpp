// erase_bench: whether painting the icon button's background costs GDI objects, and what an erase
// costs beside the least one (a solid fill of the same size), in this process.
#include "devices/firmware_events.h"
#include "events/event_wnd.h"
#include "figure_table.h"
#include "framework/handles.h"
#include "framework/win_app.h"
#include "object_counts.h"
#include "prompt/prompt_dlg.h"
#include "uicomponents/ui_components.h"

namespace {

const int Erases = 10000;

class BenchApp : public CWinApp {
public:
    CHeldMutex m_instanceMutex;
    CFirmwareEvents m_firmware;
    CUiComponents m_uiComponents;
};

BenchApp theBenchApp;

// Microseconds of one erase, over Erases of them.
template <class Erase>
double MicrosecondsEach(Erase erase)
{
    const double started = NowMs();
    for (int i = 0; i < Erases; ++i)
        erase();
    return 1000.0 * (NowMs() - started) / Erases;
}

}  // namespace

int main(int argc, char** argv)
{
    CEventWnd* pWnd = new CEventWnd(theBenchApp.m_firmware, theBenchApp.m_uiComponents, theBenchApp.m_instanceMutex);
    pWnd->Create();
    const HWND hButton = pWnd->GetPromptDlg()->m_button.m_hWnd;
    HDC hScreen = ::GetDC(NULL);
    HDC hMemory = ::CreateCompatibleDC(hScreen);
    HBITMAP hBitmap = ::CreateCompatibleBitmap(hScreen, 32, 32);
    HGDIOBJ hOld = ::SelectObject(hMemory, hBitmap);
    HBRUSH hFill = ::CreateSolidBrush(RGB(192, 192, 192));

    const int roomBefore = GdiRoom();
    const double erase =
        MicrosecondsEach([&] { ::SendMessageA(hButton, WM_ERASEBKGND, reinterpret_cast<WPARAM>(hMemory), 0); });
    const int roomAfter = GdiRoom();
    RECT rect;
    ::GetClientRect(hButton, &rect);
    const double fill = MicrosecondsEach([&] { ::FillRect(hMemory, &rect, hFill); });

    ::DeleteObject(hFill);
    ::SelectObject(hMemory, hOld);
    ::DeleteObject(hBitmap);
    ::DeleteDC(hMemory);
    ::ReleaseDC(NULL, hScreen);
    pWnd->DestroyWindow();

    FigureTable table("Icon button: 10,000 erases of its background into a memory DC");
    table.Add({ "one erase", "us", Erases, { { "mean", erase } }, "a solid fill of the button's size",
                { { "mean", fill } }, "" });
    table.Add({ "GDI objects held after the erases, counted against the quota", "", 0,
                { { "value", static_cast<double>(roomBefore - roomAfter) } }, "", {},
                "room " + std::to_string(roomBefore) + " before, " + std::to_string(roomAfter) + " after" });
    return Report(table, argc, argv);
}
