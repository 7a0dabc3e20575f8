// The program's events, through the system's event log.
#include "framework/event_log.h"

#include "framework/win_app.h"

#include <string.h>

#include <string>
#include <vector>

namespace {

// A path from the registry may be far longer than any the system loads, and the log refuses a
// whole event for one string beyond 31,839 characters: each is cut short past this many bytes.
const size_t LongestString = 2048;

WORD EventType(DWORD eventId)
{
    switch (eventId >> 30) {  // the severity of a message table's id
    case 3: return EVENTLOG_ERROR_TYPE;
    case 2: return EVENTLOG_WARNING_TYPE;
    default: return EVENTLOG_INFORMATION_TYPE;
    }
}

// The source, registered for one event. Without a registration of its own (the installer makes it)
// the system writes under the name all the same, only without the texts; where it refuses, the
// handle is null.
class CEventSource {
public:
    explicit CEventSource(const char* name) : m_hSource(::RegisterEventSourceA(NULL, name)) {}
    ~CEventSource()
    {
        if (m_hSource != NULL)
            ::DeregisterEventSource(m_hSource);
    }
    CEventSource(const CEventSource&) = delete;
    CEventSource& operator=(const CEventSource&) = delete;

    HANDLE m_hSource;
};

}  // namespace

void LogEvent(DWORD eventId, std::initializer_list<const char*> strings)
{
    const CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr || pApp->m_pszEventSource == nullptr)
        return;
    std::vector<std::string> texts;
    for (const char* text : strings)
        texts.emplace_back(text, strnlen(text, LongestString));
    std::vector<const char*> pointers;
    for (const std::string& text : texts)
        pointers.push_back(text.c_str());
    CEventSource source(pApp->m_pszEventSource);
    if (source.m_hSource == NULL)
        return;
    ::ReportEventA(source.m_hSource, EventType(eventId), 0, eventId, NULL, static_cast<WORD>(pointers.size()), 0,
                   pointers.empty() ? NULL : pointers.data(), NULL);
}
