// Which program a second press launches: the first source that yields a non-empty path wins.
#pragma once

#include <string>

struct LaunchTargetChoice {
    std::string path;
    bool useShellIcon;  // the path came from "AppPath": the prompt shows that program's own icon and name
};

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
        return { commandLinePath, false };
    std::string value;
    if (readPath(value) && !value.empty())
        return { value, false };
    value.clear();
    if (readAppPath(value) && !value.empty())
        return { value, true };
    value.clear();
    if (readClassPath(value) && !value.empty())
        return { value, false };
    return { DefaultAppPath, false };
}
