// The hidden main window: creation, the two event messages and the decision order.
#include "events/event_wnd.h"

#include "contracts/suite_contracts.h"
#include "devices/firmware_events.h"
#include "events/about_keys.h"
#include "events/event_decision.h"
#include "events/instance_marker.h"
#include "framework/afx_helpers.h"
#include "framework/event_log.h"
#include "framework/handles.h"
#include "framework/module_path.h"
#include "framework/trace.h"
#include "prompt/prompt_dlg.h"
#include "res/lumora_ready_events.h"
#include "res/resource.h"

#include <string>

// Every process that registers the name gets the same number: that is how the driver library
// addresses this window.
const UINT WM_CAPEVENT = ::RegisterWindowMessageA(CaptureEventMessageName);

CEventWnd::CEventWnd(CFirmwareEvents& firmware, CUiComponents& uiComponents, CHeldMutex& instanceMutex)
    : m_firmware(firmware)
    , m_uiComponents(uiComponents)
    , m_instanceMutex(instanceMutex)
{
}

CEventWnd::~CEventWnd()
{
    CancelFirmwareEvents();
}

BOOL CEventWnd::Create()
{
    // Whatever the creation destroys again stays with this object until the end of the call.
    CHandlerScope scope;
    // A tool window has no taskbar button, so even a shown one would stay out of the user's way.
    if (!CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "Lumora Ready", 0, 0, 0, 0, 0, NULL, NULL)) {
        const DWORD error = ::GetLastError();
        Trace("the main window could not be created: error %lu", error);
        LogEvent(MSG_NO_MAIN_WINDOW, { ModuleFileName(NULL), std::to_string(error).c_str() });
        return FALSE;
    }
    m_pPromptDlg = new CPromptDlg(m_uiComponents, nullptr);
    if (!m_pPromptDlg->Create(IDD_PROMPT, this)) {
        const DWORD error = ::GetLastError();
        Trace("the prompt could not be created: error %lu", error);
        LogEvent(MSG_NO_PROMPT, { ModuleFileName(NULL), std::to_string(error).c_str() });
        delete m_pPromptDlg;
        m_pPromptDlg = nullptr;
        ::DestroyWindow(m_hWnd);
        KeepAfterFailedCreate();
        return FALSE;
    }

    // The service answers -1 when it cannot open a call: no call, as when there is no service.
    m_nFwCall = m_firmware.BeginCall();
    if (m_nFwCall == -1)
        m_nFwCall = 0;
    m_nFwRequest = 0;
    RegisterFirmwareEvents();
    return TRUE;
}

BOOL CEventWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // A registered message has no constant number, so it is tested before the switch; a failed
    // registration (0) must not catch WM_NULL.
    if (WM_CAPEVENT != 0 && message == WM_CAPEVENT) {
        *pResult = OnCapEvent(wParam, lParam);
        return TRUE;
    }
    switch (message) {
    case WM_FIRMWARE_EVENT:
        *pResult = OnFirmwareEvent(wParam, lParam);
        return TRUE;
    case WM_READY_QUIT:
        *pResult = OnReadyQuit(wParam, lParam);
        return TRUE;
    case WM_DESTROY:
        OnDestroy();
        return TRUE;
    }
    return CWnd::OnWndMsg(message, wParam, lParam, pResult);
}

// A newer instance takes over: this one gives up its mark and its hold of the instance mutex at
// once, so that the newer one may go on as soon as it can, and then ends.
LRESULT CEventWnd::OnReadyQuit(WPARAM, LPARAM)
{
    Trace("a newer instance asked this one to quit");
    if (::GetPropA(m_hWnd, InstanceMutexName) == RunningInstanceMark()) {
        ::SetPropA(m_hWnd, InstanceMutexName, QuittingInstanceMark());
        ::RemovePropA(m_hWnd, InstanceMutexName);
        m_instanceMutex.Release();
    } else {
        ::RemovePropA(m_hWnd, InstanceMutexName);
    }
    StopLaunchTimer();
    DestroyWindow();
    return ReadyQuitAnswer;
}

