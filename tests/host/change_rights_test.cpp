// Who may change a machine-wide installation's folder or file, over the descriptors that matter:
// what Program Files gives, what a careless installer leaves, and entries that cannot be read.
#include "change_rights.h"

#include <gtest/gtest.h>

namespace {

const char* const System = "S-1-5-18";
const char* const Administrators = "S-1-5-32-544";
const char* const TrustedInstaller = "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
const char* const Users = "S-1-5-32-545";
const char* const Everyone = "S-1-1-0";
const char* const Installing = "S-1-5-21-1-2-3-500";
const char* const Standard = "S-1-5-21-1-2-3-1001";
const unsigned long FullControl = 0x1F01FF, ReadAndRun = 0x1200A9;

AccessEntry Allow(const char* sid, unsigned long mask) { return { sid, mask, true, false }; }

// What Program Files passes on to a folder an installer makes: read for Users, the creator's
// rights for inside only.
std::vector<AccessEntry> ProgramFilesEntries()
{
    return { Allow(System, FullControl), Allow(Administrators, FullControl), Allow(TrustedInstaller, FullControl),
             Allow(Users, ReadAndRun), { "S-1-3-0", 0x10000000, true, true } };
}

}  // namespace

TEST(ChangeRights, OnlyTheSystemsAccountsAndTheInstallingOneMayChange)
{
    const struct {
        const char* why;
        std::string owner;
        bool hasDacl;
        std::vector<AccessEntry> more;
        bool expected;
    } rows[] = {
        { "as Program Files gives it", Administrators, true, {}, true },
        { "owned by TrustedInstaller", TrustedInstaller, true, {}, true },
        { "owned and changeable by the installing administrator", Installing, true, { Allow(Installing, FullControl) }, true },
        { "owned by a standard user", Standard, true, {}, false },
        { "owned by nobody known", "", true, {}, false },
        { "no DACL", Administrators, false, {}, false },
        { "Everyone may write files", Administrators, true, { Allow(Everyone, 0x2) }, false },
        { "Users may add folders", Administrators, true, { Allow(Users, 0x4) }, false },
        { "Users may delete what it holds", Administrators, true, { Allow(Users, 0x40) }, false },
        { "a user may delete it", Administrators, true, { Allow(Standard, 0x10000) }, false },
        { "Users may change its DACL", Administrators, true, { Allow(Users, 0x40000) }, false },
        { "Users may take it", Administrators, true, { Allow(Users, 0x80000) }, false },
        { "Users have GENERIC_ALL", Administrators, true, { Allow(Users, 0x10000000) }, false },
        { "Users have GENERIC_WRITE", Administrators, true, { Allow(Users, 0x40000000) }, false },
        { "Users may change its attributes only", Administrators, true, { Allow(Users, 0x100 | 0x10) }, true },
        { "Users may write what is made inside only", Administrators, true, { { Users, FullControl, true, true } }, true },
        { "a denial does not cover an allowance", Administrators, true,
          { { Everyone, FullControl, false, false }, Allow(Users, FullControl) }, false },
        { "an entry that cannot be read", Administrators, true, { Allow("", ~0UL) }, false },
    };
    for (const auto& row : rows) {
        SecurityDescription description = { row.owner, row.hasDacl, ProgramFilesEntries() };
        description.entries.insert(description.entries.end(), row.more.begin(), row.more.end());
        EXPECT_EQ(OnlyTrustedAccountsCanChange(description, Installing), row.expected) << row.why;
    }
    // The installing account is trusted only when there is one: an empty one is no SID's match.
    const SecurityDescription unknown = { Administrators, true, { Allow("", FullControl) } };
    EXPECT_FALSE(OnlyTrustedAccountsCanChange(unknown, ""));
    const SecurityDescription installingOwns = { Installing, true, {} };
    EXPECT_FALSE(OnlyTrustedAccountsCanChange(installingOwns, ""));
}
