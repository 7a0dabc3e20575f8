// Lumora Ready and the floor program as the benchmarks run them.
#include "program_under_bench.h"

#include "press_link.h"
#include "registry_sandbox.h"
#include "samples.h"
#include "top_level_window.h"

#include <vector>

namespace {

const char* const Suite = "Software\\Vexa Corporation";
const char* const SharedDlls = "Software\\Vexa Corporation\\Shared Info\\Shared DLLs";

}  // namespace

SuiteRegistration::SuiteRegistration()
{
    RemoveKeyTree(HKEY_CURRENT_USER, Suite);
    RemoveKeyTree(HKEY_LOCAL_MACHINE, Suite);
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "VexaCap.dll", ProgramBeside("VexaCap.dll"));
    PutString(HKEY_LOCAL_MACHINE, SharedDlls, "vxbios.dll", ProgramBeside("vxbios.dll"));
}

SuiteRegistration::~SuiteRegistration()
{
    RemoveKeyTree(HKEY_LOCAL_MACHINE, Suite);
    RemoveKeyTree(HKEY_CURRENT_USER, Suite);
}

long PromptCode(EventSource source)
{
    return source == EventSource::Firmware ? 0x800 : 1;
}

long LaunchCode(EventSource source)
{
    return source == EventSource::Firmware ? 0x400 : 2;
}

long CancelCode(EventSource source)
{
    return source == EventSource::Firmware ? 0x1000 : 3;
}

double MarkedProgram::Start(const std::string& arguments)
{
    const double started = NowMs();
    if (!Launch(arguments))
        return -1;
    return MsUntil([this] { return FindMark(); }, started);
}

bool MarkedProgram::Launch(const std::string& arguments)
{
    return m_process.Start("\"" + ProgramBeside(m_program) + "\" " + arguments);
}

bool MarkedProgram::FindMark()
{
    const std::vector<HWND> marked = MarkedWindows(m_mark, m_process.Id());
    m_hWnd = marked.empty() ? NULL : marked.front();
    return m_hWnd != NULL;
}

bool MarkedProgram::Close()
{
    if (m_hWnd != NULL)
        ::PostMessageA(m_hWnd, WM_CLOSE, 0, 0);
    return m_process.WaitForExit(10000);
}

HWND LumoraReady::Prompt() const
{
    return FindTopLevelWindow(ProcessId(), "Lumora Ready", WindowKind::Dialog);
}

bool LumoraReady::WaitForStandIns() const
{
    return MsUntil([this] {
        return PressWindow(EventSource::CaptureDriver) != NULL && PressWindow(EventSource::Firmware) != NULL;
    }, NowMs()) >= 0;
}

bool LumoraReady::Press(EventSource source, long code) const
{
    const HWND hPress = PressWindow(source);
    return hPress != NULL && ::PostMessageA(hPress, StandInPressMessage, static_cast<WPARAM>(code), 0);
}

HWND LumoraReady::PressWindow(EventSource source) const
{
    const char* const className = source == EventSource::Firmware ? FirmwarePressClass : CaptureDriverPressClass;
    // During a replacement two instances have their stand-ins loaded: the one of this instance.
    HWND hPress = NULL;
    while ((hPress = ::FindWindowExA(HWND_MESSAGE, hPress, className, NULL)) != NULL) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(hPress, &owner);
        if (owner == ProcessId())
            return hPress;
    }
    return NULL;
}

bool ShownAndTopmost(HWND hWnd)
{
    return ::IsWindowVisible(hWnd) && (::GetWindowLongA(hWnd, GWL_EXSTYLE) & WS_EX_TOPMOST);
}
