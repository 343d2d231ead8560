#!/usr/bin/env python3
"""Draws the grid's own cursors (.cur, 32 x 32, two colours) and the pan origin markers (.bmp)
into grid/control/cursors/. The files are kept in the repository; run this again after changing
a shape here."""
import math
import os
import struct
import sys

SIZE = 32
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "grid", "control", "cursors")


def triangle(p1, p2, p3):
    def inside(x, y):
        def side(a, b):
            return (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0])
        d1, d2, d3 = side(p1, p2), side(p2, p3), side(p3, p1)
        neg = d1 < 0 or d2 < 0 or d3 < 0
        pos = d1 > 0 or d2 > 0 or d3 > 0
        return not (neg and pos)
    return inside


def box(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 <= math.hypot(x - cx, y - cy) <= r1


def disc(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) <= r


def union(*shapes):
    return lambda x, y: any(s(x, y) for s in shapes)


def rotated(shape, quarter_turns, cx=15.5, cy=15.5):
    def inside(x, y):
        for _ in range(quarter_turns % 4):
            # turn the point back by a quarter
            x, y = cx + (y - cy), cy - (x - cx)
        return shape(x, y)
    return inside


def diagonal(shape, cx=15.5, cy=15.5):
    # The shape turned by 45 degrees clockwise.
    c = s = math.sqrt(0.5)
    return lambda x, y: shape(cx + (x - cx) * c + (y - cy) * s, cy - (x - cx) * s + (y - cy) * c)


# An arrow pointing up from the centre, in pixel centres.
ARROW_UP = union(triangle((15.5, 2), (9, 10), (22, 10)), box(13.5, 10, 17.5, 15))
PAN_CENTRE = union(ring(15.5, 15.5, 3.5, 5.0), disc(15.5, 15.5, 1.2))


def pan(direction=None):
    if direction is None:
        return union(PAN_CENTRE, triangle((15.5, 3), (11, 8), (20, 8)), triangle((15.5, 28), (11, 23), (20, 23)),
                     triangle((3, 15.5), (8, 11), (8, 20)), triangle((28, 15.5), (23, 11), (23, 20)))
    turns = {"up": 0, "right": 1, "down": 2, "left": 3}
    if direction in turns:
        return union(PAN_CENTRE, rotated(ARROW_UP, turns[direction]))
    base = {"upright": 0, "downright": 1, "downleft": 2, "upleft": 3}[direction]
    return union(PAN_CENTRE, rotated(diagonal(ARROW_UP), base))


# Selection cursors: a thick arrow with its tip at the hot spot.
SELECT_DOWN = union(triangle((15.5, 30), (8, 20), (23, 20)), box(12.5, 4, 18.5, 20))
SELECT_RIGHT = rotated(SELECT_DOWN, 3)
SELECT_ALL = union(triangle((28, 28), (28, 16), (16, 28)), lambda x, y: abs((x - y)) <= 2.5 and 6 <= x <= 22)
CELL_SELECTOR = union(box(14, 2, 17, 29), box(2, 14, 29, 17))

CURSORS = [
    (8000, "pan", pan(), (15, 15)),
    (8001, "pan-down", pan("down"), (15, 15)),
    (8002, "pan-left", pan("left"), (15, 15)),
    (8003, "pan-right", pan("right"), (15, 15)),
    (8004, "pan-up", pan("up"), (15, 15)),
    (8005, "pan-up-right", pan("upright"), (15, 15)),
    (8006, "pan-up-left", pan("upleft"), (15, 15)),
    (8007, "pan-down-right", pan("downright"), (15, 15)),
    (8008, "pan-down-left", pan("downleft"), (15, 15)),
    (8010, "select-row", SELECT_RIGHT, (30, 15)),
    (8011, "select-column", SELECT_DOWN, (15, 30)),
    (8012, "select-all", SELECT_ALL, (28, 28)),
    (8014, "cell-selector", CELL_SELECTOR, (15, 15)),
]

MARKERS = [
    ("INTLI1", pan()),
    ("INTLI2", union(PAN_CENTRE, rotated(ARROW_UP, 1), rotated(ARROW_UP, 3))),
    ("INTLI3", union(PAN_CENTRE, ARROW_UP, rotated(ARROW_UP, 2))),
]


def sample(shape):
    return [[shape(x + 0.5, y + 0.5) for x in range(SIZE)] for y in range(SIZE)]


def outline(fill):
    def near(x, y):
        return any(0 <= x + dx < SIZE and 0 <= y + dy < SIZE and fill[y + dy][x + dx]
                   for dx in (-1, 0, 1) for dy in (-1, 0, 1))
    return [[not fill[y][x] and near(x, y) for x in range(SIZE)] for y in range(SIZE)]


def mono_rows(bits):
    rows = b""
    for y in reversed(range(SIZE)):
        row = 0
        for x in range(SIZE):
            row = (row << 1) | (1 if bits[y][x] else 0)
        rows += struct.pack(">I", row)
    return rows


def cursor_file(shape, hotspot):
    fill = sample(shape)
    edge = outline(fill)
    # Black fill, white edge, the rest transparent (AND 1, XOR 0).
    xor = [[edge[y][x] for x in range(SIZE)] for y in range(SIZE)]
    mask = [[not (fill[y][x] or edge[y][x]) for x in range(SIZE)] for y in range(SIZE)]
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 1, 0, 0, 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + mono_rows(xor) + mono_rows(mask)
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, hotspot[0], hotspot[1],
                                                           len(image), 22)
    return directory + image


def marker_file(shape):
    fill = sample(shape)
    pixels = b"".join(b"".join(b"\x00\x00\x00" if fill[y][x] else b"\xff\xff\xff" for x in range(SIZE))
                      for y in reversed(range(SIZE)))
    info = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    return head + info + pixels


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else OUT
    os.makedirs(out, exist_ok=True)
    for _, name, shape, hotspot in CURSORS:
        with open(os.path.join(out, name + ".cur"), "wb") as f:
            f.write(cursor_file(shape, hotspot))
    for name, shape in MARKERS:
        with open(os.path.join(out, name.lower() + ".bmp"), "wb") as f:
            f.write(marker_file(shape))


if __name__ == "__main__":
    main()
