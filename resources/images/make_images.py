#!/usr/bin/env python3
"""Draws the program's icon and button strips. Run by hand; the outputs are committed."""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


def bmp_rows_32(width, height, pixel):
    """Bottom-up BGRA rows for an icon image."""
    out = bytearray()
    for y in range(height - 1, -1, -1):
        for x in range(width):
            r, g, b, a = pixel(x, y)
            out += bytes((b, g, r, a))
    return bytes(out)


def icon_pixel(x, y):
    # A dark square with a green waveform and one red click.
    import math
    if x < 1 or y < 1 or x > 30 or y > 30:
        return (0, 0, 0, 0)
    wave = 16 - int(round(7 * math.sin(x / 30 * 2 * math.pi * 2)))
    if 14 <= x <= 16 and 4 <= y <= 28:
        return (255, 40, 40, 255)
    if abs(y - wave) <= 1:
        return (0, 230, 0, 255)
    return (20, 20, 40, 255)


def write_icon(path):
    w = h = 32
    pixels = bmp_rows_32(w, h, icon_pixel)
    mask = bytes(((w + 31) // 32) * 4 * h)
    header = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0)
    image = header + pixels + mask
    ico = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', w, h, 0, 0, 1, 32, len(image), 6 + 16)
    with open(path, 'wb') as f:
        f.write(ico + image)


if __name__ == '__main__':
    write_icon(os.path.join(HERE, 'velkor.ico'))
