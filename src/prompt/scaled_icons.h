// The prompt's icons at the size its button is drawn at: an icon loaded from the program's
// resources is loaded again from the image drawn for that size, so that it is crisp at any scale.
// The copies are this object's own; the icons it is given are not.
#pragma once

#include "framework/win32.h"

class CScaledIcons {
public:
    CScaledIcons() = default;
    ~CScaledIcons() { Forget(); }
    CScaledIcons(const CScaledIcons&) = delete;
    CScaledIcons& operator=(const CScaledIcons&) = delete;

    // The icon to draw at size x size pixels: hIcon itself when it already is that size or has no
    // image of its own for it (the caller then stretches it), else a copy loaded at that size.
    HICON At(HICON hIcon, int size);
    // Destroys the copies, for a new icon set or a new size.
    void Forget();

private:
    struct Copy {
        HICON hOriginal;
        HICON hScaled;  // NULL: the original serves
        int size;
    };
    // Three icons, at most one size at a time.
    Copy m_copies[3] = {};
    int m_nCopies = 0;
};

// The width of an icon's image in pixels; 0 for no icon.
int IconWidth(HICON hIcon);
