// The settings store's name matching and value decoding.
#include "settings/value_decoding.h"

#include <cstring>

std::string SettingsKeyPath(const char* company, const char* product, const char* component)
{
    return std::string("Software\\") + company + "\\" + product + "\\" + component;
}

std::string PolicyKeyPath(const char* company, const char* product, const char* component)
{
    return std::string("Software\\Policies\\") + company + "\\" + product + "\\" + component;
}

bool ValueNameMatches(const char* storedName, const char* requestedName, const char* requestedUpper)
{
    return std::strcmp(storedName, requestedName) == 0 || std::strcmp(storedName, requestedUpper) == 0;
}

std::string DecodeString(const unsigned char* data, std::size_t size)
{
    std::size_t length = 0;
    while (length < size && data[length] != 0)
        ++length;
    return std::string(reinterpret_cast<const char*>(data), length);
}

std::uint32_t DecodeNumber(const unsigned char* data, std::size_t size)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < size && i < 4; ++i)
        value |= static_cast<std::uint32_t>(data[i]) << (8 * i);
    return value;
}
