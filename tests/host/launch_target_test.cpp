// Which program a second press launches, and the name the prompt gives it.
#include "events/launch_target_choice.h"
#include "framework/file_name_part.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// What a source yields: a value (found, possibly empty) or nothing.
struct Source {
    bool found;
    std::string value;
};

// A reader of the source that records, by its letter, that it was asked.
auto Reader(const Source& source, char letter, std::string& asked)
{
    return [source, letter, &asked](std::string& out) {
        asked += letter;
        if (source.found)
            out = source.value;
        return source.found;
    };
}

bool ShiftJisLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool NoLeadBytes(unsigned char)
{
    return false;
}

}  // namespace

TEST(LaunchTarget, FirstSourceWithANonEmptyPathWinsAndLaterOnesAreNotAsked)
{
    const Source none{ false, "" };
    const struct {
        std::string commandLine;
        Source path, appPath, classPath;
        std::string expectedPath;
        LaunchTargetSource source;
        std::string asked;
    } rows[] = {
        { "C:\\cmd.exe", { true, "C:\\p.exe" }, none, none, "C:\\cmd.exe", LaunchTargetSource::CommandLine, "" },
        { "", { true, "C:\\p.exe" }, { true, "C:\\a.exe" }, none, "C:\\p.exe", LaunchTargetSource::Path, "P" },
        { "", { true, "" }, { true, "C:\\a.exe" }, none, "C:\\a.exe", LaunchTargetSource::AppPath, "PA" },
        { "", none, { true, "" }, { true, "C:\\c.exe" }, "C:\\c.exe", LaunchTargetSource::ClassRegistration, "PAC" },
        { "", none, none, { true, "" }, DefaultAppPath, LaunchTargetSource::BuiltIn, "PAC" },
        { "", none, none, none, DefaultAppPath, LaunchTargetSource::BuiltIn, "PAC" },
    };
    for (const auto& row : rows) {
        std::string asked;
        const LaunchTargetChoice choice = ChooseLaunchTarget(row.commandLine, Reader(row.path, 'P', asked),
                                                             Reader(row.appPath, 'A', asked),
                                                             Reader(row.classPath, 'C', asked));
        EXPECT_EQ(choice.path, row.expectedPath) << "expected from " << row.asked;
        EXPECT_EQ(choice.source, row.source) << row.expectedPath;
        EXPECT_EQ(asked, row.asked) << row.expectedPath;
    }
}

TEST(FileNamePart, TheTextAfterTheLastSeparator)
{
    EXPECT_EQ(FileNamePart("C:\\Program Files\\Vexa\\Lumora\\Ostrivo.exe", NoLeadBytes), "Ostrivo.exe");
    EXPECT_EQ(FileNamePart("dir/sub/app.exe", NoLeadBytes), "app.exe");
    EXPECT_EQ(FileNamePart("C:app.exe", NoLeadBytes), "app.exe");
    EXPECT_EQ(FileNamePart("app.exe", NoLeadBytes), "app.exe");
    EXPECT_EQ(FileNamePart("C:\\Apps\\", NoLeadBytes), "") << "a trailing separator";
    EXPECT_EQ(FileNamePart("", NoLeadBytes), "");
}

TEST(FileNamePart, DoubleByteCharactersWithABackslashTrailByteStayWhole)
{
    // "表示.exe" and "ソフト.exe" in Shift-JIS: 表 is 0x95 0x5C, ソ is 0x83 0x5C.
    const std::string display = "\x95\x5C\x8E\xA6.exe";
    const std::string software = "\x83\x5C\x83\x74\x83\x67.exe";
    EXPECT_EQ(FileNamePart(("C:\\Apps\\" + display).c_str(), ShiftJisLeadByte), display);
    EXPECT_EQ(FileNamePart(("C:\\" + software + "\\" + software).c_str(), ShiftJisLeadByte), software);
    EXPECT_EQ(FileNamePart("C:\\Apps\\\x95", ShiftJisLeadByte), "\x95") << "a lead byte at the very end";
}
