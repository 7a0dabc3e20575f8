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

TEST(AboutKeys, CtrlAndAltHeldTogether)
{
    Keyboard keys{ Held, Held, "" };
    EXPECT_TRUE(keys.Requested());
    EXPECT_EQ(keys.asked, "CA");
}

TEST(AboutKeys, CtrlAloneOrAltAloneIsNotEnough)
{
    Keyboard ctrlOnly{ Held, 0, "" };
    EXPECT_FALSE(ctrlOnly.Requested());
    Keyboard altOnly{ 0, Held, "" };
    EXPECT_FALSE(altOnly.Requested());
    EXPECT_EQ(altOnly.asked, "C") << "Alt is asked about only when Ctrl is held";
}

TEST(AboutKeys, APressSinceTheLastQueryIsNotAHeldKey)
{
    Keyboard released{ PressedSinceLastQuery, Held, "" };
    EXPECT_FALSE(released.Requested());
    Keyboard heldAndPressed{ static_cast<short>(0x8001), static_cast<short>(0x8001), "" };
    EXPECT_TRUE(heldAndPressed.Requested());
    EXPECT_FALSE(KeyStateHeld(0));
    EXPECT_TRUE(KeyStateHeld(0x0002)) << "any bit but the lowest";
}
