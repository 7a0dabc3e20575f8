// Icons loaded again at the size they are drawn at.
#include "prompt/scaled_icons.h"

int IconWidth(HICON hIcon)
{
    ICONINFO info = {};
    if (hIcon == NULL || !::GetIconInfo(hIcon, &info))
        return 0;
    BITMAP bitmap = {};
    ::GetObjectA(info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor != NULL)
        ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

HICON CScaledIcons::At(HICON hIcon, int size)
{
    if (hIcon == NULL)
        return NULL;
    for (int i = 0; i < m_nCopies; ++i) {
        if (m_copies[i].hOriginal == hIcon && m_copies[i].size == size)
            return m_copies[i].hScaled != NULL ? m_copies[i].hScaled : hIcon;
    }
    // A new size, or more icons than a set holds: start afresh.
    if (m_nCopies == 3 || (m_nCopies > 0 && m_copies[0].size != size))
        Forget();
    HICON hScaled = NULL;
    // Only an icon that remembers its resource can be loaded again; one from the shell cannot.
    if (IconWidth(hIcon) != size)
        hScaled = static_cast<HICON>(::CopyImage(hIcon, IMAGE_ICON, size, size, LR_COPYFROMRESOURCE));
    m_copies[m_nCopies++] = { hIcon, hScaled, size };
    return hScaled != NULL ? hScaled : hIcon;
}

void CScaledIcons::Forget()
{
    for (int i = 0; i < m_nCopies; ++i) {
        if (m_copies[i].hScaled != NULL)
            ::DestroyIcon(m_copies[i].hScaled);
    }
    m_nCopies = 0;
}
