// CEventWnd: the program's hidden main window. Both sources of camera-button events deliver their
// messages to it; it reduces each to a button event, drives the prompt and launches the capture
// application.
#pragma once

#include "events/button_event.h"
#include "framework/cstring.h"
#include "framework/frame_wnd.h"

class CPromptDlg;

// The capture driver library's registered message "VexaCapEvent", registered when the program loads.
extern const UINT WM_CAPEVENT;
// The firmware event service's message.
const UINT WM_FIRMWARE_EVENT = WM_USER + 255;

const UINT_PTR IDT_LAUNCH = 101;
const UINT LaunchShowMs = 2000;

class CEventWnd : public CFrameWnd {
public:
    // Creates the hidden tool window "Lumora Ready", owned by it the hidden prompt dialog, and asks
    // the firmware event service to report to it.
    CEventWnd();
    // Cancels the firmware service's request first.
    ~CEventWnd() override;

    // What one button event does, in the fixed decision order.
    void DispatchButtonEvent(ButtonEvent event);
    // The capture application runs: its mutex exists.
    BOOL IsCaptureAppRunning();
    // Another thread holds the suite's busy mutex: first and second presses are to be ignored.
    BOOL IsBusy();
    // Starts path through the shell; TRUE when it was started.
    BOOL Launch(const CString& path);
    // The launch timer's callback: the prompt is hidden once, IDT_LAUNCH after the launch.
    static void CALLBACK LaunchTimerProc(HWND hWnd, UINT message, UINT_PTR nIDEvent, DWORD dwTime);

    // What to launch, whether silently, and how the prompt presents it: once, at start-up, from the
    // command line, the settings, the capture application's class registration and the built-in
    // defaults. All three return TRUE.
    BOOL ResolveAppPath(const CString& cmdPath);
    BOOL ResolveSilent(BOOL cmdSilent);
    BOOL LoadPresentation();

    // Asks the firmware service for this window's events: FALSE without a call handle, when already
    // registered, or when the service refuses.
    BOOL RegisterFirmwareEvents();
    // Cancels the request: FALSE, calling nothing, when there is no call or no request.
    BOOL CancelFirmwareEvents();

    CString m_strPromptText;
    BOOL m_bSilent = FALSE;           // no launch sound and no failure beep
    BOOL m_bLaunching = FALSE;        // a launch succeeded and its timer runs
    CPromptDlg* m_pPromptDlg = nullptr;  // deletes itself with its window
    CString m_strFailureText;
    CString m_strStartingText;
    BOOL m_bUseShellIcon = FALSE;
    CString m_strAppPath;
    LONG m_nFwRequest = 0;  // the firmware service's message request; 0: none
    LONG m_nFwCall = 0;     // the firmware service's call; 0: none

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void PostNcDestroy() override;

private:
    LRESULT OnCapEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnFirmwareEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnReadyQuit(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    void StopLaunchTimer();
    LRESULT OnButtonEvent(ButtonEvent event);
    CString PromptOrAboutText() const;
};
