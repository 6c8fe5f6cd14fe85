#!/usr/bin/env python3
"""Draws Corvane's application icon (src/resources/corvane.ico).

A rounded glass tile with a top bar and a dock, at 16, 24, 32, 48 and 256
pixels, each stored as PNG inside the .ico. Run it again after changing the
drawing; the result is committed so that builds need no Python.
"""
import struct
import sys
import zlib


def inside_round_rect(x, y, x0, y0, x1, y1, r):
    if x < x0 or x > x1 or y < y0 or y > y1:
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def shade(u, v):
    """Colour of the unit-square point (u, v), or None where transparent."""
    if not inside_round_rect(u, v, 0.04, 0.04, 0.96, 0.96, 0.2):
        return None
    # Tile: a blue-violet gradient from top-left to bottom-right.
    t = (u + v) / 2
    r, g, b = 0x3A + (0x6A - 0x3A) * t, 0x4C + (0x2E - 0x4C) * t, 0xD8 + (0x9C - 0xD8) * t
    # Top bar: a light strip along the upper edge.
    if inside_round_rect(u, v, 0.14, 0.14, 0.86, 0.27, 0.06):
        return (0xF2, 0xF5, 0xFF, 255)
    # Dock: a pill with three icons.
    if inside_round_rect(u, v, 0.22, 0.68, 0.78, 0.84, 0.08):
        for cx in (0.34, 0.5, 0.66):
            if (u - cx) ** 2 + (v - 0.76) ** 2 <= 0.045 ** 2:
                return (0x60, 0xCD, 0xFF, 255)
        return (0xE6, 0xEA, 0xFF, 235)
    return (int(r), int(g), int(b), 255)


def render(size):
    ss = 4 if size >= 32 else 8
    rows = []
    for y in range(size):
        row = bytearray([0])
        for x in range(size):
            acc = [0, 0, 0, 0]
            for sy in range(ss):
                for sx in range(ss):
                    c = shade((x + (sx + 0.5) / ss) / size, (y + (sy + 0.5) / ss) / size)
                    if c:
                        a = c[3]
                        acc[0] += c[0] * a
                        acc[1] += c[1] * a
                        acc[2] += c[2] * a
                        acc[3] += a
            n = ss * ss
            alpha = acc[3] / n
            if acc[3]:
                row += bytes([int(acc[0] / acc[3]), int(acc[1] / acc[3]), int(acc[2] / acc[3]), int(alpha)])
            else:
                row += bytes([0, 0, 0, 0])
        rows.append(bytes(row))
    raw = b"".join(rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def main(out):
    sizes = [16, 24, 32, 48, 256]
    images = [render(s) for s in sizes]
    header = struct.pack("<HHH", 0, 1, len(sizes))
    offset = 6 + 16 * len(sizes)
    entries = b""
    for s, img in zip(sizes, images):
        entries += struct.pack("<BBBBHHII", s % 256, s % 256, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    with open(out, "wb") as f:
        f.write(header + entries + b"".join(images))


if __name__ == "__main__":
    main(sys.argv[1] if len(sys.argv) > 1 else "src/resources/corvane.ico")
