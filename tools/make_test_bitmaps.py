#!/usr/bin/env python3
"""Writes the toolkit's test bitmaps into tests/support/bitmaps/: the same 8 x 6 picture as
a 4-bit (16-colour palette), a 24-bit and a 32-bit BMP. Pixels where
(x + y) % 3 == 0 hold the key colour magenta (255, 0, 255); the others take
their colour from the 16-colour palette without magenta, entry (x + 2 * y) % 15. Tests compute the expected pixels the same way."""

import os
import struct
import sys

WIDTH, HEIGHT = 8, 6

# The classic 16-colour palette (r, g, b); index 13 is magenta, the key.
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
KEY_INDEX = 13


def index_at(x, y):
    if (x + y) % 3 == 0:
        return KEY_INDEX
    others = [i for i in range(16) if i != KEY_INDEX]
    return others[(x + 2 * y) % len(others)]


def bmp(bits):
    row_bytes = ((WIDTH * bits + 31) // 32) * 4
    palette = b""
    if bits == 4:
        palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in PALETTE)
    pixels = bytearray()
    for y in reversed(range(HEIGHT)):  # bottom-up rows
        row = bytearray()
        if bits == 4:
            for x in range(0, WIDTH, 2):
                row.append((index_at(x, y) << 4) | index_at(x + 1, y))
        else:
            for x in range(WIDTH):
                r, g, b = PALETTE[index_at(x, y)]
                row += bytes((b, g, r)) if bits == 24 else bytes((b, g, r, 0))
        row += b"\0" * (row_bytes - len(row))
        pixels += row
    header_size = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, bits, 0, len(pixels), 2835, 2835,
                       16 if bits == 4 else 0, 0)
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(pixels), 0, 0, header_size)
    return file_header + info + palette + bytes(pixels)


def main():
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "support", "bitmaps")
    out = sys.argv[1] if len(sys.argv) > 1 else root
    os.makedirs(out, exist_ok=True)
    for bits in (4, 24, 32):
        with open(os.path.join(out, "TK_TEST_%dBIT.bmp" % bits), "wb") as f:
            f.write(bmp(bits))


if __name__ == "__main__":
    main()
