#!/usr/bin/env python3
"""Writes resources/BITMAP/TESTPATTERN.bmp: a 5 x 3, 8-bit palette bitmap that the
tests load by resource name. Rows are stored bottom-up with padded rows, so
loading it exercises the palette, the padding and the row order."""
import os
import struct

# Palette (R, G, B) and the picture as palette indices, top row first.
PALETTE = [(0, 0, 0), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255), (255, 0, 255)]
ROWS = [
    [1, 2, 3, 4, 0],  # red green blue white black
    [0, 4, 1, 2, 3],  # black white red green blue
    [5, 5, 0, 5, 5],  # magenta magenta black magenta magenta
]


def bmp_bytes():
    width, height = len(ROWS[0]), len(ROWS)
    stride = (width + 3) // 4 * 4
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    pixels = b"".join(bytes(row) + bytes(stride - width) for row in reversed(ROWS))
    offset = 14 + 40 + len(palette)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 8, 0, len(pixels), 2835, 2835, len(PALETTE), 0)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = os.path.join(root, "resources", "BITMAP", "TESTPATTERN.bmp")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(bmp_bytes())


if __name__ == "__main__":
    main()
