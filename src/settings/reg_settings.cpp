// The registry settings store. No key outlives a call: each is held by a CRegKey of the call.
#include "settings/reg_settings.h"

#include "framework/handles.h"
#include "settings/settings_catalogue.h"
#include "settings/value_decoding.h"

#include <algorithm>

BOOL CRegSettings::Set(const char* company, const char* product, const char* component)
{
    m_strCompany = company;
    m_strProduct = product;
    m_strComponent = component;
    return TRUE;
}

CString CRegSettings::KeyPath() const
{
    return CString(SettingsKeyPath(m_strCompany, m_strProduct, m_strComponent).c_str());
}

BOOL CRegSettings::GetString(const char* name, CString& out, PolicyReach reach) const
{
    std::vector<unsigned char> data;
    if (!FindValueInOrder(name, reach, data))
        return FALSE;
    out = DecodeString(data.data(), data.size()).c_str();
    return TRUE;
}

BOOL CRegSettings::GetNumber(const char* name, DWORD& out) const
{
    std::vector<unsigned char> data;
    if (!FindValueInOrder(name, PolicyReach::MachineAndUser, data))
        return FALSE;
    out = DecodeNumber(data.data(), data.size());
    return TRUE;
}

// On 64-bit Windows Software\Policies is one key for 32-bit and 64-bit programs, unlike the
// preferences below it: both builds read the policies where Group Policy writes them.
BOOL CRegSettings::FindValueInOrder(const char* name, PolicyReach reach, std::vector<unsigned char>& data) const
{
    const CString path = KeyPath();
    const std::string policyPath = PolicyKeyPath(m_strCompany, m_strProduct, m_strComponent);
    return FindValue(HKEY_LOCAL_MACHINE, policyPath.c_str(), name, data)
           || (reach == PolicyReach::MachineAndUser && FindValue(HKEY_CURRENT_USER, policyPath.c_str(), name, data))
           || FindValue(HKEY_CURRENT_USER, path, name, data) || FindValue(HKEY_LOCAL_MACHINE, path, name, data);
}

// The value is looked for by enumeration rather than asked for by name: the registry matches names
// without regard to case, and this store accepts only the exact name or its upper-cased copy.
BOOL CRegSettings::FindValue(HKEY root, const char* path, const char* name, std::vector<unsigned char>& data)
{
    CRegKey key;
    if (key.Open(root, path, KEY_READ) != ERROR_SUCCESS)
        return FALSE;
    DWORD valueCount = 0;
    DWORD longestName = 0;
    DWORD largestData = 0;
    // No class buffer: a key's class name, of any length, does not matter here.
    if (::RegQueryInfoKeyA(key, NULL, NULL, NULL, NULL, NULL, NULL, &valueCount, &longestName, &largestData, NULL,
                           NULL) != ERROR_SUCCESS)
        return FALSE;
    std::vector<char> valueName(longestName + 1);
    std::vector<unsigned char> valueData(largestData + 1);
    CString upperName(name);
    upperName.MakeUpper();

    BOOL found = FALSE;
    for (DWORD index = 0; index < valueCount && !found; ++index) {
        DWORD nameLength = 0;
        DWORD dataSize = 0;
        DWORD type = 0;
        // The query counts UTF-16 characters and bytes: in the ANSI code page a name or its data
        // can take more, and a value can grow between the query and its turn. Each retry doubles
        // what did not fit; three cover a code page of three bytes a character. A value that still
        // does not fit is skipped.
        LONG enumerated = ERROR_MORE_DATA;
        for (int attempt = 0; attempt < 4 && enumerated == ERROR_MORE_DATA; ++attempt) {
            if (attempt > 0) {
                valueName.resize(valueName.size() * 2);
                valueData.resize(std::max<size_t>(valueData.size() * 2, dataSize + 1));
            }
            nameLength = static_cast<DWORD>(valueName.size());
            dataSize = static_cast<DWORD>(valueData.size());
            enumerated = ::RegEnumValueA(key, index, valueName.data(), &nameLength, NULL, &type, valueData.data(),
                                         &dataSize);
        }
        if (enumerated != ERROR_SUCCESS)
            continue;
        if (ValueNameMatches(valueName.data(), name, upperName)) {
            data.assign(valueData.begin(), valueData.begin() + dataSize);
            found = TRUE;
        }
    }
    return found;
}

BOOL CRegSettings::SetString(const char* name, const char* value) const
{
    const CString path = KeyPath();
    CRegKey key;
    LONG opened = key.Open(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS);
    // Only a missing key is made; any other refusal (access denied, say) is final.
    if (opened == ERROR_FILE_NOT_FOUND) {
        if (!CreateKeyChain())
            return FALSE;
        opened = key.Open(HKEY_CURRENT_USER, path, KEY_ALL_ACCESS);
    }
    if (opened != ERROR_SUCCESS)
        return FALSE;

    const std::string text(value);
    std::vector<unsigned char> terminated(text.begin(), text.end());
    terminated.push_back(0);
    const LONG stored = ::RegSetValueExA(key, name, 0, REG_SZ, terminated.data(),
                                         static_cast<DWORD>(terminated.size()));
    ::RegFlushKey(key);
    return stored == ERROR_SUCCESS;
}

// "Software" is opened, never made; company, product and component are made below it, or opened
// when they exist. Keys that were made stay, even when a later step fails. Each key is flushed,
// then closed, from the innermost out (an array's elements go last to first).
BOOL CRegSettings::CreateKeyChain() const
{
    CRegKey keys[4];  // Software, company, product, component
    if (keys[0].Open(HKEY_CURRENT_USER, "Software", KEY_ALL_ACCESS) != ERROR_SUCCESS)
        return FALSE;
    const char* const levels[3] = { m_strCompany, m_strProduct, m_strComponent };
    for (int level = 1; level < 4; ++level) {
        if (keys[level].Create(keys[level - 1], levels[level - 1], KEY_ALL_ACCESS) != ERROR_SUCCESS)
            return FALSE;
    }
    for (int level = 3; level >= 0; --level)
        ::RegFlushKey(keys[level]);
    return TRUE;
}
