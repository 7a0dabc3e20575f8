// Where a window goes when it is centred: the arithmetic of CWindowRef::CenterWindow.
#pragma once

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

// The top-left corner that centres a width by height window on centre, moved as little as needed
// to keep it within area; a window larger than the area keeps its top-left corner inside.
ScreenPoint CentredPosition(int width, int height, const ScreenRect& centre, const ScreenRect& area);
