// Reading the stand-ins' record files.
#include "stand_in_records.h"

#include "child_process.h"
#include "poll.h"

#include <algorithm>
#include <fstream>

std::vector<std::string> RecordLines(const std::string& path)
{
    std::vector<std::string> lines;
    std::ifstream file(path);
    for (std::string line; std::getline(file, line);)
        lines.push_back(line);
    return lines;
}

StandInRecord::StandInRecord(const char* variable, const std::string& name)
    : m_path(TempPath(name + "-" + std::to_string(::GetCurrentProcessId()) + ".txt"))
{
    Clear();
    ::SetEnvironmentVariableA(variable, m_path.c_str());
}

size_t CountLinesStartingWith(const std::vector<std::string>& lines, const std::string& start)
{
    return std::count_if(lines.begin(), lines.end(),
                         [&](const std::string& line) { return line.rfind(start, 0) == 0; });
}

std::vector<CaptureAppStart> ReadCaptureAppStarts(const std::string& path)
{
    std::vector<CaptureAppStart> starts;
    for (const std::string& line : RecordLines(path)) {
        if (line.rfind("pid=", 0) == 0)
            starts.push_back({ static_cast<DWORD>(std::stoul(line.substr(4))), "", -1, "", false });
        else if (starts.empty())
            continue;
        else if (line.rfind("cwd=", 0) == 0)
            starts.back().cwd = line.substr(4);
        else if (line.rfind("show=", 0) == 0)
            starts.back().show = std::stoi(line.substr(5));
        else if (line.rfind("args=", 0) == 0) {
            starts.back().args = line.substr(5);
            starts.back().complete = true;
        }
    }
    return starts;
}

std::vector<CaptureAppStart> WaitForCaptureAppStarts(const std::string& path, size_t count)
{
    std::vector<CaptureAppStart> starts;
    WaitUntil([&] {
        starts = ReadCaptureAppStarts(path);
        return starts.size() >= count && (starts.empty() || starts.back().complete);
    }, 10000);
    return starts;
}

void EndCaptureApps(const std::vector<CaptureAppStart>& starts)
{
    for (const CaptureAppStart& start : starts) {
        if (HANDLE hProcess = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, start.pid)) {
            ::TerminateProcess(hProcess, 1);
            ::WaitForSingleObject(hProcess, 5000);
            ::CloseHandle(hProcess);
        }
    }
}
