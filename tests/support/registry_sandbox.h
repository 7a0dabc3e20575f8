// Registry keys that a test makes and removes: values of any type and size, under both roots,
// the removal of a whole key tree before and after the test, a picture of a tree to compare, and a
// tree set aside while a test runs.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Each function's view is 0 for the calling program's own view of the registry, or KEY_WOW64_64KEY
// for the 64-bit view that 64-bit programs (Group Policy, reg.exe /reg:64) write.

// Removes root\path with everything below it, when it exists.
void RemoveKeyTree(HKEY root, const std::string& path, REGSAM view = 0);

// Stores a value exactly as given, making the key when it is missing.
void PutValue(HKEY root, const std::string& path, const char* name, DWORD type, const std::vector<BYTE>& data,
              REGSAM view = 0);
void PutString(HKEY root, const std::string& path, const char* name, const std::string& text, REGSAM view = 0);
void PutNumber(HKEY root, const std::string& path, const char* name, DWORD number, REGSAM view = 0);

// The value's type and bytes as stored; false when it is missing.
bool ReadValue(HKEY root, const std::string& path, const char* name, DWORD* type, std::vector<BYTE>* data);

// Every key and value of the tree at root\path, by its path below there: "Sub\Key" for a key (of the
// type KeyEntry, without data), "Sub\Key > Name" for a value, with the value's type and bytes; empty
// when the key does not exist.
const DWORD KeyEntry = 0xFFFFFFFF;
struct StoredValue {
    DWORD type;
    std::vector<BYTE> data;
};
typedef std::map<std::string, StoredValue> KeyTreeSnapshot;
KeyTreeSnapshot SnapshotKeyTree(HKEY root, const std::string& path, REGSAM view = 0);

// The entries that differ between two snapshots, each with what it was and what it became.
std::vector<std::string> SnapshotDifferences(const KeyTreeSnapshot& before, const KeyTreeSnapshot& after);

// Takes root\path with everything below it out of the registry for as long as it lives, and puts
// back every key and value with its type and bytes, whatever the test left there.
class SetAsideKeyTree {
public:
    SetAsideKeyTree(HKEY root, const std::string& path, REGSAM view = 0);
    ~SetAsideKeyTree();
    SetAsideKeyTree(const SetAsideKeyTree&) = delete;
    SetAsideKeyTree& operator=(const SetAsideKeyTree&) = delete;

private:
    HKEY m_root;
    std::string m_path;
    REGSAM m_view;
    KeyTreeSnapshot m_saved;
};
