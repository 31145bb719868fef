#!/usr/bin/env python3
"""Draws the pointing-hand cursor of the about window's links in the colours of the old 16-colour
palette and writes it as link-cursor.png beside this script. Run it again after changing the
drawing; the PNG file is committed."""

import os
import struct
import zlib

PALETTE = {
    ".": None,  # transparent
    "k": (0x00, 0x00, 0x00),
    "w": (0xFF, 0xFF, 0xFF),
}


def write_png(path, rows):
    height = len(rows)
    width = len(rows[0])
    raw = bytearray()
    for row in rows:
        assert len(row) == width, (path, row)
        raw.append(0)  # no filter
        for cell in row:
            colour = PALETTE[cell]
            raw.extend((0, 0, 0, 0) if colour is None else (*colour, 255))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)  # 8-bit RGBA
    with open(path, "wb") as out:
        out.write(b"\x89PNG\r\n\x1a\n")
        out.write(chunk(b"IHDR", header))
        out.write(chunk(b"IDAT", zlib.compress(bytes(raw), 9)))
        out.write(chunk(b"IEND", b""))


# The pointing hand over the links; the finger's tip, just under its outline, is the hot spot
# (12, 1).
HAND = [
    "...........kkk",
    "..........kwwwk",
    "..........kwwwk",
    "..........kwwwk",
    "..........kwwwk",
    "..........kwwwkkk",
    "..........kwwwkwwkk",
    "..........kwwwkwwkwkk",
    "..........kwwwkwwkwwkkk",
    "......kkk.kwwwkwwkwwkwwk",
    "......kwwkkwwwwwwwwwkwwk",
    "......kwwwkwwwwwwwwwwwwk",
    ".......kwwwwwwwwwwwwwwwk",
    ".......kwwwwwwwwwwwwwwwk",
    "........kwwwwwwwwwwwwwwk",
    "........kwwwwwwwwwwwwwk",
    ".........kwwwwwwwwwwwwk",
    ".........kwwwwwwwwwwwk",
    "..........kwwwwwwwwwwk",
    "..........kwwwwwwwwwwk",
    "..........kkkkkkkkkkkk",
]


def hand_cursor():
    rows = [row.ljust(32, ".") for row in HAND]
    rows += ["." * 32] * (32 - len(rows))
    return rows


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    write_png(os.path.join(here, "link-cursor.png"), hand_cursor())


if __name__ == "__main__":
    main()
