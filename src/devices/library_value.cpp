// Reading a library's path from one machine-wide value.
#include "devices/library_value.h"

#include "framework/event_log.h"
#include "framework/handles.h"
#include "framework/trace.h"
#include "res/lumora_ready_events.h"
#include "settings/value_decoding.h"

#include <string>

namespace {

const DWORD LargestPathData = MAX_PATH;  // bytes, the terminator included

}  // namespace

LibraryValue ReadLibraryValue(const char* keyPath, const char* valueName, CString* pPath)
{
    CRegKey key;
    if (key.Open(HKEY_LOCAL_MACHINE, keyPath, KEY_QUERY_VALUE) != ERROR_SUCCESS)
        return LibraryValue::Absent;
    unsigned char data[LargestPathData];
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    const LONG queried = ::RegQueryValueExA(key, valueName, NULL, &type, data, &size);
    if (queried == ERROR_FILE_NOT_FOUND)
        return LibraryValue::Absent;
    // Longer data fails the query, which still tells its type and size. Only a plain text names a
    // file as it is, so REG_EXPAND_SZ is refused with the rest.
    const std::string path = queried == ERROR_SUCCESS && type == REG_SZ ? DecodeString(data, size) : std::string();
    if (path.empty()) {
        Trace("\"%s\" of HKLM\\%s refused: type %lu, %lu bytes", valueName, keyPath, type, size);
        const std::string where = std::string("HKEY_LOCAL_MACHINE\\") + keyPath;
        LogEvent(MSG_LIBRARY_VALUE_REFUSED,
                 { where.c_str(), valueName, std::to_string(type).c_str(), std::to_string(size).c_str() });
        return LibraryValue::Refused;
    }
    *pPath = path.c_str();
    return LibraryValue::Found;
}
