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



WHITE = (255, 255, 255)  # the toolbars' transparent colour
INK = (20, 20, 20)
BLUE = (30, 60, 200)
RED = (210, 30, 30)
GREEN = (0, 150, 40)
GREY = (128, 128, 128)
YELLOW = (255, 255, 0)


class Strip:
    """A strip of equal cells, white where nothing is drawn."""

    def __init__(self, cell_width, height, cells, background=WHITE):
        self.cw, self.h, self.n = cell_width, height, cells
        self.px = [[background] * (cell_width * cells) for _ in range(height)]
        self.cell = 0

    def at(self, cell):
        self.cell = cell
        return self

    def set(self, x, y, colour):
        if 0 <= x < self.cw and 0 <= y < self.h:
            self.px[y][self.cell * self.cw + x] = colour

    def line(self, x0, y0, x1, y1, colour):
        steps = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(steps + 1):
            self.set(round(x0 + (x1 - x0) * i / steps), round(y0 + (y1 - y0) * i / steps), colour)

    def rect(self, x0, y0, x1, y1, colour, fill=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                if edge or fill:
                    self.set(x, y, colour if edge else fill)

    def triangle(self, points, colour):
        """Filled triangle by testing each pixel centre."""
        (ax, ay), (bx, by), (cx, cy) = points
        def side(px, py, x0, y0, x1, y1):
            return (px - x1) * (y0 - y1) - (x0 - x1) * (py - y1)
        for y in range(self.h):
            for x in range(self.cw):
                d1, d2, d3 = side(x, y, ax, ay, bx, by), side(x, y, bx, by, cx, cy), side(x, y, cx, cy, ax, ay)
                if not ((d1 < 0 or d2 < 0 or d3 < 0) and (d1 > 0 or d2 > 0 or d3 > 0)):
                    self.set(x, y, colour)

    def wave(self, x0, x1, mid, amplitude, colour, turns=1.5):
        import math
        last = None
        for x in range(x0, x1 + 1):
            y = mid - int(round(amplitude * math.sin((x - x0) / max(x1 - x0, 1) * 2 * math.pi * turns)))
            if last is not None:
                self.line(x - 1, last, x, y, colour)
            last = y

    def pixel(self, x, y):
        return self.px[y][x]

    def write(self, path):
        write_bitmap_24(path, self.cw * self.n, self.h, self.pixel)


def magnifier(s, cx, cy, plus):
    for x in range(cx - 4, cx + 5):
        for y in range(cy - 4, cy + 5):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if 12 <= d <= 20:
                s.set(x, y, INK)
    s.line(cx + 3, cy + 3, cx + 6, cy + 6, INK)
    s.line(cx + 4, cy + 3, cx + 7, cy + 6, INK)
    s.line(cx - 2, cy, cx + 2, cy, BLUE)
    if plus:
        s.line(cx, cy - 2, cx, cy + 2, BLUE)


def page_strip():  # 130: enlarge, reduce; their shortening forms
    s = Strip(20, 15, 4)
    magnifier(s.at(0), 8, 6, True)
    magnifier(s.at(1), 8, 6, False)
    s.at(2).triangle(((5, 2), (5, 12), (14, 7)), RED)
    s.line(16, 2, 16, 12, RED)
    s.at(3).rect(4, 3, 14, 11, RED, fill=YELLOW)
    s.line(6, 7, 9, 10, INK)
    s.line(9, 10, 13, 4, INK)
    return s


def gain_strip():  # 131: gain down, gain up
    s = Strip(10, 15, 2)
    s.at(0).triangle(((1, 5), (8, 5), (4.5, 11)), BLUE)
    s.at(1).triangle(((1, 10), (8, 10), (4.5, 4)), BLUE)
    return s


def band_picture(s, low, on):
    # A small spectrum: the edited side solid, the other dotted; a frame when band editing is on.
    for x in range(3, 27):
        top = 3 + (x - 3) // 3
        edited = (x < 15) == low
        for y in range(top, 13):
            if edited or (x + y) % 3 == 0:
                s.set(x, y, BLUE if edited else GREY)
    s.line(15, 2, 15, 13, RED)
    if on:
        s.rect(1, 1, 28, 13, INK)


def modes_strip():  # 132: 1031 and 1032 in their states
    s = Strip(30, 15, 6)
    band_picture(s.at(0), False, False)
    band_picture(s.at(2), True, False)
    band_picture(s.at(3), False, True)
    band_picture(s.at(4), True, True)
    for cell, letter in ((1, 'M'), (5, 'A')):  # shortening: manual, automatic
        s.at(cell)
        s.wave(2, 20, 7, 4, GREEN)
        s.line(11, 1, 11, 13, RED)
        if letter == 'M':
            s.line(22, 11, 22, 3, INK); s.line(22, 3, 25, 8, INK); s.line(25, 8, 28, 3, INK); s.line(28, 3, 28, 11, INK)
        else:
            s.line(22, 11, 25, 3, INK); s.line(25, 3, 28, 11, INK); s.line(23, 8, 27, 8, INK)
    return s


def shift_strip():  # 133: left, home, right
    s = Strip(10, 15, 3)
    s.at(0).triangle(((7, 3), (7, 11), (2, 7)), INK)
    s.at(1).rect(3, 5, 6, 8, BLUE, fill=BLUE)
    s.at(2).triangle(((2, 3), (2, 11), (7, 7)), INK)
    return s


def confirm_strip():  # 134: confirm, restore
    s = Strip(20, 15, 2)
    s.at(0)
    for d in range(2):
        s.line(5, 7 + d, 8, 10 + d, GREEN)
        s.line(8, 10 + d, 15, 3 + d, GREEN)
    s.at(1)
    for x in range(4, 16):
        for y in range(1, 14):
            d = (x - 10) ** 2 + (y - 7) ** 2
            if 16 <= d <= 26 and not (x > 10 and y < 7):
                s.set(x, y, BLUE)
    s.triangle(((12, 1), (12, 6), (16, 3)), BLUE)
    return s


def play_strip():  # 135: page and from-frame, for one channel, both at 50 % and both at 100 %
    s = Strip(20, 15, 6)
    for pair in range(3):
        s.at(2 * pair).triangle(((4, 2), (4, 12), (12, 7)), GREEN)
        s.at(2 * pair + 1).triangle(((7, 2), (7, 12), (14, 7)), GREEN)
        s.line(4, 2, 4, 12, INK)
        for cell in (2 * pair, 2 * pair + 1):
            s.at(cell)
            if pair >= 1:  # both channels: two dots; 100 %: filled
                for y in (3, 10):
                    s.rect(16, y, 18, y + 2, INK, fill=INK if pair == 2 else WHITE)
    return s


def tools_strip():  # 136: 1001-1011, two spare cells, 1012, 1015, a spare
    s = Strip(16, 15, 16)
    s.at(0).triangle(((2, 7), (7, 2), (7, 12)), BLUE); s.rect(7, 5, 13, 9, BLUE, fill=BLUE)  # step back
    s.at(1).triangle(((13, 7), (8, 2), (8, 12)), BLUE); s.rect(2, 5, 8, 9, BLUE, fill=BLUE)  # step forward
    s.at(2).triangle(((2, 7), (13, 7), (7.5, 1)), INK); s.rect(6, 7, 9, 13, INK, fill=INK)  # raise
    s.at(3).triangle(((2, 7), (13, 7), (7.5, 13)), INK); s.rect(6, 1, 9, 7, INK, fill=INK)  # lower
    for cell, (y0, y1, fixed_left) in {4: (2, 12, False), 5: (12, 2, False), 6: (12, 2, True), 7: (2, 12, True)}.items():
        s.at(cell)
        s.line(1, 12, 14, 12, GREY)
        s.line(2, y0, 13, y1, INK)
        s.line(2, y0 + (1 if y0 < y1 else -1), 13, y1 + (1 if y0 < y1 else -1), INK)
        x = 2 if fixed_left else 13
        s.rect(x - 1, (y0 if fixed_left else y1) - 1, x + 1, (y0 if fixed_left else y1) + 1, RED, fill=RED)
    s.at(8).wave(1, 14, 7, 6, GREEN, 1)
    s.line(7, 1, 7, 13, RED)  # amplify
    s.at(9).wave(1, 14, 7, 2, GREEN, 1)
    s.line(1, 7, 14, 7, GREY)  # attenuate
    s.at(10).wave(1, 14, 7, 4, GREEN, 1)  # low-pass
    s.line(1, 13, 8, 13, BLUE); s.line(8, 13, 14, 4, BLUE)
    s.at(13).rect(3, 1, 12, 13, INK, fill=(250, 240, 200))  # insert from the source
    s.wave(4, 11, 7, 3, GREEN, 1)
    s.at(14)
    for x in (3, 7, 11):
        s.rect(x, 6, x + 1, 7, INK, fill=INK)
    return s


def automatic_strip():  # 137: the automatic dialog's toolbar
    s = Strip(20, 15, 6)
    s.at(0).triangle(((5, 2), (5, 12), (14, 7)), GREEN)
    s.at(1)
    for d in range(2):
        s.line(4, 7 + d, 8, 11 + d, GREEN); s.line(8, 11 + d, 15, 3 + d, GREEN)
    s.at(2).line(4, 3, 15, 12, RED); s.line(4, 12, 15, 3, RED)
    s.at(3).triangle(((4, 2), (4, 12), (12, 7)), BLUE)
    s.at(4).triangle(((7, 2), (7, 12), (14, 7)), BLUE); s.line(4, 2, 4, 12, INK)
    s.at(5).rect(5, 3, 8, 11, RED, fill=RED); s.rect(11, 3, 14, 11, RED, fill=RED)  # running: stop
    return s


def spectrum_strip():  # 138: zoom out, zoom in, relative to the maximum
    s = Strip(15, 15, 3, background=(212, 208, 200))
    s.at(0).line(3, 7, 11, 7, INK)
    s.at(1).line(3, 7, 11, 7, INK); s.line(7, 3, 7, 11, INK)
    s.at(2).line(2, 2, 12, 2, RED)
    for x in range(2, 13, 2):
        s.line(x, 12, x, 4 + (x * 7) % 8, BLUE)
    return s


def shortening_button_strip():  # 139: 75 x 21, cells 0-4
    s = Strip(75, 21, 5, background=(212, 208, 200))
    for cell in range(5):
        s.at(cell)
        s.rect(0, 0, 74, 20, INK)
        live = cell != 4
        halves = {0: (False, True, False), 1: (True, True, False), 2: (False, True, True), 3: (True, True, True)}
        enlarge, attenuate, repeating = halves.get(cell, (False, False, False))
        s.rect(2, 2, 36, 18, INK, fill=YELLOW if enlarge and live else (200, 200, 200))
        s.rect(38, 2, 72, 18, INK, fill=(RED if repeating else YELLOW) if attenuate and live else (200, 200, 200))
        s.triangle(((14, 5), (14, 15), (24, 10)), INK if enlarge else GREY)
        s.wave(42, 68, 10, 5 if not repeating else 2, INK if attenuate else GREY, 1.5)
    return s


def ruler(width=1280, height=12):  # 140: under the rebar, down to the waveform's top line
    s = Strip(width, height, 1, background=(212, 208, 200))
    for x in range(width):
        tall = height - 2 if x % 80 == 0 else (6 if x % 40 == 0 else (3 if x % 8 == 0 else 0))
        for y in range(tall):
            s.set(x, y, (90, 90, 90))
    s.line(0, height - 1, width - 1, height - 1, (90, 90, 90))
    return s


def page_three_miniature(width=160, height=24):  # 141: display window 2's picture of page 3
    import math
    s = Strip(width, height, 1, background=(0, 0, 0))
    mid = height // 2
    for x in range(width):
        a = 3 + 6 * abs(math.sin(x / 23.0)) * (0.6 + 0.4 * math.sin(x / 7.0))
        for y in range(mid - int(a), mid + int(a) + 1):
            s.set(x, y, (0, 160, 0))
        s.set(x, mid, (0, 0, 255))
    return s


def write_strips():
    for name, strip in (('page_buttons.bmp', page_strip()), ('gain_buttons.bmp', gain_strip()),
                        ('mode_buttons.bmp', modes_strip()), ('shift_buttons.bmp', shift_strip()),
                        ('confirm_buttons.bmp', confirm_strip()), ('play_buttons.bmp', play_strip()),
                        ('tool_buttons.bmp', tools_strip()), ('automatic_buttons.bmp', automatic_strip()),
                        ('spectrum_buttons.bmp', spectrum_strip()),
                        ('shortening_button.bmp', shortening_button_strip()), ('ruler.bmp', ruler()),
                        ('page_three.bmp', page_three_miniature())):
        strip.write(os.path.join(HERE, name))


if __name__ == '__main__':
    write_icon(os.path.join(HERE, 'velkor.ico'))
    write_bitmap_24(os.path.join(HERE, 'open_file.bmp'), 16, 16, open_file_pixel)
    write_strips()
