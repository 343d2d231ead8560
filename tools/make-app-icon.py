#!/usr/bin/env python3
"""Draws the program's icon in the style of its own skin and writes it as a Windows icon file.

A calendar page on the dark title colour: a red band with two binding rings, a light sheet and a
grid of days with two duty days marked in the accent red. The shapes and the palette are those
of the skin generator (tools/make-skin.py), so the icon matches the title bar it sits in.

  make-app-icon.py --out KVL2.ico

Sizes 16, 24, 32 and 48, each 32-bit with an alpha channel (and the AND mask the format asks
for). Python's standard library only.
"""
import argparse
import importlib.util
import os
import struct
import sys

_here = os.path.dirname(os.path.abspath(__file__))
_spec = importlib.util.spec_from_file_location("make_skin", os.path.join(_here, "make-skin.py"))
skin = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(skin)

SIZES = (16, 24, 32, 48)


def draw(size):
    """The icon at one size, as a Tile of the skin generator."""
    pal = skin.PALETTE
    t = skin.Tile(size, size)
    s = size / 16.0  # drawn on a 16-unit grid, scaled
    # The sheet on a rounded plate of the title colour.
    t.shape(skin.sd_round_rect(0, 0, size, size, 3 * s), pal["title"])
    t.shape(skin.sd_round_rect(2 * s, 3 * s, 14 * s, 14 * s, 1.2 * s), pal["surface"])
    # The month's band and the binding rings above it.
    t.shape(skin.sd_round_rect(2 * s, 3 * s, 14 * s, 6 * s, 1.2 * s), pal["accent"])
    t.shape(skin.sd_round_rect(2 * s, 4.5 * s, 14 * s, 6 * s, 0), pal["accent"])
    for cx in (5.5, 10.5):
        t.shape(skin.sd_segment(cx * s, 1.8 * s, cx * s, 4.2 * s, max(0.6, 0.7 * s)), pal["surface_alt"])
    # Days: three rows of four, two of them duty days.
    duty = {(1, 0), (2, 2)}
    cell = 2.5 * s
    for row in range(3):
        for col in range(4):
            x0 = 3 * s + col * cell + 0.35 * s
            y0 = 6.8 * s + row * cell + 0.35 * s
            colour = pal["accent"] if (col, row) in duty else pal["border_strong"]
            t.shape(skin.sd_round_rect(x0, y0, x0 + cell - 0.7 * s, y0 + cell - 0.7 * s, 0.3 * s), colour)
    return t


def icon_image(t):
    """One icon entry: a bottom-up 32-bit DIB of twice the height, then the AND mask."""
    w, h = t.w, t.h
    header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = bytearray()
    for y in range(h - 1, -1, -1):
        for x in range(w):
            rgb, a = t.rgba(x, y)
            r, g, b = rgb if rgb else (0, 0, 0)
            pixels += bytes((b, g, r, a))
    stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            if t.rgba(x, y)[1] == 0:
                row[x // 8] |= 0x80 >> (x % 8)
        mask += row
    return header + bytes(pixels) + bytes(mask)


def icon_file(sizes):
    images = [icon_image(draw(size)) for size in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main(argv):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", required=True)
    args = parser.parse_args(argv)
    skin.write_if_changed(args.out, icon_file(SIZES))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
