// The decision order of a button event: launching first, then the capture application, then busy,
// each probe made only where the order reaches it.
#include "events/event_decision.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Row {
    bool launching;
    bool appRunning;
    bool busy;
    ButtonEvent event;
    EventEffect expected;
    const char* probes;  // the probes made, in order: "a" the application, "b" busy
};

std::string Name(ButtonEvent event)
{
    switch (event) {
    case ButtonEvent::None: return "none";
    case ButtonEvent::Prompt: return "Prompt";
    case ButtonEvent::Launch: return "Launch";
    case ButtonEvent::Cancel: return "Cancel";
    }
    return "?";
}

const ButtonEvent AllEvents[] = { ButtonEvent::None, ButtonEvent::Prompt, ButtonEvent::Launch, ButtonEvent::Cancel };

}  // namespace

TEST(EventDecision, EveryCombinationFollowsTheTable)
{
    using E = ButtonEvent;
    using F = EventEffect;
    std::vector<Row> rows;
    for (bool appRunning : { false, true }) {
        for (bool busy : { false, true }) {
            // Launching: only a Cancel acts, and nothing is probed.
            for (E event : AllEvents)
                rows.push_back({ true, appRunning, busy, event,
                                 event == E::Cancel ? F::ResetIconWhileLaunching : F::Nothing, "" });
            // The capture application runs: every event hides, and busy is not probed.
            if (appRunning) {
                for (E event : AllEvents)
                    rows.push_back({ false, true, busy, event, F::HideForRunningApp, "a" });
            }
        }
    }
    rows.push_back({ false, false, false, E::Prompt, F::ShowPrompt, "ab" });
    rows.push_back({ false, false, true, E::Prompt, F::Nothing, "ab" });
    rows.push_back({ false, false, false, E::Launch, F::LaunchTarget, "ab" });
    rows.push_back({ false, false, true, E::Launch, F::Nothing, "ab" });
    for (bool busy : { false, true }) {
        rows.push_back({ false, false, busy, E::Cancel, F::HidePrompt, "a" });
        rows.push_back({ false, false, busy, E::None, F::Nothing, "a" });
    }

    for (const Row& row : rows) {
        std::string probes;
        const EventEffect effect = DecideEventEffect(
            row.launching, row.event, [&] { probes += 'a'; return row.appRunning; },
            [&] { probes += 'b'; return row.busy; });
        const std::string situation = "launching " + std::to_string(row.launching) + ", application running "
            + std::to_string(row.appRunning) + ", busy " + std::to_string(row.busy) + ", " + Name(row.event);
        EXPECT_EQ(effect, row.expected) << situation;
        EXPECT_EQ(probes, row.probes) << situation;
    }
}
