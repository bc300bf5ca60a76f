#!/usr/bin/env python3
"""Draws Parko's artwork: the program icon (16 and 32 pixels) and the 100 x 56 logo bitmap.

Run from the repository root: python3 assets/make_art.py. The results are committed under
src/res/, so a build needs no Python; run this again only to change the artwork.
"""
import struct

NAVY = (24, 52, 110)
BLUE = (40, 96, 190)
GREEN = (40, 170, 70)
WHITE = (255, 255, 255)

# 5 x 7 glyphs for the logo's lettering.
GLYPHS = {
    "P": ["1111.", "1...1", "1...1", "1111.", "1....", "1....", "1...."],
    "A": [".111.", "1...1", "1...1", "11111", "1...1", "1...1", "1...1"],
    "R": ["1111.", "1...1", "1...1", "1111.", "1.1..", "1..1.", "1...1"],
    "K": ["1...1", "1..1.", "1.1..", "11...", "1.1..", "1..1.", "1...1"],
    "O": [".111.", "1...1", "1...1", "1...1", "1...1", "1...1", ".111."],
    "V": ["1...1", "1...1", "1...1", "1...1", "1...1", ".1.1.", "..1.."],
    ".": [".....", ".....", ".....", ".....", ".....", ".....", "..1.."],
    "9": [".111.", "1...1", "1...1", ".1111", "....1", "...1.", ".11.."],
    "2": [".111.", "1...1", "....1", "...1.", "..1..", ".1...", "11111"],
    " ": [".....", ".....", ".....", ".....", ".....", ".....", "....."],
}


def canvas(w, h, colour):
    return [[colour for _ in range(w)] for _ in range(h)]


def text(img, x, y, s, scale, colour):
    for ch in s:
        for row, bits in enumerate(GLYPHS[ch]):
            for col, bit in enumerate(bits):
                if bit == "1":
                    for dy in range(scale):
                        for dx in range(scale):
                            img[y + row * scale + dy][x + col * scale + dx] = colour
        x += 6 * scale


def hold_symbol(size):
    """A disc with two white bars: the data call is paused, not lost."""
    img = [[None] * size for _ in range(size)]
    c = (size - 1) / 2
    r = size / 2 - 0.5
    for y in range(size):
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= r:
                img[y][x] = NAVY if d > r - max(1, size // 16) else BLUE
    bar_w = max(2, size // 6)
    bar_h = size // 2
    top = (size - bar_h) // 2
    for left in (size // 2 - bar_w - max(1, size // 12), size // 2 + max(1, size // 12)):
        for y in range(top, top + bar_h):
            for x in range(left, left + bar_w):
                img[y][x] = WHITE
    # A green dot at the lower right: still online.
    g = max(2, size // 5)
    for y in range(size - g, size):
        for x in range(size - g, size):
            img[y][x] = GREEN
    return img


def icon_image(img):
    size = len(img)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b""
    for row in reversed(img):
        for p in row:
            pixels += bytes((p[2], p[1], p[0], 255)) if p else b"\0\0\0\0"
    mask_stride = ((size + 31) // 32) * 4
    mask = b""
    for row in reversed(img):
        line = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p is None:
                line[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(line)
    return header + pixels + mask


def write_ico(path, sizes):
    images = [icon_image(hold_symbol(s)) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", s, s, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


def write_bmp(path, img):
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    pixels = b""
    for row in reversed(img):
        line = b"".join(bytes((p[2], p[1], p[0])) for p in row)
        pixels += line + b"\0" * (stride - len(line))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    with open(path, "wb") as f:
        f.write(head + info + pixels)


def logo():
    img = canvas(100, 56, WHITE)
    for y in range(0, 8):
        for x in range(100):
            img[y][x] = NAVY
    for y in range(48, 56):
        for x in range(100):
            img[y][x] = BLUE
    sym = hold_symbol(28)
    for y in range(28):
        for x in range(28):
            if sym[y][x]:
                img[14 + y][4 + x] = sym[y][x]
    text(img, 36, 14, "PARKO", 2, NAVY)
    text(img, 38, 36, "V.92", 1, GREEN)
    return img


if __name__ == "__main__":
    write_ico("src/res/parko.ico", [16, 32])
    write_bmp("src/res/logo.bmp", logo())
