// CRegSettings: one registry key of the suite, named by a (company, product, component) triple.
// Reads look per user first and machine-wide second; writes go per user only.
#pragma once

#include "framework/cstring.h"
#include "framework/win32.h"

#include <vector>

class CRegSettings {
public:
    // Names the key; touches no registry. Always TRUE.
    BOOL Set(const char* company, const char* product, const char* component);

    // TRUE when the value exists per user (even empty: the machine-wide one is then not read) or
    // machine-wide; out then holds its data up to the first zero byte. FALSE leaves out as it was,
    // so a caller puts its default there first.
    BOOL GetString(const char* name, CString& out) const;
    // As GetString, with out the value's first four bytes as a number, whatever the stored type.
    BOOL GetNumber(const char* name, DWORD& out) const;
    // Stores value as the REG_SZ value name per user, making the key when it is missing.
    BOOL SetString(const char* name, const char* value) const;

private:
    CString KeyPath() const;
    // The data of the value that answers name under one root, as the registry returned it.
    BOOL FindValue(HKEY root, const char* name, std::vector<unsigned char>& data) const;
    BOOL FindValuePerUserThenMachine(const char* name, std::vector<unsigned char>& data) const;
    BOOL CreateKeyChain() const;

    CString m_strCompany;
    CString m_strProduct;
    CString m_strComponent;
};
