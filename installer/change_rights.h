// Who may change a file or folder, judged from its security descriptor given as plain data: a
// program that every user's login starts must lie where only the system's own accounts can
// replace it.
//   AccessEntry, SecurityDescription   a DACL's entries and the owner, SIDs as strings
//   OnlyTrustedAccountsCanChange       the judgement
#pragma once

#include <string>
#include <vector>

// One entry of a DACL. An entry of a kind that cannot be read is described as an allowance of
// every right to an empty SID, which no system account has.
struct AccessEntry {
    std::string sid;         // "S-1-5-32-544"
    unsigned long mask;      // the access rights
    bool allows;             // an allowance; a denial otherwise
    bool inheritOnly;        // for what is created inside only, not for the object itself
};

struct SecurityDescription {
    std::string owner;       // empty when the descriptor names none
    bool hasDacl;            // without a DACL everyone has every right
    std::vector<AccessEntry> entries;
};

// The rights that change what a file or folder holds or who may change it: write or add a file,
// add a folder, delete the object or what it holds, change its DACL, take its ownership, and the
// generic rights that include these.
const unsigned long ChangeRights = 0x00000002UL | 0x00000004UL | 0x00000040UL | 0x00010000UL | 0x00040000UL
                                   | 0x00080000UL | 0x10000000UL | 0x40000000UL;

// True when nobody but SYSTEM, Administrators, TrustedInstaller and installingAccount (the account
// of the elevated installation, empty for none) may change the object: its owner is one of them (an
// owner may always change the DACL), and no entry that applies to the object allows anyone else a
// change right. Denials are not counted: whether one applies depends on group memberships that
// cannot be seen here, so an allowance that a denial seems to cover still counts.
bool OnlyTrustedAccountsCanChange(const SecurityDescription& description, const std::string& installingAccount);
