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


def open_file_pixel(x, y):
    # An open folder on the button face: the open-file picture of the file dialog.
    face = (212, 208, 200)
    edge = (90, 70, 20)
    if 2 <= y <= 13 and 1 <= x <= 14:
        if y == 2 and 1 <= x <= 6 or y == 3 and x in (1, 7) or y == 13 or x == 1 and y >= 2 or x == 14 and y >= 4:
            return edge
        if y == 4 and 7 <= x <= 14:
            return edge
        if y == 7 and 4 <= x <= 15 or y > 7 and x == 15 - (13 - y) // 2 and x >= 14:
            return edge
        if y > 7 and 4 - (y - 7) // 2 <= x <= 14 - (y - 7) // 3:
            return (250, 220, 110)
        if 3 <= y <= 6 or y >= 7:
            return (230, 190, 70)
    return face


def write_bitmap_24(path, width, height, pixel):
    """A bottom-up 24-bit BMP, rows padded to four bytes."""
    stride = (width * 3 + 3) // 4 * 4
    rows = bytearray()
    for y in range(height - 1, -1, -1):
        row = bytearray()
        for x in range(width):
            r, g, b = pixel(x, y)
            row += bytes((b, g, r))
        rows += row + bytes(stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    header = struct.pack('<2sIHHI', b'BM', 14 + len(info) + len(rows), 0, 0, 14 + len(info))
    with open(path, 'wb') as f:
        f.write(header + info + rows)


if __name__ == '__main__':
    write_icon(os.path.join(HERE, 'velkor.ico'))
    write_bitmap_24(os.path.join(HERE, 'open_file.bmp'), 16, 16, open_file_pixel)
