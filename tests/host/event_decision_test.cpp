// The decision order of a button event against its table: launching first, then the capture
// application, then busy, each probe made only where the order reaches it.
#include "event_decision_table.h"

#include <gtest/gtest.h>

#include <string>

TEST(EventDecision, EveryStateFollowsItsOneRowOfTheTable)
{
    for (ButtonEvent event : { ButtonEvent::None, ButtonEvent::Prompt, ButtonEvent::Launch, ButtonEvent::Cancel }) {
        for (int state = 0; state < 8; ++state) {
            const bool launching = state & 1, appRunning = state & 2, busy = state & 4;
            SCOPED_TRACE("event " + std::to_string(static_cast<int>(event)) + ", launching " + std::to_string(launching)
                         + ", application running " + std::to_string(appRunning) + ", busy " + std::to_string(busy));
            const DecisionRow* row = RowFor(launching, appRunning, busy, event);
            ASSERT_NE(row, nullptr) << "the table has a gap or an overlap here";
            std::string probes;
            const EventEffect effect = DecideEventEffect(
                launching, event, [&] { probes += 'a'; return appRunning; }, [&] { probes += 'b'; return busy; });
            EXPECT_EQ(effect, row->effect);
            EXPECT_EQ(probes, row->probes);
        }
    }
}