// Whatever destroys the main window, it stops being the running instance's.
void CEventWnd::OnDestroy()
{
    ::RemovePropA(m_hWnd, InstanceMutexName);
    CWnd::OnDestroy();
    StopLaunchTimer();
}

BOOL CEventWnd::StartLaunchTimer()
{
    m_bLaunching = SetTimer(IDT_LAUNCH, LaunchShowMs, LaunchTimerProc) != 0;
    return m_bLaunching;
}

void CEventWnd::StopLaunchTimer()
{
    if (!m_bLaunching)
        return;
    KillTimer(IDT_LAUNCH);
    m_bLaunching = FALSE;
}

LRESULT CEventWnd::OnCapEvent(WPARAM wParam, LPARAM)
{
    const ButtonEvent event = MapCaptureDriverCode(wParam);
    if (event == ButtonEvent::None)
        Trace("capture driver code %llu means nothing here", static_cast<unsigned long long>(wParam));
    return OnButtonEvent(event);
}

LRESULT CEventWnd::OnFirmwareEvent(WPARAM, LPARAM lParam)
{
    const ButtonEvent event = MapFirmwareCode(lParam);
    if (event == ButtonEvent::None)
        Trace("firmware event 0x%llx means nothing here", static_cast<unsigned long long>(lParam));
    return OnButtonEvent(event);
}

LRESULT CEventWnd::OnButtonEvent(ButtonEvent event)
{
    // Every event, even one that means nothing, counts as the user's presence: the system and the
    // display stay awake, and no requirement is left standing afterwards.
    ::SetThreadExecutionState(ES_CONTINUOUS | ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED);
    DispatchButtonEvent(event);
    ::SetThreadExecutionState(ES_CONTINUOUS);
    return 0;
}

void CEventWnd::DispatchButtonEvent(ButtonEvent event)
{
    CPromptDlg& prompt = *m_pPromptDlg;
    const EventEffect effect = DecideEventEffect(
        m_bLaunching != FALSE, event, [this] { return IsCaptureAppRunning() != FALSE; },
        [this] { return IsBusy() != FALSE; });
    switch (effect) {
    case EventEffect::Nothing:
        // A code that means nothing was reported where it came in.
        if (m_bLaunching)
            Trace("press ignored: a launch is in progress");
        else if (event != ButtonEvent::None)
            Trace("press ignored: the camera is busy");
        break;
    case EventEffect::ResetIconWhileLaunching:
        prompt.StopBlink();
        prompt.SetIcon(IconIdle);
        prompt.UpdateWindow();
        break;
    case EventEffect::HideForRunningApp:
        Trace("the capture application runs already: the prompt goes");
        prompt.StopBlink();
        prompt.Show(FALSE);
        break;
    case EventEffect::ShowPrompt:
        prompt.SetText(PromptOrAboutText());
        prompt.StartBlink();
        prompt.Show(TRUE);
        break;
    case EventEffect::LaunchTarget:
        prompt.StopBlink();
        prompt.SetText(m_strStartingText);
        prompt.SetIcon(IconStarting);
        prompt.UpdateWindow();
        if (!Launch(m_strAppPath)) {
            prompt.SetText(m_strFailureText);
            prompt.SetIcon(IconAlternate);
        }
        break;
    case EventEffect::HidePrompt:
        prompt.StopBlink();
        prompt.SetIcon(IconIdle);
        prompt.UpdateWindow();
        prompt.Show(FALSE);
        break;
    }
}

CString CEventWnd::PromptOrAboutText() const
{
    if (!AboutTextRequested([](int virtualKey) { return ::GetAsyncKeyState(virtualKey); }))
        return m_strPromptText;
    CString about;
    about.LoadString(IDS_ABOUT_TEXT);
    return about;
}
