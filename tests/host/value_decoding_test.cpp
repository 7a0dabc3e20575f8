// The settings store's name matching: a stored name answers the request exactly or in upper case,
// never in another mix of cases. (The decoding and the key path are checked by their fuzz targets'
// properties on their corpus.)
#include "settings/value_decoding.h"

#include <gtest/gtest.h>

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
