#!/usr/bin/env python3
"""Writes resources/traykeys0.ico ... traykeys7.ico: the tray pictures of the
lock keys, one per combination (bit 1 Caps Lock, 2 Num Lock, 4 Scroll Lock).
Each holds 16, 20 and 24 pixels (96, 120 and 144 DPI), drawn pixel by pixel
so that every size stays sharp, in 16 colours to keep the program small.
Caps Lock "A" top left, Num Lock "1" top right, Scroll Lock's arrow bottom
left, as on a keyboard's lamps; a padlock bottom right. A key that is on is a
green tile, one that is off a dark one. The icons are committed; rerun after
changing a picture here.

    scripts/gen-tray-icons.py [FOLDER]    (default: resources/ beside this)
"""
import os
import struct
import sys

# Palette: index 0 is transparent (its mask bit is set).
PALETTE = [
    (0, 0, 0),        # 0 transparent
    (0x2E, 0xCC, 0x40),  # 1 tile on
    (0x14, 0x70, 0x24),  # 2 (unused)
    (0x10, 0x1A, 0x24),  # 3 letter on
    (0x3A, 0x46, 0x54),  # 4 tile off
    (0x22, 0x2A, 0x33),  # 5 (unused)
    (0x9A, 0xA6, 0xB4),  # 6 letter off
    (0x5E, 0x70, 0x84),  # 7 padlock
    (0xC8, 0xD2, 0xDC),  # 8 padlock's keyhole
]

# Glyphs per size: rows of '#' and '.'.
GLYPHS = {
    16: {
        'A': ["..#..", ".#.#.", "#...#", "#####", "#...#"],
        '1': ["..#..", ".##..", "..#..", "..#..", ".###."],
        'v': ["..#..", "..#..", "#####", ".###.", "..#.."],
    },
    20: {
        'A': [".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"],
        '1': ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
        'v': ["..#..", "..#..", "..#..", "#####", ".###.", "..#..", "....."],
    },
    24: {
        'A': ["..###..", ".##.##.", "##...##", "##...##", "#######", "##...##", "##...##"],
        '1': ["...##..", "..###..", ".####..", "...##..", "...##..", "...##..", ".######"],
        'v': ["..###..", "..###..", "..###..", "#######", ".#####.", "..###..", "...#..."],
    },
}

PADLOCKS = {
    16: ["..###..", ".#...#.", ".#...#.", "#######", "###.###", "###.###", "#######"],
    20: ["..#####..", ".##...##.", ".#.....#.", ".#.....#.", "#########", "####.####", "####.####",
         "#########", "#########"],
    24: ["...#####...", "..##...##..", ".##.....##.", ".#.......#.", ".#.......#.", "###########",
         "#####.#####", "#####.#####", "#####.#####", "###########", "###########"],
}


def tile(size):
    # Tile side; the gap between tiles is 2 pixels.
    return (size - 2) // 2


def draw(size, keys):
    t = tile(size)
    px = [[0] * size for _ in range(size)]
    origins = [(0, 0), (t + 2, 0), (0, t + 2)]
    for bit, glyph, (ox, oy) in zip((1, 2, 4), "A1v", origins):
        on = bool(keys & bit)
        fill, letter = (1, 3) if on else (4, 6)
        for y in range(t):
            for x in range(t):
                if t > 7 and x in (0, t - 1) and y in (0, t - 1):
                    continue  # rounded
                px[oy + y][ox + x] = fill
        rows = GLYPHS[size][glyph]
        gx = ox + (t - len(rows[0])) // 2
        gy = oy + (t - len(rows)) // 2
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                if c == '#':
                    px[gy + y][gx + x] = letter
    lock = PADLOCKS[size]
    lx = t + 2 + (t - len(lock[0])) // 2
    ly = t + 2 + (t - len(lock)) // 2
    for y, row in enumerate(lock):
        for x, c in enumerate(row):
            if c == '#':
                px[ly + y][lx + x] = 7
            elif c == '.' and y >= len(lock) // 2:
                px[ly + y][lx + x] = 8  # the keyhole inside the body
    return px


def dib(px):
    size = len(px)
    xor_row = (size * 4 + 31) // 32 * 4
    and_row = (size + 31) // 32 * 4
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, (xor_row + and_row) * size, 0, 0, 16, 0)
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE + [(0, 0, 0)] * (16 - len(PALETTE)))
    xor = bytearray()
    mask = bytearray()
    for row in reversed(px):  # bottom-up
        line = bytearray(xor_row)
        bits = bytearray(and_row)
        for x, c in enumerate(row):
            line[x // 2] |= c << (4 if x % 2 == 0 else 0)
            if c == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += line
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def ico(keys):
    images = [dib(draw(size, keys)) for size in sorted(GLYPHS)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sorted(GLYPHS), images):
        out += struct.pack("<BBBBHHII", size, size, 16, 0, 1, 4, len(image), offset)
        offset += len(image)
    return out + b"".join(images)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "resources")
    for keys in range(8):
        with open(os.path.join(folder, "traykeys%d.ico" % keys), "wb") as f:
            f.write(ico(keys))


if __name__ == "__main__":
    main()
