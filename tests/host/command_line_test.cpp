// The framework's walk over the program's arguments.
#include "framework/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Walk(std::vector<const char*> argv)
{
    std::vector<std::string> calls;
    ForEachCommandLineParam(static_cast<int>(argv.size()), argv.data(),
                            [&calls](const char* text, bool isFlag, bool isLast) {
                                calls.push_back(std::string(isFlag ? "flag " : "file ") + text
                                                + (isLast ? " (last)" : ""));
                            });
    return calls;
}

}  // namespace

TEST(CommandLineWalk, SkipsTheProgramNameAndMarksTheLastArgument)
{
    EXPECT_EQ(Walk({ "LumoraReady.exe", "/PATH", "C:\\a b.exe", "-silent" }),
              (std::vector<std::string>{ "flag PATH", "file C:\\a b.exe", "flag silent (last)" }));
}

TEST(CommandLineWalk, RemovesOnlyOneLeadingSwitchCharacter)
{
    EXPECT_EQ(Walk({ "p", "//x", "-/y", "/", "x/y" }),
              (std::vector<std::string>{ "flag /x", "flag /y", "flag ", "file x/y (last)" }));
}

TEST(CommandLineWalk, EmptyAndMissingArgumentsAreEmptyFiles)
{
    EXPECT_EQ(Walk({ "p", "", nullptr }), (std::vector<std::string>{ "file ", "file  (last)" }));
}

TEST(CommandLineWalk, NothingButTheProgramMeansNoCalls)
{
    EXPECT_TRUE(Walk({ "p" }).empty());
    EXPECT_TRUE(Walk({}).empty());
}
