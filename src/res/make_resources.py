#!/usr/bin/env python3
"""Draws the program's icons and makes the launch chime; the outputs are committed.

    python3 src/res/make_resources.py      (from the project root, or anywhere)

The prompt's icons show a camera lens set in a horizontal grey bar, open (idle), half closed
(alternate) and open with a sparkle (starting). Each has first a 32 x 32 image in the 16 standard
colours with a transparency mask, then the same picture drawn again at 48 x 48 and 64 x 64 in 32
bits per pixel (blue, green, red, alpha) with soft edges and a light edge outside its dark outline,
their masks transparent where alpha is 0. The application icon is a small camera with a green
"ready" light, as 32 x 32 and 16 x 16 images in 16 colours and a 48 x 48 image in 256 colours. The
chime is PCM, mono, 11025 samples per second, 8 bits, 1839 samples: two bell-like notes, a fifth
apart, fading out.
Everything is computed, so every run writes the same bytes.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))

# The 16 standard colours, as (red, green, blue), by palette index.
PALETTE = [
    (0x00, 0x00, 0x00), (0x80, 0x00, 0x00), (0x00, 0x80, 0x00), (0x80, 0x80, 0x00),
    (0x00, 0x00, 0x80), (0x80, 0x00, 0x80), (0x00, 0x80, 0x80), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0xFF, 0x00, 0x00), (0x00, 0xFF, 0x00), (0xFF, 0xFF, 0x00),
    (0x00, 0x00, 0xFF), (0xFF, 0x00, 0xFF), (0x00, 0xFF, 0xFF), (0xFF, 0xFF, 0xFF),
]
BLACK, DARK_BLUE, LIGHT_GREY, DARK_GREY, GREEN, YELLOW, WHITE = 0, 4, 7, 8, 10, 11, 15
CLEAR = None  # transparent
SIZE = 32
CENTRE = 15.5


def blank():
    return [[CLEAR] * SIZE for _ in range(SIZE)]


def distance(x, y):
    return math.hypot(x - CENTRE, y - CENTRE)


def draw_bar(img):
    """The horizontal grey bar that holds the lens, with a dark outline."""
    for y in range(10, 22):
        for x in range(1, 31):
            edge = y in (10, 21) or x in (1, 30)
            img[y][x] = DARK_GREY if edge else LIGHT_GREY


def draw_open_lens(img):
    """Dark rim, white ring, dark blue iris, black pupil, small white highlight."""
    for y in range(SIZE):
        for x in range(SIZE):
            d = distance(x, y)
            if d <= 12.5:
                img[y][x] = BLACK
            if d <= 11.0:
                img[y][x] = WHITE
            if d <= 8.0:
                img[y][x] = DARK_BLUE
            if d <= 5.0:
                img[y][x] = BLACK
    for y, x in ((13, 13), (13, 14), (14, 13), (14, 14)):
        img[y][x] = WHITE


def draw_lid(img):
    """Half closed: a dark lid line across the lens, the grey lid below it."""
    for y in range(16, SIZE):
        for x in range(SIZE):
            d = distance(x, y)
            if d <= 12.5:
                img[y][x] = BLACK if y in (16, 17) or d > 11.0 else LIGHT_GREY


def draw_sparkle(img):
    """A white four-pointed sparkle across the pupil, yellow at its heart."""
    for i in range(-7, 8):
        img[16][16 + i] = WHITE
        img[16 + i][16] = WHITE
    for i in range(-3, 4):
        img[16 + i][16 + i] = WHITE
        img[16 + i][16 - i] = WHITE
    for y, x in ((15, 16), (16, 15), (16, 16), (16, 17), (17, 16)):
        img[y][x] = YELLOW


def image_bytes(img, palette, bits):
    """One icon image: header, palette, colour rows then mask rows, bottom-up, rows padded to 4 bytes.
    At 32 bits a pixel is (red, green, blue, alpha) and there is no palette; CLEAR pixels have alpha 0."""
    size = len(img)
    per_byte = 8 // bits
    colour_row_bytes = (size * bits // 8 + 3) & ~3
    mask_row_bytes = ((size + 7) // 8 + 3) & ~3
    colour_rows = b""
    mask_rows = b""
    for y in reversed(range(size)):
        row = img[y]
        if bits == 32:
            packed = b"".join(struct.pack("<BBBB", b, g, r, a) for r, g, b, a in (p or (0, 0, 0, 0) for p in row))
        else:
            indexes = [0 if p is CLEAR else p for p in row]
            packed = bytearray()
            for x in range(0, size, per_byte):
                value = 0
                for i in range(per_byte):
                    value = (value << bits) | indexes[x + i]
                packed.append(value)
        colour_rows += bytes(packed) + b"\0" * (colour_row_bytes - len(packed))
        bits_of_mask = 0
        for x in range(size):
            bits_of_mask = (bits_of_mask << 1) | (1 if row[x] is CLEAR else 0)
        mask = bits_of_mask.to_bytes((size + 7) // 8, "big")
        mask_rows += mask + b"\0" * (mask_row_bytes - len(mask))
    table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0, len(colour_rows) + len(mask_rows), 0, 0,
                         len(palette), 0)
    return header + table + colour_rows + mask_rows


def ico_bytes(images):
    """An .ico of (picture, palette, bits per pixel) images."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    bodies = b""
    for img, palette, bits in images:
        body = image_bytes(img, palette, bits)
        size = len(img)
        colours = len(palette) if len(palette) < 256 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits, len(body), offset)
        offset += len(body)
        bodies += body
    return directory + bodies


