// CRegSettings: one registry key of the suite, named by a (company, product, component) triple.
// Reads look in the administrators' policies first, then per user and machine-wide; writes go per
// user only.
#pragma once

#include "framework/cstring.h"
#include "framework/win32.h"

#include <vector>

// Whose policies a read obeys. A value that names a library to load or a program to start obeys the
// machine's policies only: the user's own hive holds the user's policy key too, so that key is no
// stronger there than the user's preferences.
enum class PolicyReach { MachineAndUser, MachineOnly };

class CRegSettings {
public:
    // Names the key; touches no registry. Always TRUE.
    BOOL Set(const char* company, const char* product, const char* component);

    // The same key below Software\Policies, in the machine's hive and then (as reach allows) the
    // user's, ranks above the preferences. TRUE when the value exists in one of the four places
    // (even empty: the places after it are then not read); out then holds its data up to the first
    // zero byte. FALSE leaves out as it was, so a caller puts its default there first.
    BOOL GetString(const char* name, CString& out, PolicyReach reach = PolicyReach::MachineAndUser) const;
    // As GetString, with out the value's first four bytes as a number, whatever the stored type.
    BOOL GetNumber(const char* name, DWORD& out) const;
    // Stores value as the REG_SZ value name per user, making the key when it is missing.
    BOOL SetString(const char* name, const char* value) const;

private:
    CString KeyPath() const;
    // The data of the value that answers name in one key, as the registry returned it.
    static BOOL FindValue(HKEY root, const char* path, const char* name, std::vector<unsigned char>& data);
    BOOL FindValueInOrder(const char* name, PolicyReach reach, std::vector<unsigned char>& data) const;
    BOOL CreateKeyChain() const;

    CString m_strCompany;
    CString m_strProduct;
    CString m_strComponent;
};
