// Who may change a machine-wide installation's folder or file, over the descriptors that matter:
// what Program Files passes on, what a careless installer leaves, and entries that cannot be read.
#include "change_rights.h"

#include <gtest/gtest.h>

TEST(ChangeRights, OnlyTheSystemsAccountsAndTheInstallingOneMayChange)
{
    const char *administrators = "S-1-5-32-544", *users = "S-1-5-32-545", *installing = "S-1-5-21-1-2-3-500";
    // Each row's entry joins those that Program Files passes on to a folder made in it.
    const std::vector<AccessEntry> programFiles = { { "S-1-5-18", 0x1F01FF, true, false },
        { administrators, 0x1F01FF, true, false }, { users, 0x1200A9, true, false }, { "S-1-3-0", 0x10000000, true, true } };
    const struct { const char* why; const char* owner; AccessEntry entry; bool expected; } rows[] = {
        { "as Program Files gives it", administrators, {}, true },
        { "the installing administrator's", installing, { installing, 0x1F01FF, true, false }, true },
        { "owned by a standard user", "S-1-5-21-1-2-3-1001", {}, false },
        { "owned by nobody known", "", {}, false },
        { "Everyone may write files", administrators, { "S-1-1-0", 0x2, true, false }, false },
        { "Users may add folders", administrators, { users, 0x4, true, false }, false },
        { "Users may delete what it holds", administrators, { users, 0x40, true, false }, false },
        { "Users may delete it", administrators, { users, 0x10000, true, false }, false },
        { "Users may change its DACL", administrators, { users, 0x40000, true, false }, false },
        { "Users may take it", administrators, { users, 0x80000, true, false }, false },
        { "Users have GENERIC_ALL", administrators, { users, 0x10000000, true, false }, false },
        { "Users may change attributes only", administrators, { users, 0x110, true, false }, true },
        { "Users may change what is made inside only", administrators, { users, 0x1F01FF, true, true }, true },
        { "a denial grants nothing", administrators, { users, 0x1F01FF, false, false }, true },
        { "an entry that cannot be read", administrators, { "", ~0UL, true, false }, false },
    };
    for (const auto& row : rows) {
        SecurityDescription description = { row.owner, true, programFiles };
        description.entries.push_back(row.entry);
        EXPECT_EQ(OnlyTrustedAccountsCanChange(description, installing), row.expected) << row.why;
    }
    EXPECT_FALSE(OnlyTrustedAccountsCanChange({ administrators, false, {} }, installing)) << "no DACL";
    // Without an installing account, an entry of no known SID is nobody's trusted one.
    EXPECT_FALSE(OnlyTrustedAccountsCanChange({ administrators, true, { { "", 0x1F01FF, true, false } } }, ""));
}
