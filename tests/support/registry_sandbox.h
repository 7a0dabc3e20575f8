// Registry keys that a test makes and removes: values of any type and size, under both roots,
// the removal of a whole key tree before and after the test, a picture of a tree to compare, and a
// tree set aside while a test runs.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

// Removes root\path with everything below it, when it exists.
void RemoveKeyTree(HKEY root, const std::string& path);

// Stores a value exactly as given, making the key when it is missing.
void PutValue(HKEY root, const std::string& path, const char* name, DWORD type, const std::vector<BYTE>& data);
void PutString(HKEY root, const std::string& path, const char* name, const std::string& text);
void PutNumber(HKEY root, const std::string& path, const char* name, DWORD number);

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
KeyTreeSnapshot SnapshotKeyTree(HKEY root, const std::string& path);

// The entries that differ between two snapshots, each with what it was and what it became.
std::vector<std::string> SnapshotDifferences(const KeyTreeSnapshot& before, const KeyTreeSnapshot& after);

// Takes root\path with everything below it out of the registry for as long as it lives, and puts
// back every key and value with its type and bytes, whatever the test left there.
class SetAsideKeyTree {
public:
    SetAsideKeyTree(HKEY root, const std::string& path);
    ~SetAsideKeyTree();
    SetAsideKeyTree(const SetAsideKeyTree&) = delete;
    SetAsideKeyTree& operator=(const SetAsideKeyTree&) = delete;

private:
    HKEY m_root;
    std::string m_path;
    KeyTreeSnapshot m_saved;
};
