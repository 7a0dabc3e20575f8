// Tells the installer whether anyone but SYSTEM, Administrators and TrustedInstaller could change
// the folder and files of a machine-wide installation: every user's login starts that program, and
// whoever can replace it runs code in every session, an administrator's included. The account that
// runs it with an elevated token, the administrator installing, counts with them: it could take
// any file anyway. The installer carries it among its own files, as it does end_instance.exe, and
// runs it before it writes anything machine-wide.
//   admin_only_check.exe <path>...
// Exit code 0 when only those accounts can change each path, 1 when anyone else can change one of
// them, 2 when no path is named or the security of one cannot be read.
#include "change_rights.h"
#include "framework/handles.h"

#include <windows.h>
#include <aclapi.h>
#include <sddl.h>

#include <memory>
#include <stddef.h>
#include <stdlib.h>

namespace {

// What GetNamedSecurityInfo and ConvertSidToStringSid allocate, freed when it goes.
struct LocalFreer {
    void operator()(void* memory) const { ::LocalFree(memory); }
};
typedef std::unique_ptr<void, LocalFreer> LocalMemory;

// The string form of a SID, empty when it is none.
std::string SidText(PSID sid)
{
    char* text = NULL;
    if (sid == NULL || !::IsValidSid(sid) || !::ConvertSidToStringSidA(sid, &text))
        return std::string();
    const LocalMemory owned(text);
    return text;
}

// Allowed and denied entries, plain or conditional, share the layout of ACCESS_ALLOWED_ACE. Any
// other entry is described as an allowance of everything to nobody known.
AccessEntry Describe(const ACE_HEADER* header)
{
    AccessEntry entry = { std::string(), ~0UL, true, (header->AceFlags & INHERIT_ONLY_ACE) != 0 };
    const BYTE type = header->AceType;
    const bool denies = type == ACCESS_DENIED_ACE_TYPE || type == ACCESS_DENIED_CALLBACK_ACE_TYPE;
    const size_t sidOffset = offsetof(ACCESS_ALLOWED_ACE, SidStart);
    if ((!denies && type != ACCESS_ALLOWED_ACE_TYPE && type != ACCESS_ALLOWED_CALLBACK_ACE_TYPE)
        || header->AceSize < sidOffset + sizeof(SID))
        return entry;
    const ACCESS_ALLOWED_ACE* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
    const PSID sid = const_cast<DWORD*>(&ace->SidStart);
    if (::GetSidLengthRequired(static_cast<const SID*>(sid)->SubAuthorityCount) > header->AceSize - sidOffset)
        return entry;
    entry.sid = SidText(sid);
    entry.mask = ace->Mask;
    entry.allows = !denies;
    return entry;
}

// The user of this process's token when the token is elevated, else nothing.
std::string ElevatedAccount()
{
    HANDLE hToken = NULL;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &hToken))
        return std::string();
    const CHandle token(hToken);
    TOKEN_ELEVATION elevation = {};
    DWORD size = 0;
    if (!::GetTokenInformation(hToken, TokenElevation, &elevation, sizeof elevation, &size)
        || elevation.TokenIsElevated == 0)
        return std::string();
    union {
        TOKEN_USER user;
        BYTE room[sizeof(TOKEN_USER) + SECURITY_MAX_SID_SIZE];
    } user;
    if (!::GetTokenInformation(hToken, TokenUser, &user, sizeof user, &size))
        return std::string();
    return SidText(user.user.User.Sid);
}

// The owner and DACL of a file or folder; false when they cannot be read.
bool ReadSecurity(const char* path, SecurityDescription* description)
{
    PSID owner = NULL;
    PACL dacl = NULL;
    PSECURITY_DESCRIPTOR descriptor = NULL;
    if (::GetNamedSecurityInfoA(path, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION | DACL_SECURITY_INFORMATION,
                                &owner, NULL, &dacl, NULL, &descriptor) != ERROR_SUCCESS)
        return false;
    const LocalMemory owned(descriptor);
    description->owner = SidText(owner);
    description->hasDacl = dacl != NULL;
    for (DWORD index = 0; dacl != NULL && index < dacl->AceCount; ++index) {
        void* header = NULL;
        if (!::GetAce(dacl, index, &header))
            return false;
        description->entries.push_back(Describe(static_cast<const ACE_HEADER*>(header)));
    }
    return true;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc < 2)
        return 2;
    const std::string installingAccount = ElevatedAccount();
    for (int argument = 1; argument < __argc; ++argument) {
        SecurityDescription description;
        if (!ReadSecurity(__argv[argument], &description))
            return 2;
        if (!OnlyTrustedAccountsCanChange(description, installingAccount))
            return 1;
    }
    return 0;
}
