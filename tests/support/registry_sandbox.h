// Registry keys that a test makes and removes: values of any type and size, under both roots,
// and the removal of a whole key tree before and after the test.
#pragma once

#include <windows.h>

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
