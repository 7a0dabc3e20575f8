// Which program a second press launches: the first source that yields a non-empty path wins.
#pragma once

#include <string>

// Where the path came from. A path from "AppPath" makes the prompt show that program's own icon
// and name.
enum class LaunchTargetSource { CommandLine, Path, AppPath, ClassRegistration, BuiltIn };

struct LaunchTargetChoice {
    std::string path;
    LaunchTargetSource source;
};

// The source as the diagnostic output names it.
inline const char* LaunchTargetSourceName(LaunchTargetSource source)
{
    switch (source) {
    case LaunchTargetSource::CommandLine:
        return "the command line";
    case LaunchTargetSource::Path:
        return "the \"Path\" value";
    case LaunchTargetSource::AppPath:
        return "the \"AppPath\" value";
    case LaunchTargetSource::ClassRegistration:
        return "the capture application's class registration";
    case LaunchTargetSource::BuiltIn:
        break;
    }
    return "the built-in default";
}

// The built-in target when no source names one.
const char* const DefaultAppPath = "C:\\Program Files\\Vexa\\Lumora\\Ostrivo.exe";

// In order: the command line's path; the Ready value "Path"; the Ready value "AppPath"; the
// capture application's class registration. Each read(out) is asked only when the ones before
// yielded nothing, and reports whether it found a value; a found but empty value counts as none.
template <class ReadPath, class ReadAppPath, class ReadClassPath>
LaunchTargetChoice ChooseLaunchTarget(const std::string& commandLinePath, ReadPath readPath, ReadAppPath readAppPath,
                                      ReadClassPath readClassPath)
{
    if (!commandLinePath.empty())
        return { commandLinePath, LaunchTargetSource::CommandLine };
    std::string value;
    if (readPath(value) && !value.empty())
        return { value, LaunchTargetSource::Path };
    value.clear();
    if (readAppPath(value) && !value.empty())
        return { value, LaunchTargetSource::AppPath };
    value.clear();
    if (readClassPath(value) && !value.empty())
        return { value, LaunchTargetSource::ClassRegistration };
    return { DefaultAppPath, LaunchTargetSource::BuiltIn };
}
