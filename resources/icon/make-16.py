#!/usr/bin/env python3
"""Writes hicolor/16/peltra.png: the icon drawn for 16 pixels, pixel by pixel.

Scaled down, the calendar page of peltra.svg turns into blur at this size; this map keeps its parts
(binding rings, red head, white page with its border and shadow, the blue "3") on whole pixels.
Run it again after changing the map: it writes the same bytes every time.
"""
import pathlib
import struct
import zlib

COLOURS = {
    ".": (0, 0, 0, 0),  # transparent
    "D": (0x2D, 0x3A, 0x4D, 0xFF),  # binding ring
    "H": (0x8E, 0x1C, 0x26, 0xFF),  # hole under a ring
    "R": (0xD9, 0x32, 0x3F, 0xFF),  # red head of the page
    "W": (0xFF, 0xFF, 0xFF, 0xFF),  # page
    "B": (0xB9, 0xC0, 0xCC, 0xFF),  # page border
    "N": (0x1F, 0x4E, 0x9C, 0xFF),  # day number
    "S": (0x1B, 0x28, 0x38, 0x40),  # shadow, a quarter opaque as in the drawing
}

PIXELS = [
    "....D......D....",
    "..RRDRRRRRRDRR..",
    ".RRRDRRRRRRDRRR.",
    ".RRRHRRRRRRHRRRS",
    ".RRRRRRRRRRRRRRS",
    ".BWWWWWWWWWWWWBS",
    ".BWWWWNNNNWWWWBS",
    ".BWWWNWWWNNWWWBS",
    ".BWWWWWWWNNWWWBS",
    ".BWWWWWNNNWWWWBS",
    ".BWWWWWWWNNWWWBS",
    ".BWWWNWWWNNWWWBS",
    ".BWWWWNNNNWWWWBS",
    ".BWWWWWWWWWWWWBS",
    "..BBBBBBBBBBBB.S",
    "..SSSSSSSSSSSSS.",
]


def chunk(kind: bytes, data: bytes) -> bytes:
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png(rows: list[str]) -> bytes:
    assert len(rows) == 16 and all(len(row) == 16 for row in rows)
    raw = b"".join(b"\0" + bytes(value for pixel in row for value in COLOURS[pixel]) for row in rows)
    header = struct.pack(">IIBBBBB", 16, 16, 8, 6, 0, 0, 0)  # 8-bit RGBA
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


target = pathlib.Path(__file__).resolve().parent / "hicolor" / "16" / "peltra.png"
target.write_bytes(png(PIXELS))
print(target.relative_to(pathlib.Path.cwd()) if target.is_relative_to(pathlib.Path.cwd()) else target)
