#!/usr/bin/env python3
"""Draws Trelvix's pictures: the Resource bitmaps, the application icon and the form images.

    make-resources.py OUT                      everything into OUT
    make-resources.py --resource-dir R --generated-dir G
                                               Resource bitmaps into R, icon and form images into G
    make-resources.py --list resource|generated
                                               print the file names of one group, one per line

Every picture is drawn from code, so the output is byte-for-byte the same on every run.
Glyphs are 24-bit bottom-up BMPs on the button face colour RGB(240,240,240); their
bottom-left pixel is always that colour, so a masked image list (or a transparent blit
keyed on that pixel) shows them without a frame. Standard library only.
"""

import argparse
import math
import os
import struct
import sys

FACE = (240, 240, 240)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
DARK = (64, 64, 64)
GREY = (128, 128, 128)
LIGHT = (200, 200, 200)
RED = (208, 32, 32)
DARKRED = (128, 16, 16)
GREEN = (32, 176, 48)
DARKGREEN = (16, 96, 24)
BLUE = (40, 96, 200)
DARKBLUE = (20, 48, 120)
SKY = (120, 180, 240)
YELLOW = (248, 208, 48)
ORANGE = (240, 140, 32)
BROWN = (150, 100, 40)
STEEL = (150, 160, 175)

SUPERSAMPLE = 4


