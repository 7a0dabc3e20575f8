// What the benchmarks compute on their own: the percentiles of their tables, and the DLLs a
// program file imports, read from files whole, cut short or of another kind; with that reader, the
// program file's own imports.
#include "pe_imports.h"
#include "samples.h"

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

// A file of the test's own, removed with the object.
class TempFile {
public:
    TempFile(const std::vector<char>& bytes, size_t size)
        : m_path(TempPath("bench-support-test-" + std::to_string(::GetCurrentProcessId()) + ".bin"))
    {
        std::ofstream(m_path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(size));
    }
    ~TempFile() { ::DeleteFileA(m_path.c_str()); }
    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace

TEST(Percentile, NearestRankOfUnsortedSamples)
{
    std::vector<double> samples;
    for (int i = 100; i >= 1; --i)
        samples.push_back(i);
    EXPECT_EQ(Percentile(samples, 0.5), 50);
    EXPECT_EQ(Percentile(samples, 0.95), 95);
    EXPECT_EQ(Percentile(samples, 0.99), 99);
    EXPECT_EQ(Percentile(samples, 1.0), 100);
    EXPECT_EQ(Percentile({ 7 }, 0.99), 7);
    EXPECT_EQ(Percentile({ 3, 1, 2 }, 0.5), 2);
    EXPECT_EQ(Percentile({}, 0.5), -1) << "no samples, no figure";
}

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

TEST(ImportedDlls, FileCutShortGivesNoneOrTheFirstOnes)
{
    const std::vector<char> whole = Bytes(ProgramBeside("LumoraReady.exe"));
    ASSERT_FALSE(whole.empty());
    std::vector<std::string> all;
    ASSERT_TRUE(ImportedDlls(ProgramBeside("LumoraReady.exe"), &all));
    for (size_t size : { size_t(0), size_t(2), size_t(63), size_t(64), size_t(200), size_t(400), size_t(1024),
                         whole.size() / 4, whole.size() / 2, whole.size() - 1 }) {
        SCOPED_TRACE("cut at " + std::to_string(size));
        const TempFile cut(whole, size);
        std::vector<std::string> names;
        if (!ImportedDlls(cut.Path(), &names))
            continue;
        ASSERT_LE(names.size(), all.size());
        for (size_t i = 0; i < names.size(); ++i)
            EXPECT_EQ(names[i], all[i]);
    }
}

TEST(ImportedDlls, OtherFilesAreNotRead)
{
    const std::string text = "MZ is how this text begins, and nothing follows that a reader could take.";
    const TempFile notAProgram(std::vector<char>(text.begin(), text.end()), text.size());
    std::vector<std::string> names = { "left over" };
    EXPECT_FALSE(ImportedDlls(notAProgram.Path(), &names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(ImportedDlls(TempPath("no-such-file-of-the-bench-test.exe"), &names));
}
