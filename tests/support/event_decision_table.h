// The decision order of a button event as a table, written out row by row: for each state an event
// meets, what it does and which probes it makes. Every state matches exactly one row.
#pragma once

#include "events/event_decision.h"

// A condition of a row: it must be false, true, or it does not matter.
enum class When { No, Yes, Any };

struct DecisionRow {
    When launching;
    When appRunning;
    When busy;
    ButtonEvent event;
    EventEffect effect;
    const char* probes;  // the probes made, in order: "a" the capture application, "b" busy
};

const DecisionRow DecisionTable[] = {
    // launching  app running  busy       event                 effect
    { When::Yes, When::Any, When::Any, ButtonEvent::None, EventEffect::Nothing, "" },
    { When::Yes, When::Any, When::Any, ButtonEvent::Prompt, EventEffect::Nothing, "" },
    { When::Yes, When::Any, When::Any, ButtonEvent::Launch, EventEffect::Nothing, "" },
    { When::Yes, When::Any, When::Any, ButtonEvent::Cancel, EventEffect::ResetIconWhileLaunching, "" },
    { When::No, When::Yes, When::Any, ButtonEvent::None, EventEffect::HideForRunningApp, "a" },
    { When::No, When::Yes, When::Any, ButtonEvent::Prompt, EventEffect::HideForRunningApp, "a" },
    { When::No, When::Yes, When::Any, ButtonEvent::Launch, EventEffect::HideForRunningApp, "a" },
    { When::No, When::Yes, When::Any, ButtonEvent::Cancel, EventEffect::HideForRunningApp, "a" },
    { When::No, When::No, When::Any, ButtonEvent::None, EventEffect::Nothing, "a" },
    { When::No, When::No, When::No, ButtonEvent::Prompt, EventEffect::ShowPrompt, "ab" },
    { When::No, When::No, When::Yes, ButtonEvent::Prompt, EventEffect::Nothing, "ab" },
    { When::No, When::No, When::No, ButtonEvent::Launch, EventEffect::LaunchTarget, "ab" },
    { When::No, When::No, When::Yes, ButtonEvent::Launch, EventEffect::Nothing, "ab" },
    { When::No, When::No, When::Any, ButtonEvent::Cancel, EventEffect::HidePrompt, "a" },
};

// The one row that the state matches; null when it matches none, or more than one.
inline const DecisionRow* RowFor(bool launching, bool appRunning, bool busy, ButtonEvent event)
{
    const auto matches = [](When when, bool value) { return when == When::Any || (when == When::Yes) == value; };
    const DecisionRow* found = nullptr;
    for (const DecisionRow& row : DecisionTable) {
        if (row.event != event || !matches(row.launching, launching) || !matches(row.appRunning, appRunning)
            || !matches(row.busy, busy))
            continue;
        if (found != nullptr)
            return nullptr;
        found = &row;
    }
    return found;
}