class Canvas:
    """An RGB picture drawn with anti-aliased shapes (supersampled, then averaged).

    Shapes take coordinates in output pixels; (0, 0) is the top-left corner of the
    top-left pixel, so a pixel's centre is at (x + 0.5, y + 0.5).
    """

    def __init__(self, width, height, background=FACE):
        self.width = width
        self.height = height
        s = SUPERSAMPLE
        self.px = [[background] * (width * s) for _ in range(height * s)]

    def paint(self, colour, inside, box=None):
        s = SUPERSAMPLE
        x0, y0, x1, y1 = box if box else (0, 0, self.width, self.height)
        sx0 = max(0, int(math.floor(x0 * s)))
        sy0 = max(0, int(math.floor(y0 * s)))
        sx1 = min(self.width * s, int(math.ceil(x1 * s)))
        sy1 = min(self.height * s, int(math.ceil(y1 * s)))
        for sy in range(sy0, sy1):
            y = (sy + 0.5) / s
            row = self.px[sy]
            for sx in range(sx0, sx1):
                if inside((sx + 0.5) / s, y):
                    row[sx] = colour

    # -- shapes ---------------------------------------------------------------

    def rect(self, colour, x0, y0, x1, y1):
        self.paint(colour, lambda x, y: x0 <= x < x1 and y0 <= y < y1, (x0, y0, x1, y1))

    def round_rect(self, colour, x0, y0, x1, y1, r):
        def inside(x, y):
            if not (x0 <= x < x1 and y0 <= y < y1):
                return False
            cx = min(max(x, x0 + r), x1 - r)
            cy = min(max(y, y0 + r), y1 - r)
            return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

        self.paint(colour, inside, (x0, y0, x1, y1))

    def circle(self, colour, cx, cy, r):
        self.paint(colour, lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r,
                   (cx - r, cy - r, cx + r, cy + r))

    def ring(self, colour, cx, cy, r_out, r_in, start_deg=None, end_deg=None):
        """A ring, or an arc of it from start_deg to end_deg (degrees, clockwise from 12 o'clock)."""

        def inside(x, y):
            d2 = (x - cx) ** 2 + (y - cy) ** 2
            if not (r_in * r_in <= d2 <= r_out * r_out):
                return False
            if start_deg is None:
                return True
            a = math.degrees(math.atan2(x - cx, cy - y)) % 360
            lo, hi = start_deg % 360, end_deg % 360
            return lo <= a <= hi if lo <= hi else (a >= lo or a <= hi)

        self.paint(colour, inside, (cx - r_out, cy - r_out, cx + r_out, cy + r_out))

    def line(self, colour, xa, ya, xb, yb, width):
        half = width / 2.0
        dx, dy = xb - xa, yb - ya
        length2 = dx * dx + dy * dy or 1e-9

        def inside(x, y):
            t = min(1.0, max(0.0, ((x - xa) * dx + (y - ya) * dy) / length2))
            px, py = xa + t * dx, ya + t * dy
            return (x - px) ** 2 + (y - py) ** 2 <= half * half

        box = (min(xa, xb) - half, min(ya, yb) - half, max(xa, xb) + half, max(ya, yb) + half)
        self.paint(colour, inside, box)

    def polygon(self, colour, points):
        n = len(points)

        def inside(x, y):
            result = False
            j = n - 1
            for i in range(n):
                xi, yi = points[i]
                xj, yj = points[j]
                if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    result = not result
                j = i
            return result

        xs = [p[0] for p in points]
        ys = [p[1] for p in points]
        self.paint(colour, inside, (min(xs), min(ys), max(xs), max(ys)))

    # -- output ---------------------------------------------------------------

    def pixels(self):
        """The picture as rows of (r, g, b), top row first."""
        s = SUPERSAMPLE
        n = s * s
        out = []
        for y in range(self.height):
            rows = self.px[y * s:(y + 1) * s]
            line = []
            for x in range(self.width):
                r = g = b = 0
                for row in rows:
                    for c in row[x * s:(x + 1) * s]:
                        r += c[0]
                        g += c[1]
                        b += c[2]
                line.append(((r + n // 2) // n, (g + n // 2) // n, (b + n // 2) // n))
            out.append(line)
        return out


def bmp_bytes(canvas):
    """A 24-bit bottom-up BMP with BITMAPINFOHEADER."""
    rows = canvas.pixels()
    stride = (canvas.width * 3 + 3) & ~3
    pad = b"\0" * (stride - canvas.width * 3)
    data = bytearray()
    for row in reversed(rows):
        for r, g, b in row:
            data += bytes((b, g, r))
        data += pad
    header_size = 14 + 40
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(data), 0, 0, header_size)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    return file_header + info + bytes(data)


def bmp8_bytes(canvas):
    """An 8-bit (256-colour) bottom-up BMP: the 256 most frequent colours make the palette and
    every other colour takes its nearest entry."""
    rows = canvas.pixels()
    counts = {}
    for row in rows:
        for colour in row:
            counts[colour] = counts.get(colour, 0) + 1
    palette = sorted(counts, key=lambda c: (-counts[c], c))[:256]
    index = {c: i for i, c in enumerate(palette)}

    def nearest(colour):
        if colour not in index:
            index[colour] = min(range(len(palette)), key=lambda i: sum(
                (a - b) ** 2 for a, b in zip(palette[i], colour)))
        return index[colour]

    stride = (canvas.width + 3) & ~3
    pad = b"\0" * (stride - canvas.width)
    data = bytearray()
    for row in reversed(rows):
        data += bytes(nearest(c) for c in row)
        data += pad
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    colours += b"\0" * (4 * (256 - len(palette)))
    header_size = 14 + 40 + 256 * 4
    file_header = struct.pack("<2sIHHI", b"BM", header_size + len(data), 0, 0, header_size)
    info = struct.pack("<IiiHHIIiiII", 40, canvas.width, canvas.height, 1, 8, 0, len(data),
                       2835, 2835, 256, 0)
    return file_header + info + colours + bytes(data)


def ico_bytes(canvases, transparent=FACE):
    """An icon with one 32-bit image per canvas; pixels of the transparent colour are see-through."""
    images = []
    for c in canvases:
        rows = c.pixels()
        xor = bytearray()
        mask_stride = ((c.width + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, (r, g, b) in enumerate(row):
                clear = (r, g, b) == transparent
                xor += bytes((b, g, r, 0 if clear else 255))
                if clear:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        info = struct.pack("<IiiHHIIiiII", 40, c.width, c.height * 2, 1, 32, 0,
                           len(xor) + len(mask), 0, 0, 0, 0)
        images.append((c.width, c.height, info + bytes(xor) + bytes(mask)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for w, h, blob in images:
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for _, _, blob in images:
        out += blob
    return bytes(out)


# -- reusable drawings (size-independent: k scales a 24-unit design) ---------------------


def slash(c, k, colour=RED):
    c.line(colour, 3 * k, 21 * k, 21 * k, 3 * k, 3 * k)


def lamp(c, k, colour, rim):
    c.circle(DARK, 12 * k, 12 * k, 10 * k)
    c.circle(rim, 12 * k, 12 * k, 9 * k)
    c.circle(colour, 12 * k, 12 * k, 7.5 * k)
    c.circle(WHITE, 9 * k, 9 * k, 2.2 * k)


def pin(c, k, upright):
    if upright:
        c.line(GREY, 12 * k, 13 * k, 12 * k, 22 * k, 1.6 * k)
        c.round_rect(RED, 7 * k, 3 * k, 17 * k, 7 * k, 1.5 * k)
        c.rect(DARKRED, 9 * k, 7 * k, 15 * k, 12 * k)
        c.rect(RED, 6 * k, 11 * k, 18 * k, 14 * k)
    else:
        c.line(GREY, 11 * k, 13 * k, 3 * k, 21 * k, 1.6 * k)
        c.polygon(RED, [(13 * k, 2 * k), (22 * k, 11 * k), (19 * k, 14 * k), (10 * k, 5 * k)])
        c.polygon(DARKRED, [(11 * k, 8 * k), (16 * k, 13 * k), (13 * k, 16 * k), (8 * k, 11 * k)])
        c.polygon(RED, [(8 * k, 8 * k), (16 * k, 16 * k), (14 * k, 18 * k), (6 * k, 10 * k)])


def clock(c, k, cx=12, cy=12, r=10):
    c.circle(DARK, cx * k, cy * k, r * k)
    c.circle(WHITE, cx * k, cy * k, (r - 1.5) * k)
    for hour in range(12):
        a = math.radians(hour * 30)
        inner = r - (3.2 if hour % 3 == 0 else 2.6)
        c.line(DARK, (cx + inner * math.sin(a)) * k, (cy - inner * math.cos(a)) * k,
               (cx + (r - 2) * math.sin(a)) * k, (cy - (r - 2) * math.cos(a)) * k, 0.9 * k)
    c.line(BLACK, cx * k, cy * k, cx * k, (cy - r * 0.55) * k, 1.6 * k)
    c.line(BLACK, cx * k, cy * k, (cx + r * 0.45) * k, (cy + r * 0.2) * k, 1.6 * k)
    c.circle(RED, cx * k, cy * k, 1.2 * k)


def power(c, k, colour):
    c.ring(colour, 12 * k, 13 * k, 9 * k, 6.5 * k, 35, 325)
    c.line(colour, 12 * k, 3 * k, 12 * k, 12 * k, 2.6 * k)


def play(c, k, colour):
    c.polygon(colour, [(7 * k, 4 * k), (20 * k, 12 * k), (7 * k, 20 * k)])


def drive(c, k, x0=2, y0=7, x1=22, y1=18):
    c.round_rect(DARK, x0 * k, y0 * k, x1 * k, y1 * k, 2 * k)
    c.round_rect(STEEL, (x0 + 1) * k, (y0 + 1) * k, (x1 - 1) * k, (y1 - 1) * k, 1.5 * k)
    c.rect(DARK, (x0 + 3) * k, (y1 - 4) * k, (x1 - 7) * k, (y1 - 3) * k)
    c.circle(GREEN, (x1 - 4) * k, (y1 - 3.5) * k, 1.3 * k)


def gauge(c, k, cx, cy, r, fill_deg):
    c.circle(DARK, cx * k, cy * k, r * k)
    c.circle(WHITE, cx * k, cy * k, (r - 1) * k)
    c.ring(GREEN, cx * k, cy * k, (r - 1.5) * k, (r * 0.55) * k, 240, 240 + fill_deg * 0.6)
    c.ring(ORANGE, cx * k, cy * k, (r - 1.5) * k, (r * 0.55) * k, 240 + fill_deg * 0.6,
           240 + fill_deg)
    a = math.radians(240 + fill_deg)
    c.line(BLACK, cx * k, cy * k, (cx + (r - 2) * math.sin(a)) * k,
           (cy - (r - 2) * math.cos(a)) * k, 1.3 * k)
    c.circle(BLACK, cx * k, cy * k, 1.2 * k)


def folder(c, k, colour=YELLOW):
    c.polygon(BROWN, [(2 * k, 5 * k), (9 * k, 5 * k), (11 * k, 7 * k), (22 * k, 7 * k),
                      (22 * k, 20 * k), (2 * k, 20 * k)])
    c.polygon(colour, [(3 * k, 9 * k), (21 * k, 9 * k), (21 * k, 19 * k), (3 * k, 19 * k)])


def trash(c, k):
    c.rect(DARK, 5 * k, 4 * k, 19 * k, 7 * k)
    c.rect(DARK, 9 * k, 2 * k, 15 * k, 4 * k)
    c.polygon(DARK, [(6 * k, 7 * k), (18 * k, 7 * k), (17 * k, 22 * k), (7 * k, 22 * k)])
    c.polygon(LIGHT, [(7.5 * k, 8 * k), (16.5 * k, 8 * k), (15.7 * k, 21 * k), (8.3 * k, 21 * k)])
    for x in (10, 12, 14):
        c.line(GREY, x * k, 10 * k, x * k, 19 * k, 1 * k)


def cross(c, k, colour=RED):
    c.line(colour, 5 * k, 5 * k, 19 * k, 19 * k, 3.2 * k)
    c.line(colour, 19 * k, 5 * k, 5 * k, 19 * k, 3.2 * k)


def arrow(c, k, right):
    pts = [(3, 12), (12, 4), (12, 9), (21, 9), (21, 15), (12, 15), (12, 20)]
    if right:
        pts = [(24 - x, y) for x, y in pts]
    c.polygon(DARKGREEN, [(x * k, y * k) for x, y in pts])
    inner = [(5, 12), (11, 6.5), (11, 10), (20, 10), (20, 14), (11, 14), (11, 17.5)]
    if right:
        inner = [(24 - x, y) for x, y in inner]
    c.polygon(GREEN, [(x * k, y * k) for x, y in inner])


def gear(c, k, colour=GREY):
    for i in range(8):
        a = math.radians(i * 45)
        c.line(colour, 12 * k, 12 * k, (12 + 10 * math.sin(a)) * k, (12 - 10 * math.cos(a)) * k,
               3.4 * k)
    c.circle(colour, 12 * k, 12 * k, 7.5 * k)
    c.circle(FACE, 12 * k, 12 * k, 3 * k)


def monitor(c, k):
    c.round_rect(DARK, 2 * k, 3 * k, 22 * k, 17 * k, 1.5 * k)
    c.rect(BLUE, 4 * k, 5 * k, 20 * k, 15 * k)
    c.rect(SKY, 4 * k, 5 * k, 20 * k, 8 * k)
    c.rect(DARK, 10 * k, 17 * k, 14 * k, 20 * k)
    c.rect(DARK, 6 * k, 20 * k, 18 * k, 22 * k)


def window(c, k):
    c.rect(DARKBLUE, 2 * k, 3 * k, 22 * k, 21 * k)
    c.rect(BLUE, 3 * k, 4 * k, 21 * k, 7 * k)
    c.rect(WHITE, 3 * k, 7 * k, 21 * k, 20 * k)


# -- the pictures ---------------------------------------------------------------------------


def glyph(draw, size=24):
    c = Canvas(size, size)
    draw(c, size / 24.0)
    return c


def about_scene(width, height, sky, ground, fill_deg):
    """The About dialog's picture: a disk under a gauge of its free space. It is laid out for
    the 76 x 81 pixels the dialog shows; a larger canvas only adds sky and ground."""
    c = Canvas(width, height, sky)
    c.rect(ground, 0, 58, width, height)
    drive(c, 3, 2, 16.5, 23.5, 24)
    gauge(c, 2, 19, 13.5, 10.5, fill_deg)
    return c


def resource_pictures():

    return {
        "On.bmp": glyph(lambda c, k: lamp(c, k, GREEN, DARKGREEN)),
        "Off.bmp": glyph(lambda c, k: lamp(c, k, RED, DARKRED)),
        "StayOnTop.bmp": glyph(lambda c, k: pin(c, k, True)),
        "StayOnBack.bmp": glyph(lambda c, k: pin(c, k, False)),
        "AutoRun.bmp": glyph(lambda c, k: play(c, k, GREEN)),
        "NoAutoRun.bmp": glyph(lambda c, k: (play(c, k, GREY), slash(c, k))),
        "Clock.bmp": glyph(lambda c, k: clock(c, k)),
        "NoClock.bmp": glyph(lambda c, k: (clock(c, k), slash(c, k))),
        "ShutDown.bmp": glyph(lambda c, k: power(c, k, RED)),
        "NotShutDown.bmp": glyph(lambda c, k: (power(c, k, GREY), slash(c, k, DARKRED))),
        # The dialog fades from the first into the second; they differ in size on purpose,
        # the effect works on the part both have.
        "about0.bmp": about_scene(80, 90, DARKBLUE, DARK, 30),
        "about1.bmp": about_scene(76, 81, SKY, DARKGREEN, 230),
    }


def icon_pictures():
    def app_icon(c, k):
        drive(c, k, 1, 9, 23, 21)
        gauge(c, k, 12, 8, 7, 210)

    return {"trelvix.ico": [glyph(app_icon, 32), glyph(app_icon, 16)]}


def about_picture():
    """The About dialog's own picture, shown once the fade is over: 76 x 79, 256 colours."""
    c = about_scene(76, 79, SKY, DARKGREEN, 240)
    for x, y in ((9, 9), (66, 12), (12, 44)):
        c.line(WHITE, x - 4, y, x + 4, y, 1.4)
        c.line(WHITE, x, y - 4, x, y + 4, 1.4)
    return c


def form_pictures():
    def stopwatch(c, k):
        c.rect(DARK, 10 * k, 1 * k, 14 * k, 4 * k)
        c.line(DARK, 19 * k, 5 * k, 21 * k, 7 * k, 2 * k)
        clock(c, k, 12, 13.5, 9)

    def controlpanel(c, k):
        c.round_rect(DARK, 2 * k, 2 * k, 22 * k, 22 * k, 2 * k)
        c.round_rect(LIGHT, 3 * k, 3 * k, 21 * k, 21 * k, 1.5 * k)
        for i, x in enumerate((7, 12, 17)):
            c.line(DARK, x * k, 5 * k, x * k, 19 * k, 1.2 * k)
            y = (8, 15, 11)[i]
            c.rect((BLUE, RED, GREEN)[i], (x - 2.5) * k, (y - 1.5) * k, (x + 2.5) * k, (y + 1.5) * k)

    def admintools(c, k):
        c.line(STEEL, 5 * k, 19 * k, 15 * k, 9 * k, 3.4 * k)
        c.ring(STEEL, 16.5 * k, 7.5 * k, 5.5 * k, 2.5 * k)
        c.polygon(FACE, [(17 * k, 7 * k), (23 * k, 1 * k), (24 * k, 6 * k)])
        c.line(BROWN, 4 * k, 20 * k, 8 * k, 16 * k, 3.6 * k)

    def iexplore(c, k):
        c.circle(BLUE, 12 * k, 12 * k, 10 * k)
        c.circle(SKY, 12 * k, 12 * k, 8.5 * k)
        c.polygon(GREEN, [(6 * k, 7 * k), (11 * k, 6 * k), (12 * k, 11 * k), (8 * k, 15 * k),
                          (5 * k, 12 * k)])
        c.polygon(GREEN, [(14 * k, 13 * k), (19 * k, 12 * k), (17 * k, 19 * k), (14 * k, 18 * k)])
        c.ring(DARKBLUE, 12 * k, 12 * k, 10 * k, 9 * k)

    def quicklaunch(c, k):
        c.polygon(ORANGE, [(14 * k, 1 * k), (5 * k, 14 * k), (11 * k, 14 * k), (8 * k, 23 * k),
                           (19 * k, 9 * k), (13 * k, 9 * k)])
        c.polygon(YELLOW, [(13 * k, 4 * k), (7 * k, 13 * k), (12 * k, 13 * k), (10 * k, 19 * k),
                           (17 * k, 10 * k), (12 * k, 10 * k)])

    def freetemp(c, k):
        trash(c, k)
        c.circle(GREEN, 18 * k, 18 * k, 5 * k)
        c.line(WHITE, 15.5 * k, 18 * k, 17.5 * k, 20 * k, 1.4 * k)
        c.line(WHITE, 17.5 * k, 20 * k, 20.5 * k, 16 * k, 1.4 * k)

    def autostart(c, k):
        window(c, k)
        c.polygon(GREEN, [(9 * k, 9 * k), (17 * k, 13.5 * k), (9 * k, 18 * k)])

    def browse(c, k):
        folder(c, k)
        for x in (8, 12, 16):
            c.circle(DARK, x * k, 15 * k, 1.4 * k)

    def explorer(c, k):
        folder(c, k)
        c.rect(WHITE, 5 * k, 7 * k, 19 * k, 9 * k)

    def disks(c, k):
        drive(c, k, 2, 4, 22, 12)
        drive(c, k, 2, 13, 22, 21)

    def deleteall(c, k):
        trash(c, k)
        c.line(RED, 13 * k, 13 * k, 22 * k, 22 * k, 2.6 * k)
        c.line(RED, 22 * k, 13 * k, 13 * k, 22 * k, 2.6 * k)

    def options(c, k):
        gear(c, k)

    def close(c, k):
        c.line(DARKGREEN, 4 * k, 13 * k, 10 * k, 19 * k, 4 * k)
        c.line(DARKGREEN, 10 * k, 19 * k, 20 * k, 5 * k, 4 * k)
        c.line(GREEN, 4 * k, 13 * k, 10 * k, 19 * k, 2.2 * k)
        c.line(GREEN, 10 * k, 19 * k, 20 * k, 5 * k, 2.2 * k)

    return {
        "options.bmp": glyph(options),
        "deleteall.bmp": glyph(deleteall),
        "back.bmp": glyph(lambda c, k: arrow(c, k, False)),
        "forward.bmp": glyph(lambda c, k: arrow(c, k, True)),
        "explorer.bmp": glyph(explorer),
        "iexplore.bmp": glyph(iexplore),
        "controlpanel.bmp": glyph(controlpanel),
        "admintools.bmp": glyph(admintools),
        "disks.bmp": glyph(disks),
        "quicklaunch.bmp": glyph(quicklaunch),
        "freetemp.bmp": glyph(freetemp),
        "shutdown_page.bmp": glyph(lambda c, k: power(c, k, RED)),
        "stopwatch.bmp": glyph(stopwatch),
        "system.bmp": glyph(monitor),
        "autostart.bmp": glyph(autostart),
        "delete.bmp": glyph(lambda c, k: cross(c, k)),
        "browse.bmp": glyph(browse),
        "close.bmp": glyph(close),
    }


RESOURCE_NAMES = ["On.bmp", "Off.bmp", "StayOnTop.bmp", "StayOnBack.bmp", "AutoRun.bmp",
                  "NoAutoRun.bmp", "Clock.bmp", "NoClock.bmp", "ShutDown.bmp", "NotShutDown.bmp",
                  "about0.bmp", "about1.bmp"]
GENERATED_NAMES = ["trelvix.ico", "options.bmp", "deleteall.bmp", "back.bmp", "forward.bmp",
                   "explorer.bmp", "iexplore.bmp", "controlpanel.bmp", "admintools.bmp",
                   "disks.bmp", "quicklaunch.bmp", "freetemp.bmp", "shutdown_page.bmp",
                   "stopwatch.bmp", "system.bmp", "autostart.bmp", "delete.bmp", "browse.bmp",
                   "close.bmp", "about.bmp"]


def write_if_changed(path, data):
    """Leaves an unchanged file alone, so its time stamp does not trigger a relink."""
    try:
        with open(path, "rb") as f:
            if f.read() == data:
                return
    except OSError:
        pass
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main(argv):
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("out", nargs="?", help="folder for every file")
    p.add_argument("--resource-dir", help="folder for the Resource bitmaps")
    p.add_argument("--generated-dir", help="folder for the icon and the form images")
    p.add_argument("--list", choices=["resource", "generated"], help="print one group's names")
    a = p.parse_args(argv)

    if a.list:
        print("\n".join(RESOURCE_NAMES if a.list == "resource" else GENERATED_NAMES))
        return 0
    resource_dir = a.resource_dir or a.out
    generated_dir = a.generated_dir or a.out
    if not resource_dir and not generated_dir:
        p.error("give an output folder")

    if resource_dir:
        os.makedirs(resource_dir, exist_ok=True)
        pictures = resource_pictures()
        assert sorted(pictures) == sorted(RESOURCE_NAMES)
        for name in RESOURCE_NAMES:
            write_if_changed(os.path.join(resource_dir, name), bmp_bytes(pictures[name]))
    if generated_dir:
        os.makedirs(generated_dir, exist_ok=True)
        files = {name: ico_bytes(c) for name, c in icon_pictures().items()}
        files.update({name: bmp_bytes(c) for name, c in form_pictures().items()})
        files["about.bmp"] = bmp8_bytes(about_picture())
        assert sorted(files) == sorted(GENERATED_NAMES)
        for name in GENERATED_NAMES:
            write_if_changed(os.path.join(generated_dir, name), files[name])
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
