// The settings store's name matching and value decoding.
#include "settings/value_decoding.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(SettingsKeyPath, InsertsEachPartAsItIs)
{
    EXPECT_EQ(SettingsKeyPath("Vexa Corporation", "Lumora", "Ready"), "Software\\Vexa Corporation\\Lumora\\Ready");
    EXPECT_EQ(SettingsKeyPath("CLASSES", "CLSID", "{3F1A6C20-5B7D-11D1-8E21-00A0C94D7A10}\\LocalServer32"),
              "Software\\CLASSES\\CLSID\\{3F1A6C20-5B7D-11D1-8E21-00A0C94D7A10}\\LocalServer32");
    EXPECT_EQ(SettingsKeyPath("", "b", ""), "Software\\\\b\\");
}

TEST(ValueNameMatch, ExactOrUpperCaseOnly)
{
    const struct {
        const char* stored;
        const char* requested;
        const char* upper;
        bool matches;
    } rows[] = {
        { "Path", "Path", "PATH", true },     { "PATH", "Path", "PATH", true },
        { "path", "Path", "PATH", false },    { "pAtH", "Path", "PATH", false },
        { "nocuil", "NoCUIL", "NOCUIL", false }, { "NOCUIL", "NoCUIL", "NOCUIL", true },
        { "", "", "", true },                 { "Path2", "Path", "PATH", false },
        { "Pat", "Path", "PATH", false },
    };
    for (const auto& row : rows)
        EXPECT_EQ(ValueNameMatches(row.stored, row.requested, row.upper), row.matches)
            << "stored \"" << row.stored << "\", requested \"" << row.requested << "\"";
}

TEST(ValueDecoding, StringStopsAtTheFirstZeroAndNeverPassesTheSize)
{
    const unsigned char text[] = { 'C', ':', '\\', 'a', 0, 'x', 'y' };
    EXPECT_EQ(DecodeString(text, sizeof text), "C:\\a");
    EXPECT_EQ(DecodeString(text, 2), "C:") << "data without a terminator";
    EXPECT_EQ(DecodeString(text, 0), "");
    const unsigned char dword[] = { 1, 0, 0, 0 };
    EXPECT_EQ(DecodeString(dword, sizeof dword), std::string("\x01")) << "a REG_DWORD of 1 read as a string";
}

TEST(ValueDecoding, NumberFromTheFirstFourBytesLittleEndian)
{
    const unsigned char dword[] = { 0x78, 0x56, 0x34, 0x12, 0xFF };
    EXPECT_EQ(DecodeNumber(dword, sizeof dword), 0x12345678u);
    const unsigned char zeroText[] = { '0', 0 };
    EXPECT_EQ(DecodeNumber(zeroText, sizeof zeroText), 0x30u) << "the string \"0\" read as a number is not zero";
    EXPECT_EQ(DecodeNumber(dword, 1), 0x78u) << "short data: the missing high bytes are zero";
    EXPECT_EQ(DecodeNumber(dword, 3), 0x345678u);
    EXPECT_EQ(DecodeNumber(dword, 0), 0u);
}
