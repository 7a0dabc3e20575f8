// CEventWnd: the program's hidden main window. Both sources of camera-button events deliver their
// messages to it; it reduces each to a button event, drives the prompt and launches the capture
// application.
#pragma once

#include "events/button_event.h"
#include "framework/cstring.h"
#include "framework/frame_wnd.h"

class CFirmwareEvents;
class CHeldMutex;
class CPromptDlg;
class CUiComponents;

// The capture driver library's registered message "VexaCapEvent", registered when the program loads.
extern const UINT WM_CAPEVENT;
// The firmware event service's message.
const UINT WM_FIRMWARE_EVENT = WM_USER + 255;

const UINT_PTR IDT_LAUNCH = 101;
const UINT LaunchShowMs = 2000;

class CEventWnd : public CFrameWnd {
public:
    // The window object, without its window until Create. What it is given must outlive it: the
    // firmware binding it registers with, the UI component client it hands to its prompt, and the
    // instance mutex it gives up when a newer instance takes over.
    CEventWnd(CFirmwareEvents& firmware, CUiComponents& uiComponents, CHeldMutex& instanceMutex);
    // Cancels the firmware service's request first.
    ~CEventWnd() override;

    // Creates the hidden tool window "Lumora Ready", owned by it the hidden prompt dialog, and asks
    // the firmware event service to report to it. FALSE when either window could not be made: the
    // object then holds no window, has asked the service nothing, and its creator deletes it. After
    // TRUE the object deletes itself once its window is gone.
    BOOL Create();

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

    // What the window has decided and holds, for those that show or check it.
    CPromptDlg* GetPromptDlg() const { return m_pPromptDlg; }
    const CString& GetAppPath() const { return m_strAppPath; }
    BOOL IsSilent() const { return m_bSilent; }
    BOOL UsesShellIcon() const { return m_bUseShellIcon; }
    const CString& GetPromptText() const { return m_strPromptText; }
    const CString& GetStartingText() const { return m_strStartingText; }
    const CString& GetFailureText() const { return m_strFailureText; }
    BOOL IsLaunching() const { return m_bLaunching; }
    LONG GetFirmwareCall() const { return m_nFwCall; }
    LONG GetFirmwareRequest() const { return m_nFwRequest; }

protected:
    BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    // The launch's steps, carried out on this window and its prompt.
    class Launcher;

    LRESULT OnCapEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnFirmwareEvent(WPARAM wParam, LPARAM lParam);
    LRESULT OnReadyQuit(WPARAM wParam, LPARAM lParam);
    void OnDestroy();
    LRESULT OnButtonEvent(ButtonEvent event);
    CString PromptOrAboutText() const;
    // The launch timer and the launching flag change together, here only: a launch is in progress
    // exactly while the timer runs.
    BOOL StartLaunchTimer();
    void StopLaunchTimer();

    CFirmwareEvents& m_firmware;
    CUiComponents& m_uiComponents;
    CHeldMutex& m_instanceMutex;

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
};
