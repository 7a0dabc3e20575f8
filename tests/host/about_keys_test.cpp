// Ctrl and Alt held together ask for the about text; a press since the last query does not count.
#include "events/about_keys.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const short Held = static_cast<short>(0x8000);
const short PressedSinceLastQuery = 0x0001;

// Answers with the given states and records which keys were asked about.
struct Keyboard {
    short control;
    short alt;
    std::string asked;

    bool Requested()
    {
        return AboutTextRequested([this](int key) {
            asked += key == VirtualKeyControl ? "C" : key == VirtualKeyAlt ? "A" : "?";
            return key == VirtualKeyControl ? control : alt;
        });
    }
};

}  // namespace

TEST(AboutKeys, CtrlAndAltHeldTogetherAndAltAskedAboutOnlyWhenCtrlIsHeld)
{
    const short both = static_cast<short>(0x8001);
    const struct {
        short control;
        short alt;
        bool requested;
        const char* asked;
    } rows[] = {
        { Held, Held, true, "CA" },
        { Held, 0, false, "CA" },
        { 0, Held, false, "C" },
        { PressedSinceLastQuery, Held, false, "C" },
        { both, both, true, "CA" },
        { 0x0002, 0x0002, true, "CA" },  // any bit but the lowest
    };
    for (const auto& row : rows) {
        Keyboard keys{ row.control, row.alt, "" };
        EXPECT_EQ(keys.Requested(), row.requested) << std::hex << row.control << " " << row.alt;
        EXPECT_EQ(keys.asked, row.asked) << std::hex << row.control << " " << row.alt;
    }
}
