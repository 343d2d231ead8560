#!/usr/bin/env python3
"""Draws the standard glyphs of the drop-down edits' button: five 48 x 16 RGBA PNGs, each three
16 x 16 frames (normal, hot, pressed), written to skin/controls/glyphs/. Run it again after
changing a shape; the PNGs are kept in the repository."""
import os
import struct
import zlib

FRAME = 16
# Ink of the normal, hot and pressed frames.
INKS = [(0x40, 0x40, 0x40), (0x20, 0x40, 0x90), (0x10, 0x10, 0x10)]


def folder(x, y):
    return (2 <= x <= 13 and 5 <= y <= 12 and (x in (2, 13) or y in (5, 12))) or (2 <= x <= 6 and y == 4)


def arrow(x, y):
    return 6 <= y <= 9 and abs(x - 7.5) <= 9 - y


def calendar(x, y):
    inside = 2 <= x <= 13 and 3 <= y <= 13
    return inside and (x in (2, 13) or y in (3, 4, 13) or (y in (7, 10) and x % 3 == 2) or (x in (5, 8, 11) and y > 4 and y % 3 == 1))


def ellipsis(x, y):
    return 10 <= y <= 11 and x in (3, 4, 7, 8, 11, 12)


def calculator(x, y):
    inside = 4 <= x <= 11 and 2 <= y <= 13
    return inside and (x in (4, 11) or y in (2, 13) or (4 <= y <= 5) or (y in (8, 11) and x in (6, 9)))


SHAPES = {"SF": folder, "SR": arrow, "SD": calendar, "SE": ellipsis, "SC": calculator}


def png(width, height, pixels):
    raw = b"".join(b"\x00" + bytes(pixels[y * width * 4:(y + 1) * width * 4]) for y in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def main():
    out = os.path.join(os.path.dirname(__file__), "..", "skin", "controls", "glyphs")
    os.makedirs(out, exist_ok=True)
    for name, shape in SHAPES.items():
        pixels = []
        for y in range(FRAME):
            for frame in range(3):
                for x in range(FRAME):
                    pixels += [*INKS[frame], 255] if shape(x, y) else [0, 0, 0, 0]
        with open(os.path.join(out, name + ".png"), "wb") as f:
            f.write(png(3 * FRAME, FRAME, pixels))


if __name__ == "__main__":
    main()
