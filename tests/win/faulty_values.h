// Registry values stored wrongly, as the fault tests of the settings store them: of another type,
// without data, without a terminating zero, of 64 KiB, or with bytes outside ASCII.
#pragma once

#include <windows.h>

#include <string>

enum class Fault { WrongType, Empty, Unterminated, Huge, NonAscii };

const Fault AllFaults[] = { Fault::WrongType, Fault::Empty, Fault::Unterminated, Fault::Huge, Fault::NonAscii };

const char* FaultName(Fault fault);

// 64 KiB of text with its terminator.
extern const std::string HugeText;
// Bytes of the upper half, among them some that no character of the ANSI code page has.
extern const std::string Latin;

// A string value with the fault: a number where a string belongs, no bytes, sample without its
// terminator, HugeText, or latin.
void PutFaultyString(HKEY root, const std::string& key, const char* name, Fault fault, const std::string& sample,
                     const std::string& latin);

// A number value with the fault: the text "0" (0x30 as a number), no bytes, three bytes of 1 (a
// number has no terminator; it is cut short instead), 64 KiB that begin with four zero bytes, or
// the bytes 0x80 0xFF.
void PutFaultyNumber(HKEY root, const std::string& key, const char* name, Fault fault);

// What the settings store reads from a string value that PutFaultyString stored.
std::string ReadAs(Fault fault, const std::string& sample, const std::string& latin);
