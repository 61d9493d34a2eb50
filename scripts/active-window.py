#!/usr/bin/python3
"""Prints where the active window is in a screenshot of Wine's virtual
desktop, as ImageMagick geometry (WxH+X+Y), frame and caption bar included.

  active-window.py SHOT.png

Only the active window's caption bar has the active caption colour, and its
top row is that colour from one side to the other (the caption's buttons sit
a little lower), so the longest run of that colour in a row is the caption's
top. The frame goes round it; the window ends at the first row below that is
the frame's outer dark line from edge to edge.
"""
import subprocess
import sys

ACTIVE_CAPTION = (0x32, 0x96, 0xFA)  # Wine's default COLOR_ACTIVECAPTION
FRAME = 3  # a fixed frame (SM_CXFIXEDFRAME) between the caption and the edge
TASKBAR = 40  # the rows at the bottom that the task bar may take


def load(path):
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    _, size, _, pixels = data.split(b"\n", 3)
    width, height = map(int, size.split())
    return width, height, pixels


def main():
    width, height, px = load(sys.argv[1])
    caption = bytes(ACTIVE_CAPTION)

    def pixel(x, y):
        i = (y * width + x) * 3
        return px[i:i + 3]

    best = (0, 0, 0)  # run length, row, first column
    for y in range(height - TASKBAR):
        row = px[y * width * 3:(y + 1) * width * 3]
        x = 0
        while x < width:
            if row[x * 3:x * 3 + 3] != caption:
                x += 1
                continue
            start = x
            while x < width and row[x * 3:x * 3 + 3] == caption:
                x += 1
            if x - start > best[0]:
                best = (x - start, y, start)
    length, top, first = best
    if length < 50:
        sys.exit(f"active-window: no caption bar in {sys.argv[1]}")
    left, right, top = first - FRAME, first + length - 1 + FRAME, top - FRAME
    dark = pixel(right, top + FRAME + 2)
    for bottom in range(top + 2 * FRAME, height):
        if all(pixel(x, bottom) == dark for x in range(left, right + 1)):
            print(f"{right - left + 1}x{bottom - top + 1}+{left}+{top}")
            return
    sys.exit(f"active-window: the window's bottom edge is not in {sys.argv[1]}")


main()
