// What the stand-ins write into the record files that a test names in their environment.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The lines of a record file; none when it does not exist.
std::vector<std::string> RecordLines(const std::string& path);

// A record file of this test process's own, named in the stand-in's environment variable from the
// object's construction on, so that the stand-ins this process loads or starts write there; the
// file goes with the object.
class StandInRecord {
public:
    StandInRecord(const char* variable, const std::string& name);
    ~StandInRecord() { Clear(); }
    StandInRecord(const StandInRecord&) = delete;
    StandInRecord& operator=(const StandInRecord&) = delete;

    const std::string& Path() const { return m_path; }
    std::vector<std::string> Lines() const { return RecordLines(m_path); }
    // Starts the record afresh.
    void Clear() const { ::DeleteFileA(m_path.c_str()); }

private:
    std::string m_path;
};

// How many of the lines begin with start.
size_t CountLinesStartingWith(const std::vector<std::string>& lines, const std::string& start);

// One start that the capture application stand-in recorded: pid, cwd, show and args lines.
struct CaptureAppStart {
    DWORD pid;
    std::string cwd;
    int show;
    std::string args;
    bool complete;  // its last line has been written
};

std::vector<CaptureAppStart> ReadCaptureAppStarts(const std::string& path);

// Waits up to 10 s until at least count starts are recorded and the last one is complete.
std::vector<CaptureAppStart> WaitForCaptureAppStarts(const std::string& path, size_t count);

// Ends the recorded stand-ins by their process ids.
void EndCaptureApps(const std::vector<CaptureAppStart>& starts);
