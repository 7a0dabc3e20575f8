// CString: the byte string of the framework, and its one-argument formatting.
#include "framework/cstring.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>

TEST(CString, NullPointerGivesTheEmptyStringAndComparisonIsByBytesInEitherOrder)
{
    CString assigned("text");
    assigned = nullptr;
    EXPECT_STREQ(assigned, "");
    EXPECT_TRUE(CString(nullptr).IsEmpty() && assigned.GetLength() == 0);
    const CString path("Path");
    EXPECT_TRUE(path == "Path" && "Path" == path && path == CString("Path"));
    EXPECT_TRUE(path != "PATH" && !(path == CString("Pat")));
}

TEST(CString, MakeUpperMapsOnlyAsciiLetters)
{
    CString text("Path nocuil-9_z{\xE9\x82\x61}");
    text.MakeUpper();
    EXPECT_EQ(std::string(text), "PATH NOCUIL-9_Z{\xE9\x82\x41}");
}

struct FormatCase {
    const char* pattern;
    const char* arg;
    const char* expected;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << '"' << c.pattern << '"';
}

class CStringFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(CStringFormat, FillsTheFirstPercentSOnly)
{
    CString text("old");
    text.Format(GetParam().pattern, GetParam().arg);
    EXPECT_EQ(std::string(text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Patterns, CStringFormat,
    ::testing::Values(
        FormatCase{ "Press down to start %s!!", "Lumora", "Press down to start Lumora!!" },
        FormatCase{ "%s is starting...", "", " is starting..." },
        FormatCase{ "%s", nullptr, "" },
        FormatCase{ "no argument", "x", "no argument" },
        FormatCase{ "%s and %s", "a", "a and %s" },
        FormatCase{ "100%% of %s", "it", "100% of it" },
        FormatCase{ "%%s stays", "x", "%s stays" },
        FormatCase{ "%d %x %n %s", "ok", "%d %x %n ok" },
        FormatCase{ "ends in %", "x", "ends in %" },
        FormatCase{ "%s", "%s %d", "%s %d" }));

TEST(CString, FormatMayReadItsPatternFromItself)
{
    CString text("<%s>");
    text.Format(text, "inner");
    EXPECT_EQ(text, "<inner>");
}
