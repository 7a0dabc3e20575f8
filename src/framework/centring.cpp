// The arithmetic of centring a window, and the monitor it is centred within.
#include "framework/centring.h"

#include <algorithm>

namespace {

long long OverlapArea(const ScreenRect& a, const ScreenRect& b)
{
    const long long width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// The square of the shortest distance between two rectangles that do not overlap: only its
// order matters, and the square needs no floating point.
long long SquaredGap(const ScreenRect& a, const ScreenRect& b)
{
    const long long dx = std::max({ 0, b.left - a.right, a.left - b.right });
    const long long dy = std::max({ 0, b.top - a.bottom, a.top - b.bottom });
    return dx * dx + dy * dy;
}

}  // namespace

ScreenPoint CentredPosition(int width, int height, const ScreenRect& centre, const ScreenRect& area)
{
    ScreenPoint position = { (centre.left + centre.right - width) / 2, (centre.top + centre.bottom - height) / 2 };
    if (position.x + width > area.right)
        position.x = area.right - width;
    if (position.x < area.left)
        position.x = area.left;
    if (position.y + height > area.bottom)
        position.y = area.bottom - height;
    if (position.y < area.top)
        position.y = area.top;
    return position;
}

const Monitor& MonitorHolding(const std::vector<Monitor>& monitors, const ScreenRect& rect)
{
    // More overlap first; among monitors that the rectangle misses altogether (a window left where
    // a monitor was unplugged), the nearer. The first of equals wins.
    const auto holdsMore = [&rect](const Monitor& a, const Monitor& b) {
        const long long overlapA = OverlapArea(a.bounds, rect), overlapB = OverlapArea(b.bounds, rect);
        return overlapA != overlapB ? overlapA > overlapB : SquaredGap(a.bounds, rect) < SquaredGap(b.bounds, rect);
    };
    return *std::min_element(monitors.begin(), monitors.end(), holdsMore);
}

ScreenPoint CentredWithinMonitor(const std::vector<Monitor>& monitors, const ScreenRect& window,
                                 const std::optional<ScreenRect>& centre)
{
    // Centring and keeping inside go by the same monitor, the one centred on: a window last dragged
    // to another monitor is not centred on one and then pushed to the other's edge.
    const ScreenRect area = MonitorHolding(monitors, centre.value_or(window)).work;
    return CentredPosition(window.right - window.left, window.bottom - window.top, centre.value_or(area), area);
}
