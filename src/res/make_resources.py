#!/usr/bin/env python3
"""Draws the prompt's three icons and makes the launch chime; both outputs are committed.

    python3 src/res/make_resources.py      (from the project root, or anywhere)

The icons are 32 x 32 pixels in the 16 standard colours with a transparency mask: a camera lens
set in a horizontal grey bar, open (idle), half closed (alternate) and open with a sparkle
(starting). The chime is PCM, mono, 11025 samples per second, 8 bits, 1839 samples: two bell-like
notes, a fifth apart, fading out. Everything is computed, so every run writes the same bytes.
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
BLACK, DARK_BLUE, LIGHT_GREY, DARK_GREY, YELLOW, WHITE = 0, 4, 7, 8, 11, 15
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


def ico_bytes(img):
    """A one-image .ico: 32 x 32, 4 bits per pixel, colour rows then mask rows, bottom-up."""
    colour_rows = b""
    mask_rows = b""
    for y in reversed(range(SIZE)):
        row = img[y]
        nibbles = [0 if p is CLEAR else p for p in row]
        colour_rows += bytes((nibbles[x] << 4) | nibbles[x + 1] for x in range(0, SIZE, 2))
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is CLEAR else 0)
        mask_rows += bits.to_bytes(4, "big")
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0, len(colour_rows) + len(mask_rows), 0, 0, 16, 0)
    image = header + palette + colour_rows + mask_rows
    directory = struct.pack("<HHH", 0, 1, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image), 22)
    return directory + image


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
    for name, img in icons().items():
        with open(os.path.join(HERE, "icons", name + ".ico"), "wb") as f:
            f.write(ico_bytes(img))
    with open(os.path.join(HERE, "launch.wav"), "wb") as f:
        f.write(wave_bytes(chime_samples()))


if __name__ == "__main__":
    main()
