// Where a window goes when it is centred: the arithmetic of CWindowRef::CenterWindow, and the
// choice of the monitor it is centred within.
#pragma once

#include <optional>
#include <vector>

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct ScreenPoint {
    int x;
    int y;
};

// One display monitor: its whole rectangle and the part of it that the taskbar and docked bars
// leave to windows.
struct Monitor {
    ScreenRect bounds;
    ScreenRect work;
};

// The top-left corner that centres a width by height window on centre, moved as little as needed
// to keep it within area; a window larger than the area keeps its top-left corner inside.
ScreenPoint CentredPosition(int width, int height, const ScreenRect& centre, const ScreenRect& area);

// The monitor that holds rect as the system reckons it for a rectangle, falling back to the
// nearest: the one it overlaps most; when it overlaps none, the one at the least distance from it.
// Ties go to the monitor listed first. monitors must not be empty.
const Monitor& MonitorHolding(const std::vector<Monitor>& monitors, const ScreenRect& rect);

// The top-left corner of window centred on centre and kept within the work area of the monitor
// that holds centre; without centre (no centring window, or one not to be seen), centred on and
// kept within the work area of the monitor that holds the window itself.
ScreenPoint CentredWithinMonitor(const std::vector<Monitor>& monitors, const ScreenRect& window,
                                 const std::optional<ScreenRect>& centre);
