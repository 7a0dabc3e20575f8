// Both sources' codes reduce to the same three actions, exactly as tabled.
#include "events/button_event.h"

#include <gtest/gtest.h>

#include <cstdint>

TEST(ButtonEventMapping, CaptureDriverCodesInWParam)
{
    EXPECT_EQ(MapCaptureDriverCode(1), ButtonEvent::Prompt);
    EXPECT_EQ(MapCaptureDriverCode(2), ButtonEvent::Launch);
    EXPECT_EQ(MapCaptureDriverCode(3), ButtonEvent::Cancel);
    EXPECT_EQ(MapCaptureDriverCode(4), ButtonEvent::Cancel);
    for (std::uintptr_t none : { std::uintptr_t(0), std::uintptr_t(5), std::uintptr_t(6), std::uintptr_t(0x101),
                                 ~std::uintptr_t(0), std::uintptr_t(1) << 16 })
        EXPECT_EQ(MapCaptureDriverCode(none), ButtonEvent::None) << "wParam " << none;
}

TEST(ButtonEventMapping, FirmwareCodesAreTheThreeBitsOfLParamTakenTogether)
{
    const struct {
        std::intptr_t code;
        ButtonEvent expected;
    } rows[] = {
        { 0x000, ButtonEvent::None },   { 0x400, ButtonEvent::Launch }, { 0x800, ButtonEvent::Prompt },
        { 0xC00, ButtonEvent::None },   { 0x1000, ButtonEvent::Cancel }, { 0x1400, ButtonEvent::Cancel },
        { 0x1800, ButtonEvent::None },  { 0x1C00, ButtonEvent::None },
    };
    for (const auto& row : rows) {
        EXPECT_EQ(MapFirmwareCode(row.code), row.expected) << "code " << std::hex << row.code;
        // No bit outside 0x1C00 matters.
        const std::intptr_t noise = ~std::intptr_t(0x1C00);
        EXPECT_EQ(MapFirmwareCode(row.code | noise), row.expected) << "code " << std::hex << row.code << " with noise";
        EXPECT_EQ(MapFirmwareCode(row.code | 0x3FF), row.expected) << "code " << std::hex << row.code << " | 0x3FF";
    }
    EXPECT_EQ(MapFirmwareCode(0x0801), ButtonEvent::Prompt);
}
