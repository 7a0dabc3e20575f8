// What one button event does to the prompt: the fixed decision order of the event window.
#pragma once

#include "events/button_event.h"

enum class EventEffect {
    Nothing,
    ResetIconWhileLaunching,  // a Cancel while launching: the blink stops and the idle icon returns
    HideForRunningApp,        // the capture application runs: the blink stops and the prompt goes
    ShowPrompt,               // the prompt text (or the about text), the blink, the prompt shown
    LaunchTarget,             // the starting text and icon, then the launch
    HidePrompt,               // the blink stops, the idle icon returns, the prompt goes
};

// The first rule that matches decides. A launch in progress is looked at first, and then nothing
// else; the capture application is probed next, for every event; the busy mutex only for a Prompt
// or a Launch while the application does not run. isCaptureAppRunning and isBusy are called only
// where the order reaches them.
template <class AppRunningProbe, class BusyProbe>
EventEffect DecideEventEffect(bool launching, ButtonEvent event, AppRunningProbe isCaptureAppRunning,
                              BusyProbe isBusy)
{
    if (launching)
        return event == ButtonEvent::Cancel ? EventEffect::ResetIconWhileLaunching : EventEffect::Nothing;
    if (isCaptureAppRunning())
        return EventEffect::HideForRunningApp;
    switch (event) {
    case ButtonEvent::Prompt:
        return isBusy() ? EventEffect::Nothing : EventEffect::ShowPrompt;
    case ButtonEvent::Launch:
        return isBusy() ? EventEffect::Nothing : EventEffect::LaunchTarget;
    case ButtonEvent::Cancel:
        return EventEffect::HidePrompt;
    case ButtonEvent::None:
        break;
    }
    return EventEffect::Nothing;
}
