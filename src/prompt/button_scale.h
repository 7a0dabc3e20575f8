// Where the prompt's icon button goes at a display scale: 12,12 and 32 x 32 pixels at 96 DPI,
// scaled with the dialog's DPI so that it keeps its place beside the text, which the system scales.
#pragma once

struct ButtonPlace {
    int left;
    int top;
    int size;  // width and height
};

// dpi 0 (unknown) counts as 96.
ButtonPlace IconButtonPlace(unsigned int dpi);

// The width of the contrasting rim drawn around the icon under High Contrast: one pixel at 96 DPI,
// growing with the scale so that it stays as visible.
int HighContrastRimWidth(unsigned int dpi);
