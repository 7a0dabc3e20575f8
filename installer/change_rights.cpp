// The judgement of who may change a file or folder, from its security descriptor as plain data.
#include "change_rights.h"

namespace {

const char* const SystemAccounts[] = {
    "S-1-5-18",                                                       // SYSTEM
    "S-1-5-32-544",                                                   // Administrators
    "S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464", // TrustedInstaller
};

bool IsTrusted(const std::string& sid, const std::string& installingAccount)
{
    if (!installingAccount.empty() && sid == installingAccount)
        return true;
    for (const char* account : SystemAccounts) {
        if (sid == account)
            return true;
    }
    return false;
}

}  // namespace

bool OnlyTrustedAccountsCanChange(const SecurityDescription& description, const std::string& installingAccount)
{
    if (!description.hasDacl || !IsTrusted(description.owner, installingAccount))
        return false;
    for (const AccessEntry& entry : description.entries) {
        if (entry.allows && !entry.inheritOnly && (entry.mask & ChangeRights) != 0
            && !IsTrusted(entry.sid, installingAccount))
            return false;
    }
    return true;
}
