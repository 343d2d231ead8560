#!/usr/bin/env python3
"""Writes the small BMP and ICO fixtures of the graphics tests (run from this folder).

Every BMP shows the same kind of content: pixel (x, y), y from the top, has a colour the test
can recompute (see the expected-colour functions in tests/framework/graphics/Bitmap_test.cpp).
"""
import struct

W, H = 5, 3  # an odd width exercises the row padding


def file_header(data_offset, total):
    return b"BM" + struct.pack("<IHHI", total, 0, 0, data_offset)


def info_header(w, h, bits, compression=0, clr_used=0, size_image=0, size=40):
    return struct.pack("<IiiHHIIiiII", size, w, h, 1, bits, compression, size_image, 0, 0, clr_used, 0)


def pad(row):
    return row + b"\0" * ((4 - len(row) % 4) % 4)


def write_bmp(name, header, table, bits):
    offset = 14 + len(header) + len(table)
    with open(name, "wb") as f:
        f.write(file_header(offset, offset + len(bits)) + header + table + bits)


def table_bytes(colors):
    return b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in colors)


def pack_indices(indices, bits):
    out = bytearray()
    if bits == 8:
        out = bytearray(indices)
    elif bits == 4:
        for i in range(0, len(indices), 2):
            hi = indices[i]
            lo = indices[i + 1] if i + 1 < len(indices) else 0
            out.append(hi << 4 | lo)
    else:
        for i in range(0, len(indices), 8):
            byte = 0
            for k in range(8):
                if i + k < len(indices) and indices[i + k]:
                    byte |= 0x80 >> k
            out.append(byte)
    return bytes(out)


def index_of(x, y, bits):
    if bits == 1:
        return (x + y) % 2
    if bits == 4:
        return (x + 2 * y) % 16
    return (x * 40 + y * 7) % 256


PALETTES = {
    1: [(10, 20, 30), (200, 100, 50)],
    4: [(i * 16, 255 - i * 16, i * 8) for i in range(16)],
    8: [(i, 255 - i, (i * 7) & 255) for i in range(256)],
}


def palette_bmp(bits):
    rows = b"".join(pad(pack_indices([index_of(x, y, bits) for x in range(W)], bits)) for y in reversed(range(H)))
    write_bmp(f"pal{bits}.bmp", info_header(W, H, bits), table_bytes(PALETTES[bits]), rows)


def rle8_bmp():
    data = bytearray()
    for y in reversed(range(H)):
        idx = [index_of(x, y, 8) for x in range(W)]
        if y == 0:
            data += bytes([0, 3] + idx[:3] + [0])  # absolute run of 3, padded to a word
            data += bytes([2, idx[3]]) if idx[3] == idx[4] else bytes([1, idx[3], 1, idx[4]])
        else:
            for v in idx:
                data += bytes([1, v])
        data += bytes([0, 0])
    data += bytes([0, 1])
    write_bmp("rle8.bmp", info_header(W, H, 8, 1, 256, len(data)), table_bytes(PALETTES[8]), bytes(data))


def rle4_bmp():
    data = bytearray()
    for y in reversed(range(H)):
        idx = [index_of(x, y, 4) for x in range(W)]
        if y == 1:
            # absolute run of 5 nibbles in 3 bytes, padded to 4
            data += bytes([0, 5]) + pack_indices(idx, 4) + b"\0"
        else:
            for v in idx:
                data += bytes([1, v << 4])
        data += bytes([0, 0])
    data += bytes([0, 1])
    write_bmp("rle4.bmp", info_header(W, H, 4, 2, 16, len(data)), table_bytes(PALETTES[4]), bytes(data))


def rgb24(x, y):
    return (x * 50, y * 80, 7)


def topdown24_bmp():
    rows = b"".join(pad(b"".join(struct.pack("<BBB", *reversed(rgb24(x, y))) for x in range(W))) for y in range(H))
    write_bmp("topdown24.bmp", info_header(W, -H, 24), b"", rows)


def core24_bmp():
    header = struct.pack("<IHHHH", 12, W, H, 1, 24)
    rows = b"".join(pad(b"".join(struct.pack("<BBB", *reversed(rgb24(x, y))) for x in range(W))) for y in reversed(range(H)))
    write_bmp("core24.bmp", header, b"", rows)


def rgb565(x, y):
    return ((x % 2) * 255, (y % 2) * 255, ((x + y) % 3 == 0) * 255)


def bitfields565_bmp():
    def enc(c):
        r, g, b = c
        return (r >> 3) << 11 | (g >> 2) << 5 | (b >> 3)
    rows = b"".join(pad(b"".join(struct.pack("<H", enc(rgb565(x, y))) for x in range(W))) for y in reversed(range(H)))
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F)
    write_bmp("bitfields565.bmp", info_header(W, H, 16, 3), masks, rows)


def rgba(x, y):
    return (x * 60, 255 - y * 100, 30, 40 * x + 20 * y)


def v5_32_bmp():
    # BITMAPV5HEADER with masks in an unusual order: A in the low byte, then B, G, R.
    header = info_header(W, H, 32, 3, 0, 0, size=124)
    header += struct.pack("<IIII", 0xFF000000, 0x00FF0000, 0x0000FF00, 0x000000FF)
    header += b"\0" * (124 - len(header))
    rows = b"".join(
        b"".join(struct.pack("<BBBB", a, b, g, r) for (r, g, b, a) in (rgba(x, y) for x in range(W)))
        for y in reversed(range(H)))
    write_bmp("v5_32.bmp", header, b"", rows)


def icon_image(size, color):
    r, g, b = color
    xor = b""
    for y in reversed(range(size)):
        for x in range(size):
            alpha = 0 if (x < 2 and y < 2) else 255  # top-left corner is see-through
            xor += struct.pack("<BBBB", b, g, r, alpha)
    mask_stride = ((size + 31) // 32) * 4
    and_rows = b""
    for y in reversed(range(size)):
        row = bytearray(mask_stride)
        for x in range(size):
            if x < 2 and y < 2:
                row[x // 8] |= 0x80 >> (x % 8)
        and_rows += bytes(row)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 32, 0, len(xor) + len(and_rows), 0, 0, 0, 0)
    return header + xor + and_rows


def two_sizes_ico():
    images = [(16, icon_image(16, (255, 0, 0))), (32, icon_image(32, (0, 0, 255)))]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in images:
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open("twosizes.ico", "wb") as f:
        f.write(out)


if __name__ == "__main__":
    for bits in (1, 4, 8):
        palette_bmp(bits)
    rle8_bmp()
    rle4_bmp()
    topdown24_bmp()
    core24_bmp()
    bitfields565_bmp()
    v5_32_bmp()
    two_sizes_ico()