def icons():
    idle = blank()
    draw_bar(idle)
    draw_open_lens(idle)

    alternate = blank()
    draw_bar(alternate)
    draw_open_lens(alternate)
    draw_lid(alternate)

    starting = blank()
    draw_bar(starting)
    draw_open_lens(starting)
    draw_sparkle(starting)
    return {"idle": idle, "alternate": alternate, "starting": starting}


# The prompt's larger images, for its icon button at 144 and 192 DPI: the same pictures drawn
# again at 48 and 64 pixels rather than enlarged, with soft edges. Shapes are placed in the
# 32 x 32 picture's units, and each pixel is the average of SAMPLES x SAMPLES points in it.
SAMPLES = 6
# Outside the dark outline, one pixel of light edge: the black rim would vanish on a dark or
# high-contrast background, and on a light one the edge hardly shows.
HALO = (240, 240, 240, 160)


def opaque(index):
    return PALETTE[index] + (255,)


def open_lens_at(u, v, pixel):
    """The idle picture at a point: (red, green, blue, alpha), or None where it is clear.
    pixel: one pixel's width in the picture's units, the reach of the light edge."""
    d = math.hypot(u - 16, v - 16)
    if math.hypot(u - 14, v - 14) <= 1.2:
        return opaque(WHITE)
    for radius, colour in ((5, BLACK), (8, DARK_BLUE), (11, WHITE), (12.5, BLACK)):
        if d <= radius:
            return opaque(colour)
    beyond_bar = max(abs(u - 16) - 15, abs(v - 16) - 6)  # the bar from 1 to 31 across, 10 to 22 down
    if beyond_bar <= -1:
        return opaque(LIGHT_GREY)
    if beyond_bar <= 0:
        return opaque(DARK_GREY)
    if min(beyond_bar, d - 12.5) <= pixel:
        return HALO
    return None


def half_closed_at(u, v, pixel):
    """The alternate picture: the lower half of the lens under a grey lid with a dark edge."""
    d = math.hypot(u - 16, v - 16)
    if v >= 16 and d <= 12.5:
        return opaque(BLACK if v < 18 or d > 11 else LIGHT_GREY)
    return open_lens_at(u, v, pixel)


def sparkle_at(u, v, pixel):
    """The starting picture: a four-pointed sparkle on the pupil, its arms tapering, yellow at its heart."""
    x, y = abs(u - 16), abs(v - 16)
    if math.hypot(x, y) <= 1.5:
        return opaque(YELLOW)
    along, across = max(x, y), min(x, y)
    slant_along, slant_across = (x + y) / math.sqrt(2), abs(x - y) / math.sqrt(2)
    if across <= 0.8 * (1 - along / 7.5) + 0.1 or slant_across <= 0.6 * (1 - slant_along / 4.9) + 0.1:
        return opaque(WHITE)
    return open_lens_at(u, v, pixel)


def smooth_image(picture, size):
    """A picture at size x size pixels: its colour where it covers a pixel, its coverage as alpha."""
    scale = 32.0 / size
    img = []
    for y in range(size):
        row = []
        for x in range(size):
            red = green = blue = cover = 0
            for j in range(SAMPLES):
                for i in range(SAMPLES):
                    colour = picture((x + (i + 0.5) / SAMPLES) * scale, (y + (j + 0.5) / SAMPLES) * scale, scale)
                    if colour is not None:
                        r, g, b, a = colour
                        red, green, blue, cover = red + r * a, green + g * a, blue + b * a, cover + a
            alpha = round(cover / SAMPLES ** 2)
            colour = (round(red / cover), round(green / cover), round(blue / cover), alpha) if alpha else CLEAR
            row.append(colour)
        img.append(row)
    return img


