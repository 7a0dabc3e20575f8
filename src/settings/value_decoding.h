// How the settings store matches value names and turns stored bytes into strings and numbers,
// whatever type the value was stored with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// The key of a (company, product, component) triple below a registry root: "Software\%s\%s\%s",
// each part inserted as it is (a backslash in a part adds key levels).
std::string SettingsKeyPath(const char* company, const char* product, const char* component);

// Where administrators set the same key by policy: "Software\Policies\%s\%s\%s".
std::string PolicyKeyPath(const char* company, const char* product, const char* component);

// A stored value name answers a request when it equals the requested name, or its upper-cased
// copy, byte for byte: a request for "Path" finds Path and PATH, never path.
bool ValueNameMatches(const char* storedName, const char* requestedName, const char* requestedUpper);

// A value read as a string: its bytes up to the first zero byte, never past size.
std::string DecodeString(const unsigned char* data, std::size_t size);

// A value read as a number: its first four bytes, little-endian; shorter data gives its bytes as
// the low-order ones and zero above them.
std::uint32_t DecodeNumber(const unsigned char* data, std::size_t size);
