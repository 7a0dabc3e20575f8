// The arithmetic of centring a window.
#include "framework/centring.h"

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
