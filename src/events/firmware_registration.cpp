// The event window's registration with the firmware event service.
#include "events/event_wnd.h"

#include "devices/firmware_events.h"

BOOL CEventWnd::RegisterFirmwareEvents()
{
    if (m_nFwCall == 0 || m_nFwRequest != 0)
        return FALSE;
    m_nFwRequest = m_firmware.RequestMessages(m_nFwCall, m_hWnd, static_cast<LONG>(FirmwareEventMask));
    return m_nFwRequest != 0;
}

// The call itself is never ended: the service offers no way to, and the library goes at exit.
BOOL CEventWnd::CancelFirmwareEvents()
{
    if (m_nFwCall == 0 || m_nFwRequest == 0)
        return FALSE;
    m_firmware.CancelMessages(m_nFwCall, m_nFwRequest);
    m_nFwRequest = 0;
    return TRUE;
}
