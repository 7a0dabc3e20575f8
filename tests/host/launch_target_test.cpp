// Which program a second press launches. (The name the prompt gives it is checked by the fuzz
// target of the file-name part on its corpus.)
#include "events/launch_target_choice.h"

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
