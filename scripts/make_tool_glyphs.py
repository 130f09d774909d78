#!/usr/bin/env python3
"""Writes the main window's tool-button glyphs (schedule/main_window/glyphs/*.png): 16 x 16
pixels, the size the buttons show them at, as small indexed PNGs drawn from the maps below."""
import os
import struct
import sys
import zlib

# One character a pixel; "." is transparent.
PALETTE = {
    "k": (0x20, 0x20, 0x20),  # outline
    "g": (0x80, 0x80, 0x80),  # grey
    "l": (0xc8, 0xc8, 0xc8),  # light grey
    "w": (0xff, 0xff, 0xff),
    "r": (0xd0, 0x20, 0x20),
    "b": (0x30, 0x60, 0xc8),
    "c": (0xb8, 0xdc, 0xf8),  # glass
    "n": (0x20, 0x98, 0x20),  # green
    "y": (0xf8, 0xe0, 0x60),
    "o": (0xa0, 0x68, 0x30),  # wood, folded paper
}

GLYPHS = {
    # Program launcher: programs as tiles.
    "launcher": """
................
.kkkkkk..kkkkkk.
.krrrrk..kbbbbk.
.krrrrk..kbbbbk.
.krrrrk..kbbbbk.
.krrrrk..kbbbbk.
.kkkkkk..kkkkkk.
................
................
.kkkkkk..kkkkkk.
.knnnnk..kyyyyk.
.knnnnk..kyyyyk.
.knnnnk..kyyyyk.
.knnnnk..kyyyyk.
.kkkkkk..kkkkkk.
................
""",
    # The selected day's schedule, enlarged: one day's leaf.
    "day": """
................
..kkkkkkkkkkkk..
..krrrrrrrrrrk..
..krrrrrrrrrrk..
..kkkkkkkkkkkk..
..kwwwwwwwwwwk..
..kwggggggwwwk..
..kwwwwwwwwwwk..
..kwgggggggggk..
..kwwwwwwwwwwk..
..kwggggwwwwwk..
..kwwwwwwwwwwk..
..kwggggggggwk..
..kwwwwwwwwwwk..
..kkkkkkkkkkkk..
................
""",
    # Month view: a month's grid.
    "month": """
kkkkkkkkkkkkkkkk
krrrrrrrrrrrrrrk
krrrrrrrrrrrrrrk
kkkkkkkkkkkkkkkk
kwwgwwgwwgwwgwwk
kwwgwwgwwgwwgwwk
kggggggggggggggk
kwwgwwgbbgwwgwwk
kwwgwwgbbgwwgwwk
kggggggggggggggk
kwwgwwgwwgwwgwwk
kwwgwwgwwgwwgwwk
kggggggggggggggk
kwwgwwgwwgwwgwwk
kwwgwwgwwgwwgwwk
kkkkkkkkkkkkkkkk
""",
    # Year view: twelve small months.
    "year": """
.rrrr.rrrr.rrrr.
.gggg.gggg.gggg.
.gggg.gggg.gggg.
................
.rrrr.rrrr.rrrr.
.gggg.gggg.gggg.
.gggg.gggg.gggg.
................
.rrrr.rrrr.rrrr.
.gggg.gggg.gggg.
.gggg.gggg.gggg.
................
.rrrr.rrrr.rrrr.
.gggg.gggg.gggg.
.gggg.gggg.gggg.
................
""",
    # Phone book: a telephone.
    "phone": """
................
................
...kkkkkkkkkk...
.kkkkkkkkkkkkkk.
.kkkk......kkkk.
.kkk........kkk.
.....kk..kk.....
....kkkkkkkk....
...kkkkkkkkkk...
...kkkkwwkkkk...
..kkkkwkkwkkkk..
..kkkkwkkwkkkk..
..kkkkkwwkkkkk..
..kkkkkkkkkkkk..
..kkkkkkkkkkkk..
................
""",
    # Memo: a note with a turned-down corner.
    "memo": """
................
.kkkkkkkkkkkkkk.
.kyyyyyyyyyyyyk.
.kyggggggggggyk.
.kyyyyyyyyyyyyk.
.kygggggggggyyk.
.kyyyyyyyyyyyyk.
.kyggggggggggyk.
.kyyyyyyyyyyyyk.
.kyggggggyyyyyk.
.kyyyyyyyyyyyyk.
.kyyyyyyyyyyyyk.
.kyyyyyyyyykkkk.
.kyyyyyyyyykok..
.kyyyyyyyyykk...
.kkkkkkkkkkk....
""",
    # Settings, help and system information: a gear.
    "options": """
................
......kkkk......
..kk..kggk..kk..
.kggkkkggkkkggk.
.kggggggggggggk.
..kggggkkggggk..
.kkgggk..kgggkk.
kggggk....kggggk
kggggk....kggggk
.kkgggk..kgggkk.
..kggggkkggggk..
.kggggggggggggk.
.kggkkkggkkkggk.
..kk..kggk..kk..
......kkkk......
................
""",
    # To-do list: ticked boxes.
    "todo": """
.....n..........
....nn..........
.n.nn..gggggggg.
.nnn............
..n.............
................
.....n..........
....nn..........
.n.nn..gggggggg.
.nnn............
..n.............
................
.kkkk...........
.kwwk...........
.kwwk..gggggggg.
.kkkk...........
""",
    # The selected day's diary: a notebook and a pencil.
    "diary": """
................
.kkkkkkkkkk.....
.kbbbbbbbbk.....
.kbwwwwwwbk.....
.kbwggggwbk...k.
.kbwwwwwwbk..kyk
.kbbbbbbbbk.kyyk
.kbbbbbbbbkkyyk.
.kbbbbbbbbkyyk..
.kbbbbbbbkyyk...
.kbbbbbbbkyk....
.kbbbbbbbkkk....
.kbbbbbbbkk.....
.kbbbbbbbbk.....
.kkkkkkkkkk.....
................
""",
    # Search: a magnifying glass.
    "search": """
................
...kkkkkk.......
..kwwcccck......
.kwccccccck.....
.kwccccccck.....
.kcccccccck.....
.kcccccccck.....
.kcccccccck.....
..kcccccck......
...kkkkkkoo.....
.........ooo....
..........ooo...
...........ooo..
............ooo.
.............oo.
................
""",
    # Shows or hides the calendar.
    "calendar_toggle": """
................
................
................
................
................
.......kk.......
......kkkk......
.....kkkkkk.....
....kkkkkkkk....
...kkkkkkkkkk...
................
................
................
................
................
................
""",
}


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def png(rows):
    used = sorted({c for row in rows for c in row if c != "."})
    index = {c: i + 1 for i, c in enumerate(used)}  # 0 is transparent
    colours = [(0, 0, 0)] + [PALETTE[c] for c in used]
    depth = 4 if len(colours) <= 16 else 8
    raw = b""
    for row in rows:
        values = [index.get(c, 0) for c in row]
        if depth == 4:
            packed = bytes((values[i] << 4) | values[i + 1] for i in range(0, len(values), 2))
        else:
            packed = bytes(values)
        raw += b"\x00" + packed
    width, height = len(rows[0]), len(rows)
    return (b"\x89PNG\r\n\x1a\n" +
            chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, 3, 0, 0, 0)) +
            chunk(b"PLTE", b"".join(bytes(c) for c in colours)) +
            chunk(b"tRNS", b"\x00") +
            chunk(b"IDAT", zlib.compress(raw, 9)) +
            chunk(b"IEND", b""))


if __name__ == "__main__":
    out = sys.argv[1] if len(sys.argv) > 1 else "schedule/main_window/glyphs"
    os.makedirs(out, exist_ok=True)
    for name, text in GLYPHS.items():
        rows = text.strip("\n").split("\n")
        assert len(rows) == 16 and all(len(r) == 16 for r in rows), name
        with open(os.path.join(out, name + ".png"), "wb") as f:
            f.write(png(rows))
