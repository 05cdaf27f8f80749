#!/usr/bin/env python3
"""Draws the program icon and writes it as a Windows .ico file.

The mark is a white calculator on a rounded square in the header's blue, with a
display strip and a medical cross for its keys, so that it reads at 16 pixels.
Sizes up to 128 are stored as 32-bit bitmaps, 256 as a PNG, as Windows expects.
Usage: make_icon.py OUTPUT.ico
"""
import struct
import sys
import zlib

BLUE = (0, 108, 150)
DARK_BLUE = (0, 90, 128)
WHITE = (255, 255, 255)
SIZES = (16, 24, 32, 48, 64, 128, 256)
SAMPLES = 4  # per axis, for anti-aliased edges


def rounded_rect(x, y, left, top, right, bottom, radius):
    if not (left <= x <= right and top <= y <= bottom):
        return False
    cx = min(max(x, left + radius), right - radius)
    cy = min(max(y, top + radius), bottom - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def colour_at(x, y):
    """Colour and alpha of the design at (x, y) in the unit square, or None."""
    if not rounded_rect(x, y, 0.02, 0.02, 0.98, 0.98, 0.2):
        return None
    body = rounded_rect(x, y, 0.2, 0.1, 0.8, 0.9, 0.08)
    if not body:
        return BLUE
    display = 0.3 <= x <= 0.7 and 0.2 <= y <= 0.37
    cross = (0.44 <= x <= 0.56 and 0.47 <= y <= 0.81) or (0.33 <= x <= 0.67 and 0.58 <= y <= 0.7)
    return DARK_BLUE if display or cross else WHITE


def render(size):
    """Rows of RGBA pixels, top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    c = colour_at((px + (sx + 0.5) / SAMPLES) / size, (py + (sy + 0.5) / SAMPLES) / size)
                    if c:
                        r, g, b, a = r + c[0], g + c[1], b + c[2], a + 1
            n = SAMPLES * SAMPLES
            row.append((r // a, g // a, b // a, 255 * a // n) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def png(rows):
    size = len(rows)
    raw = b"".join(b"\0" + bytes(v for p in row for v in p) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def bitmap(rows):
    size = len(rows)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((p[2], p[1], p[0], p[3])) for row in reversed(rows) for p in row)
    mask_row = ((size + 31) // 32) * 4
    return header + pixels + b"\0" * (mask_row * size)


def main():
    images = []
    for size in SIZES:
        rows = render(size)
        images.append((size, png(rows) if size >= 256 else bitmap(rows)))
    offset = 6 + 16 * len(images)
    out = struct.pack("<HHH", 0, 1, len(images))
    for size, data in images:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(data for _, data in images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
