// The program file's own imports and subsystem, read with the benchmarks' reader of program files.
#include "pe_imports.h"

#include "child_process.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

std::vector<char> Bytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

// The program runs on a Windows without any runtime installed, and opens no console.
TEST(ImportedDlls, OfTheProgramAreSystemDllsOfAGuiProgram)
{
    const std::set<std::string> system = { "advapi32.dll", "gdi32.dll",   "kernel32.dll", "msvcrt.dll", "ole32.dll",
                                           "oleaut32.dll", "shell32.dll", "user32.dll",   "winmm.dll" };
    std::vector<std::string> names;
    ASSERT_TRUE(ImportedDlls(ProgramBeside("LumoraReady.exe"), &names));
    EXPECT_GE(names.size(), 2u);
    for (std::string name : names)
        EXPECT_EQ(system.count(::CharLowerA(&name[0])), 1u) << name << " is no system DLL of the list";

    const std::vector<char> file = Bytes(ProgramBeside("LumoraReady.exe"));
    ASSERT_GE(file.size(), 0x40u);
    LONG header = 0;
    std::memcpy(&header, &file[0x3C], sizeof header);
    WORD subsystem = 0;  // the optional header's, after the signature and the file header
    ASSERT_GE(file.size(), header + 24u + 70u);
    std::memcpy(&subsystem, &file[header + 24 + 68], sizeof subsystem);
    EXPECT_EQ(subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI);
}