# 256 colours: the 16 standard ones, then ramps of grey, blue and green for the larger image.
GREY_RAMP = 16       # 64 greys from black to white
BLUE_RAMP = 80       # 64 blues from dark to light
GREEN_RAMP = 144     # 64 greens from dark to light
PALETTE_256 = (PALETTE
               + [(round(255 * i / 63),) * 3 for i in range(64)]
               + [(round(40 * i / 63), round(90 * i / 63), round(60 + 195 * i / 63)) for i in range(64)]
               + [(round(30 * i / 63), round(80 + 175 * i / 63), round(30 * i / 63)) for i in range(64)]
               + [(0, 0, 0)] * 48)
assert len(PALETTE_256) == 256


def app_icon(size, shaded):
    """A camera: a dark body with a viewfinder hump, a lens with a blue iris, a green ready light.
    shaded: use the 256-colour ramps for smooth shading, else the 16 standard colours."""
    s = size / 32.0
    img = [[CLEAR] * size for _ in range(size)]
    cx, cy = (size - 1) / 2.0, 17.5 * s

    def grey(level):  # level 0..1
        return GREY_RAMP + round(63 * level) if shaded else (DARK_GREY if level < 0.6 else LIGHT_GREY)

    for y in range(size):
        for x in range(size):
            body = 2 * s <= x < 30 * s and 9 * s <= y < 28 * s
            hump = 10 * s <= x < 22 * s and 5 * s <= y < 9 * s
            if body or hump:
                edge = (x < 3 * s or x >= 29 * s or y < 10 * s or y >= 27 * s) if body else (y < 6 * s)
                img[y][x] = BLACK if edge else grey(0.35 + 0.25 * (1 - y / size))
            d = math.hypot(x - cx, y - cy)
            if d <= 8.5 * s:
                img[y][x] = BLACK
            if d <= 7.0 * s:
                img[y][x] = grey(0.85) if shaded else LIGHT_GREY
            if d <= 5.5 * s:
                img[y][x] = BLUE_RAMP + round(20 + 43 * (1 - d / (5.5 * s))) if shaded else DARK_BLUE
            if d <= 2.5 * s:
                img[y][x] = BLACK
    # A highlight on the lens and the green ready light on the body's top right.
    hx, hy = round(cx - 2 * s), round(cy - 2 * s)
    img[hy][hx] = WHITE
    for y in range(round(11 * s), round(11 * s) + max(2, round(3 * s))):
        for x in range(round(24 * s), round(24 * s) + max(2, round(3 * s))):
            img[y][x] = (GREEN_RAMP + 63) if shaded else GREEN
    return img


def chime_samples(count=1839, rate=11025):
    """Two soft bell notes, A5 then E6, each with a quick attack and an exponential fade."""
    notes = ((0, 880.0), (420, 1318.5))  # (first sample, frequency)
    samples = []
    for n in range(count):
        value = 0.0
        for start, frequency in notes:
            if n < start:
                continue
            t = (n - start) / rate
            attack = min(1.0, t / 0.004)
            decay = math.exp(-t * 14.0)
            tone = math.sin(2 * math.pi * frequency * t) + 0.3 * math.sin(2 * math.pi * 2 * frequency * t)
            value += 0.42 * attack * decay * tone
        fade = min(1.0, (count - 1 - n) / 60.0)  # no click at the end
        samples.append(max(0, min(255, round(128 + 127 * value * fade))))
    return bytes(samples)


def wave_bytes(samples, rate=11025):
    fmt = struct.pack("<HHIIHH", 1, 1, rate, rate, 1, 8)
    data = samples + (b"\0" if len(samples) % 2 else b"")  # RIFF chunks end on an even offset
    body = b"WAVE" + b"fmt " + struct.pack("<I", len(fmt)) + fmt + b"data" + struct.pack("<I", len(samples)) + data
    return b"RIFF" + struct.pack("<I", len(body)) + body


def main():
    pictures = {"idle": open_lens_at, "alternate": half_closed_at, "starting": sparkle_at}
    for name, img in icons().items():
        with open(os.path.join(HERE, "icons", name + ".ico"), "wb") as f:
            f.write(ico_bytes([(img, PALETTE, 4)]
                              + [(smooth_image(pictures[name], size), [], 32) for size in (48, 64)]))
    with open(os.path.join(HERE, "icons", "lumora_ready.ico"), "wb") as f:
        f.write(ico_bytes([(app_icon(32, False), PALETTE, 4), (app_icon(16, False), PALETTE, 4),
                           (app_icon(48, True), PALETTE_256, 8)]))
    with open(os.path.join(HERE, "launch.wav"), "wb") as f:
        f.write(wave_bytes(chime_samples()))


if __name__ == "__main__":
    main()
