// Registry values stored wrongly.
#include "faulty_values.h"

#include "registry_sandbox.h"

#include <vector>

const std::string HugeText(65535, 'x');
const std::string Latin = "\xC4\xD6\xDC\xE9\xFF\x80\x81";

const char* FaultName(Fault fault)
{
    static const char* const names[] = { "wrong type", "empty", "unterminated", "64 KiB", "non-ASCII" };
    return names[static_cast<int>(fault)];
}

void PutFaultyString(HKEY root, const std::string& key, const char* name, Fault fault, const std::string& sample,
                     const std::string& latin)
{
    switch (fault) {
    case Fault::WrongType: PutNumber(root, key, name, 1); break;
    case Fault::Empty: PutValue(root, key, name, REG_SZ, {}); break;
    case Fault::Unterminated: PutValue(root, key, name, REG_SZ, std::vector<BYTE>(sample.begin(), sample.end())); break;
    case Fault::Huge: PutString(root, key, name, HugeText); break;
    case Fault::NonAscii: PutString(root, key, name, latin); break;
    }
}

void PutFaultyNumber(HKEY root, const std::string& key, const char* name, Fault fault)
{
    switch (fault) {
    case Fault::WrongType: PutString(root, key, name, "0"); break;
    case Fault::Empty: PutValue(root, key, name, REG_DWORD, {}); break;
    case Fault::Unterminated: PutValue(root, key, name, REG_DWORD, { 1, 0, 0 }); break;
    case Fault::Huge: {
        std::vector<BYTE> data(65536, 0xFF);
        data[0] = data[1] = data[2] = data[3] = 0;  // only the first four bytes count
        PutValue(root, key, name, REG_DWORD, data);
        break;
    }
    case Fault::NonAscii: PutValue(root, key, name, REG_DWORD, { 0x80, 0xFF, 0, 0 }); break;
    }
}

std::string ReadAs(Fault fault, const std::string& sample, const std::string& latin)
{
    const std::string read[] = { "\x01", "", sample, HugeText, latin };
    return read[static_cast<int>(fault)];
}
