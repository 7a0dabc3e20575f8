// The parser receives the arguments as the C runtime splits the command line.
#include "child_process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string EchoArguments(const std::string& arguments)
{
    ChildProcess echo;
    if (!echo.Start("\"" + ProgramBeside("cmdline_echo.exe") + "\" " + arguments, true))
        return "cannot start cmdline_echo.exe";
    std::string output;
    for (char c : echo.Output(10000)) {
        if (c != '\r')  // the C runtime writes text-mode line ends
            output += c;
    }
    if (!echo.WaitForExit(10000) || echo.ExitCode() != 0)
        output += "(did not end with code 0)";
    return output;
}

}  // namespace

TEST(CommandLine, ArgumentsArriveSplitAsTheCRuntimeSplitsThem)
{
    EXPECT_EQ(EchoArguments(R"(plain "two words" /Flag -dash "" "/quoted flag" a\"b C:\windows\*.exe last)"),
              "0 0 [plain]\n"
              "0 0 [two words]\n"
              "1 0 [Flag]\n"
              "1 0 [dash]\n"
              "0 0 []\n"
              "1 0 [quoted flag]\n"
              "0 0 [a\"b]\n"
              "0 0 [C:\\windows\\*.exe]\n"
              "0 1 [last]\n");
}
