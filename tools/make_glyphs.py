#!/usr/bin/env python3
"""Writes the title-bar button glyphs as 16-colour BMP files into resources/.

Each glyph is drawn from a pattern ('X' = ink, '.' = paper). The B variant is
black ink on white paper, the W variant the exact inverse (white on black).
Run from anywhere; the files land in <repo>/resources/<NAME>.bmp.
"""

import os
import struct
import sys

GLYPHS = {
    "ORLO_CLOSE": [
        "..........",
        ".XX....XX.",
        ".XXX..XXX.",
        "..XXXXXX..",
        "...XXXX...",
        "...XXXX...",
        "..XXXXXX..",
        ".XXX..XXX.",
        ".XX....XX.",
        "..........",
    ],
    "ORLO_PINNED": [
        "..XXXXX..",
        "..X..XX..",
        "..X..XX..",
        "..X..XX..",
        "..X..XX..",
        ".XXXXXXX.",
        "....X....",
        "....X....",
        "....X....",
    ],
    "ORLO_UNPINNED": [
        ".........",
        "...X.....",
        "...XXXXXX",
        "...X....X",
        "XXXX....X",
        "...XXXXXX",
        "...XXXXXX",
        "...X.....",
        ".........",
    ],
}

# The usual 16-colour palette as stored (blue, green, red); index 0 is black, 15 white.
PALETTE = [
    (0x00, 0x00, 0x00), (0x00, 0x00, 0x80), (0x00, 0x80, 0x00), (0x00, 0x80, 0x80),
    (0x80, 0x00, 0x00), (0x80, 0x00, 0x80), (0x80, 0x80, 0x00), (0xC0, 0xC0, 0xC0),
    (0x80, 0x80, 0x80), (0x00, 0x00, 0xFF), (0x00, 0xFF, 0x00), (0x00, 0xFF, 0xFF),
    (0xFF, 0x00, 0x00), (0xFF, 0x00, 0xFF), (0xFF, 0xFF, 0x00), (0xFF, 0xFF, 0xFF),
]
BLACK = 0
WHITE = 15


def bmp4(rows, ink, paper):
    """A 4-bit BMP of the pattern; rows are stored bottom-up, each padded to 4 bytes."""
    height = len(rows)
    width = len(rows[0])
    if any(len(r) != width for r in rows):
        raise ValueError("ragged glyph pattern")
    row_bytes = ((width * 4 + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray(row_bytes)
        for x, ch in enumerate(row):
            index = ink if ch == "X" else paper
            if x % 2 == 0:
                line[x // 2] |= index << 4
            else:
                line[x // 2] |= index
        pixels += line
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (b, g, r) in PALETTE)
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + bytes(pixels)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources")
    os.makedirs(out_dir, exist_ok=True)
    for name, rows in GLYPHS.items():
        for suffix, ink, paper in (("B", BLACK, WHITE), ("W", WHITE, BLACK)):
            path = os.path.join(out_dir, "%s_%s.bmp" % (name, suffix))
            with open(path, "wb") as f:
                f.write(bmp4(rows, ink, paper))
            print(path)


if __name__ == "__main__":
    main()
