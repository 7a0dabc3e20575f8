// The icon button's place and rim at a display scale.
#include "prompt/button_scale.h"

namespace {

const unsigned int DefaultDpi = 96;

// value at 96 DPI scaled to dpi, rounded to the nearest pixel.
int Scaled(int value, unsigned int dpi)
{
    if (dpi == 0)
        dpi = DefaultDpi;
    return static_cast<int>((static_cast<unsigned long long>(value) * dpi + DefaultDpi / 2) / DefaultDpi);
}

}  // namespace

ButtonPlace IconButtonPlace(unsigned int dpi)
{
    return { Scaled(12, dpi), Scaled(12, dpi), Scaled(32, dpi) };
}

int HighContrastRimWidth(unsigned int dpi)
{
    const int width = Scaled(1, dpi);
    return width > 0 ? width : 1;
}
