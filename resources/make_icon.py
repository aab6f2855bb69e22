#!/usr/bin/env python3
"""Draws the page's 32x32, 16-colour icon (a display with a tick on its
screen) and writes it as vexaro.ico. Run from any folder:
    python3 make_icon.py [output path]
"""
import os
import struct
import sys

# The standard 16-colour palette, as R, G, B.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
BLACK, DARK_GREY, LIGHT_GREY, WHITE = 0, 8, 7, 15
NAVY, TEAL, YELLOW = 4, 6, 11
SIZE = 32
TRANSPARENT = None


def draw():
    """Rows top to bottom; each pixel a palette index or TRANSPARENT."""
    img = [[TRANSPARENT] * SIZE for _ in range(SIZE)]

    def fill(x0, y0, x1, y1, colour):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                img[y][x] = colour

    # Cabinet with a light top-left edge and a dark bottom-right edge.
    fill(2, 2, 29, 23, LIGHT_GREY)
    fill(2, 2, 29, 2, WHITE)
    fill(2, 2, 2, 23, WHITE)
    fill(2, 23, 29, 23, BLACK)
    fill(29, 2, 29, 23, BLACK)
    fill(3, 22, 28, 22, DARK_GREY)
    fill(28, 3, 28, 22, DARK_GREY)
    # Screen, sunk into the cabinet.
    fill(5, 5, 26, 19, NAVY)
    fill(5, 5, 26, 5, DARK_GREY)
    fill(5, 5, 5, 19, DARK_GREY)
    fill(6, 6, 25, 19, TEAL)
    # A tick across the screen.
    tick = [(9, 12), (10, 13), (11, 14), (12, 15), (13, 16), (14, 15), (15, 14),
            (16, 13), (17, 12), (18, 11), (19, 10), (20, 9), (21, 8)]
    for x, y in tick:
        img[y][x] = YELLOW
        img[y - 1][x] = YELLOW
    # Neck and foot.
    fill(13, 24, 18, 26, DARK_GREY)
    fill(8, 27, 23, 29, LIGHT_GREY)
    fill(8, 27, 23, 27, WHITE)
    fill(8, 29, 23, 29, BLACK)
    return img


def ico_bytes(img):
    # XOR mask: 4 bits per pixel, rows bottom-up, each row 16 bytes.
    xor = bytearray()
    for row in reversed(img):
        for x in range(0, SIZE, 2):
            hi = row[x] if row[x] is not None else 0
            lo = row[x + 1] if row[x + 1] is not None else 0
            xor.append((hi << 4) | lo)
    # AND mask: 1 bit per pixel (1 = transparent), rows bottom-up,
    # each row padded to 4 bytes.
    and_mask = bytearray()
    for row in reversed(img):
        bits = 0
        for x in range(SIZE):
            bits = (bits << 1) | (1 if row[x] is None else 0)
        and_mask += struct.pack(">I", bits)

    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 4, 0,
                         len(xor) + len(and_mask), 0, 0, 16, 0)
    # Palette entries are stored as B, G, R, 0.
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    image = header + palette + bytes(xor) + bytes(and_mask)

    icondir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 16, 0, 1, 4, len(image),
                        6 + 16)
    return icondir + entry + image


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "vexaro.ico")
    with open(out, "wb") as f:
        f.write(ico_bytes(draw()))


if __name__ == "__main__":
    main()
