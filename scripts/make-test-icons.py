#!/usr/bin/env python3
"""Writes the icon files of the icon loader's Windows tests.

tests/win/fixtures/dock/large.ico: a 32-pixel image that fills its canvas,
then a 256-pixel image whose visible part is a 100 x 100 square at (78, 78):
an opaque amber core inside a 2-pixel white ring at half opacity, so that a
straight-alpha result is told apart from a premultiplied one. Both as PNG.

tests/win/fixtures/dock/small.ico: one 16 x 16 image (classic DIB with mask).

Run it again after changing a drawing; the files are committed so that
builds need no Python.
"""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "tests", "win", "fixtures", "dock")


def png(size, pixel):
    """PNG bytes of a size x size RGBA image; pixel(x, y) gives (r, g, b, a)."""
    raw = bytearray()
    for y in range(size):
        raw.append(0)
        for x in range(size):
            raw += bytes(pixel(x, y))

    def chunk(kind, data):
        crc = zlib.crc32(kind + data) & 0xFFFFFFFF
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", crc)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) + chunk(b"IEND", b""))


def dib(size, pixel):
    """A 32-bit icon image as BITMAPINFOHEADER, bottom-up BGRA and an empty mask."""
    mask_row = ((size + 31) // 32) * 4
    colour = bytearray()
    for y in reversed(range(size)):
        for x in range(size):
            r, g, b, a = pixel(x, y)
            colour += bytes((b, g, r, a))
    mask = bytes(mask_row * size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + bytes(colour) + mask


def ico(images):
    """images: list of (size, bytes)."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    body = b""
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        body += data
    return out + body


def full_tile(x, y):
    return (0x30, 0x60, 0xF0, 255)


def small_content(x, y):
    """The 256 image: transparent except the 100 x 100 square at (78, 78)."""
    lo, hi = 78, 177
    if not (lo <= x <= hi and lo <= y <= hi):
        return (0, 0, 0, 0)
    if min(x - lo, hi - x, y - lo, hi - y) < 2:
        return (255, 255, 255, 128)
    return (255, 200, 40, 255)


def tiny(x, y):
    if 2 <= x <= 13 and 2 <= y <= 13:
        return (220, 40, 40, 255)
    return (0, 0, 0, 0)


def main():
    os.makedirs(OUT, exist_ok=True)
    with open(os.path.join(OUT, "large.ico"), "wb") as f:
        f.write(ico([(32, png(32, full_tile)), (256, png(256, small_content))]))
    with open(os.path.join(OUT, "small.ico"), "wb") as f:
        f.write(ico([(16, dib(16, tiny))]))


if __name__ == "__main__":
    sys.exit(main())
