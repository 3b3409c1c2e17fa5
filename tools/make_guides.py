#!/usr/bin/env python3
"""Writes the drop-guide images as BMP files into resources/.

ORLODOCK_LEFT/RIGHT (30 x 43), ORLODOCK_TOP/BOTTOM (43 x 30) and ORLODOCK_TAB
(33 x 33) are 24-bit, each in three states (plain, _HOT, _DISABLED);
ORLODOCK_CENTER (67 x 67) is 32-bit. Lime (0, 255, 0) marks the pixels that
are not part of an image: the guide windows are shaped from them, so the outer
edge is hard (a pixel is either key or opaque) while everything inside is
drawn with 4 x 4 supersampling.

An arrow guide is a light rounded tile in a blue frame with an arrow pointing
to the edge it docks at; the tab guide is a disc with a small tabbed window.
The hot state has a white face and a brighter blue, the disabled one is grey.
The centre image is the grey octagon that lies behind the cross.

Run from anywhere; the files land in <repo>/resources/<NAME>.bmp.
"""

import math
import os
import struct
import sys

KEY = (0, 255, 0)
SUB = 4  # supersampling per axis

STATES = {
    "": dict(frame=(44, 98, 176), face_top=(246, 248, 251), face_bottom=(214, 222, 234), ink=(38, 104, 200)),
    "_HOT": dict(frame=(0, 120, 255), face_top=(255, 255, 255), face_bottom=(200, 228, 255), ink=(0, 112, 255)),
    "_DISABLED": dict(frame=(150, 150, 150), face_top=(238, 238, 238), face_bottom=(218, 218, 218), ink=(170, 170, 170)),
}


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def rounded_rect_depth(x, y, w, h, r):
    """How far (x, y) lies inside the rounded rectangle (0, 0, w, h); negative outside."""
    cx = min(max(x, r), w - r)
    cy = min(max(y, r), h - r)
    if (cx, cy) == (x, y):
        return min(x, y, w - x, h - y)
    return r - math.hypot(x - cx, y - cy)


def in_polygon(x, y, pts):
    inside = False
    j = len(pts) - 1
    for i in range(len(pts)):
        xi, yi = pts[i]
        xj, yj = pts[j]
        if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
            inside = not inside
        j = i
    return inside


def render(width, height, shade):
    """shade(x, y) -> colour or None (outside) at a sample point; returns rows of pixels."""
    rows = []
    for py in range(height):
        row = []
        for px in range(width):
            acc = [0.0, 0.0, 0.0]
            hits = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    c = shade(px + (sx + 0.5) / SUB, py + (sy + 0.5) / SUB)
                    if c is not None:
                        hits += 1
                        for i in range(3):
                            acc[i] += c[i]
            if hits * 2 < SUB * SUB:
                row.append(KEY)
            else:
                colour = tuple(min(255, max(0, int(round(v / hits)))) for v in acc)
                # An opaque pixel must never read as the key colour.
                row.append((colour[0], 254, colour[2]) if colour == KEY else colour)
        rows.append(row)
    return rows


def tile_shade(w, h, radius, st, ink_shape, frame_width=1.6):
    """A framed tile of the state's colours with ink where ink_shape(x, y) is true."""

    def shade(x, y):
        depth = rounded_rect_depth(x, y, w, h, radius)
        if depth < 0:
            return None
        if depth < frame_width:
            return st["frame"]
        if ink_shape(x, y):
            return st["ink"]
        face = mix(st["face_top"], st["face_bottom"], y / h)
        # A thin inner highlight under the frame gives the tile some depth.
        if depth < frame_width + 1.0:
            return mix(face, (255, 255, 255), 0.6)
        return face

    return shade


def left_arrow(x, y):
    """The arrow of the left guide in its 30 x 43 tile: head at x 6, shaft to x 24."""
    head = [(6.0, 21.5), (16.5, 11.5), (16.5, 31.5)]
    return in_polygon(x, y, head) or (15.5 <= x <= 24.0 and 18.0 <= y <= 25.0)


def arrow_image(direction, st):
    if direction == "LEFT":
        w, h, shape = 30, 43, left_arrow
    elif direction == "RIGHT":
        w, h, shape = 30, 43, lambda x, y: left_arrow(30 - x, y)
    elif direction == "TOP":
        w, h, shape = 43, 30, lambda x, y: left_arrow(y, x)
    else:
        w, h, shape = 43, 30, lambda x, y: left_arrow(30 - y, x)
    return w, h, render(w, h, tile_shade(w, h, 4.5, st, shape))


def tab_image(st):
    size = 33
    c = size / 2.0

    def tabbed_window(x, y):
        # A window outline with a filled tab on its top left.
        body = 8.5 <= x <= 24.5 and 12.5 <= y <= 24.5
        inner = 10.0 <= x <= 23.0 and 14.0 <= y <= 23.0
        tab = 8.5 <= x <= 16.0 and 9.0 <= y <= 12.5
        return (body and not inner) or tab

    def shade(x, y):
        depth = c - math.hypot(x - c, y - c)
        if depth < 0:
            return None
        if depth < 1.6:
            return st["frame"]
        if tabbed_window(x, y):
            return st["ink"]
        face = mix(st["face_top"], st["face_bottom"], y / size)
        if depth < 2.6:
            return mix(face, (255, 255, 255), 0.6)
        return face

    return size, size, render(size, size, shade)


def centre_image():
    size = 67
    cut = 13.0  # how far the corners are cut off

    def shade(x, y):
        # Octagon: inside the square and inside the four corner diagonals.
        depth = min(x, y, size - x, size - y,
                    (x + y - cut) / math.sqrt(2), ((size - x) + y - cut) / math.sqrt(2),
                    (x + (size - y) - cut) / math.sqrt(2), ((size - x) + (size - y) - cut) / math.sqrt(2))
        if depth < 0:
            return None
        if depth < 1.2:
            return (150, 156, 166)
        # Lighter towards the middle, like a soft translucent plate.
        t = min(1.0, depth / 14.0)
        return mix((200, 204, 211), (236, 238, 242), t)

    return size, size, render(size, size, shade)


def bmp(width, height, rows, bits):
    bpp = bits // 8
    row_bytes = ((width * bits + 31) // 32) * 4
    pixels = bytearray()
    for row in reversed(rows):
        line = bytearray()
        for (r, g, b) in row:
            line += bytes((b, g, r)) if bpp == 3 else bytes((b, g, r, 255))
        line += b"\0" * (row_bytes - len(line))
        pixels += line
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(pixels), 2835, 2835, 0, 0)
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(pixels), 0, 0, 14 + 40)
    return header + info + bytes(pixels)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "resources")
    os.makedirs(out_dir, exist_ok=True)
    images = {}
    for suffix, st in STATES.items():
        for direction in ("LEFT", "RIGHT", "TOP", "BOTTOM"):
            images["ORLODOCK_%s%s" % (direction, suffix)] = arrow_image(direction, st) + (24,)
        images["ORLODOCK_TAB%s" % suffix] = tab_image(st) + (24,)
    images["ORLODOCK_CENTER"] = centre_image() + (32,)
    for name, (w, h, rows, bits) in images.items():
        path = os.path.join(out_dir, name + ".bmp")
        with open(path, "wb") as f:
            f.write(bmp(w, h, rows, bits))
        print(path)


if __name__ == "__main__":
    main()
