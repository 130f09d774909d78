#!/usr/bin/env python3
"""Writes data/files/shiro.bmp: the blank white picture new bitmap memos start from (24-bit,
sized to fill a new sticky note inside its one-pixel frame)."""
import struct
import sys

WIDTH, HEIGHT = 313, 122


def blank_bmp(width, height):
    row = (width * 3 + 3) & ~3
    pixels = (b"\xff" * (width * 3) + b"\x00" * (row - width * 3)) * height
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 3780, 3780, 0, 0)
    return header + info + pixels


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "data/files/shiro.bmp"
    with open(out, "wb") as f:
        f.write(blank_bmp(WIDTH, HEIGHT))
