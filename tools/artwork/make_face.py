#!/usr/bin/env python3
"""Draw the terminal face bitmaps, the About bitmap and the program icon.

    python3 tools/artwork/make_face.py              # write resources, check
    python3 tools/artwork/make_face.py --check      # verify committed files
    python3 tools/artwork/make_face.py --preview D  # also write previews to D

Standard library only.  The outputs are committed, so building the program
never needs this script or any drawing tool.
"""
import argparse
import math
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import bmpio  # noqa: E402
import pixfont  # noqa: E402

ROOT = os.path.normpath(os.path.join(HERE, '..', '..'))
BITMAP_DIR = os.path.join(ROOT, 'resources', 'bitmaps')
ICON_PATH = os.path.join(ROOT, 'resources', 'torvik.ico')
DESIGN_ICON_PATH = os.path.join(ROOT, 'resources', 'design.ico')
PHONE_ICON_PATH = os.path.join(ROOT, 'resources', 'phone.ico')
ABOUT_PATH = os.path.join(BITMAP_DIR, 'about_1041.bmp')

W, H = 200, 459

# ---------------------------------------------------------------- colours
OUTSIDE = (192, 192, 192)      # around the body; the window is rectangular
LCD = (174, 188, 160)          # LCD glass; patches 549/551 must equal it
LCD_INK = (0, 0, 0)            # the program draws LCD text in black
HILITE_BAR = (40, 48, 40)      # behind a highlighted line (white text)
CURSOR = (70, 80, 66)          # dark enough to see, black text stays legible

SHELL = (36, 38, 42)
FACE_TOP = (68, 71, 78)
FACE_BOT = (50, 52, 58)
RIM_LIGHT = (112, 117, 126)
RIM_DARK = (22, 23, 26)
BEZEL = (26, 27, 30)
PLATE = (33, 35, 39)
SCAN_YELLOW = (244, 196, 38)

# ------------------------------------------------------------ geometry
LCD_TEXT_RECT = (38, 35, 167, 120)     # right/bottom exclusive
GLASS = (29, 27, 174, 128)             # right/bottom exclusive
BEZEL_RECT = (16, 12, 184, 146)
PLATE_RECT = (35, 189, 165, 433)
SCAN_KEY = (76, 199, 124, 233)         # right/bottom exclusive

# Key table: code -> image position, image size, hit range (inclusive x0, x1,
# y0, y1) and the drawn cap (inclusive x0, y0, x1, y1, kept inside the image).
KEYS = {}


def _key(code, pos, size, hit, cap, style, label):
    KEYS[code] = dict(code=code, pos=pos, size=size, hit=hit, cap=cap,
                      style=style, label=label)


_DIGIT_LABELS = [('1', 'SP'), ('2', 'ABC'), ('3', 'DEF'),
                 ('4', 'GHI'), ('5', 'JKL'), ('6', 'MNO'),
                 ('7', 'PQRS'), ('8', 'TUV'), ('9', 'WXYZ'),
                 ('-', '+$'), ('0', '/*'), ('.', '%#')]
ROW_HIT_Y = [(296, 317), (324, 344), (351, 371), (378, 398)]
COL_HIT_X = [(45, 78), (80, 119), (121, 154)]
# Caps: 2-pixel gaps between columns (the hit test has 1-pixel ones at x 79
# and 120); the middle column is wider, as its hit range is.
COL_CAP_X = [(45, 78), (81, 118), (121, 154)]
ROW_CAP_Y = [(296, 317), (323, 344), (350, 371), (377, 398)]

for _i in range(4):
    for _j in range(3):
        _c = 3 * _i + _j + 1
        _key(_c, (38 + 41 * _j, 295 + 27 * _i), (41, 23),
             COL_HIT_X[_j] + ROW_HIT_Y[_i],
             (COL_CAP_X[_j][0], ROW_CAP_Y[_i][0],
              COL_CAP_X[_j][1], ROW_CAP_Y[_i][1]),
             'digit', _DIGIT_LABELS[_c - 1])
_key(13, (38, 403), (41, 23), (49, 78, 404, 425), (49, 404, 78, 425),
     'func', 'ALPHA')
_key(14, (79, 403), (41, 23), (89, 110, 404, 425), (89, 404, 110, 425),
     'func', 'POWER')
_key(15, (120, 403), (41, 23), (121, 150, 404, 425), (121, 404, 150, 425),
     'func', 'FN')
_key(16, (43, 197), (28, 37), (43, 71, 197, 234), (43, 197, 70, 233),
     'enter', 'ENTER')
_key(17, (129, 197), (28, 37), (130, 156, 197, 234), (129, 197, 156, 233),
     'enter', 'ENTER')
_key(18, (47, 239), (34, 32), (49, 80, 240, 270), (49, 240, 80, 268),
     'nav', 'LEFT')
_key(19, (83, 241), (33, 24), (84, 115, 242, 265), (84, 242, 115, 264),
     'nav', 'UP')
_key(20, (118, 239), (34, 32), (119, 152, 240, 270), (119, 240, 150, 268),
     'nav', 'RIGHT')
_key(21, (47, 263), (34, 32), (48, 77, 268, 291), (48, 270, 78, 292),
     'esc', 'ESC')
_key(22, (83, 265), (33, 24), (84, 115, 266, 288), (84, 266, 115, 288),
     'nav', 'DOWN')
_key(23, (118, 263), (34, 32), (112, 151, 268, 291), (118, 270, 151, 292),
     'nav', 'BS')

# Painting order of the program: the 15 lower keys, then 16 to 23.
PAINT_ORDER = list(range(1, 24))

# Parts of hit ranges that lie outside their key's image and drawn cap: the
# BS range starts at x 112 while its image starts at x 118.  Where the Down
# key does not take them first (y 289..291) such clicks still mean BS.
KNOWN_HIT_OVERHANG = {23: (112, 117)}

SIZE_TABLE = {500: (200, 459)}
for _c in range(1, 16):
    SIZE_TABLE[500 + _c] = (41, 23)
SIZE_TABLE.update({516: (28, 37), 517: (28, 37), 518: (34, 32),
                   520: (34, 32), 521: (34, 32), 523: (34, 32),
                   519: (33, 24), 522: (33, 24)})
for _c in range(1, 24):
    SIZE_TABLE[523 + _c] = SIZE_TABLE[500 + _c]
SIZE_TABLE.update({547: (6, 10), 548: (116, 10), 549: (116, 12),
                   550: (7, 8), 551: (7, 8)})


def hit_test(x, y):
    """The face's hit test: first matching row wins; a digit row that
    matches in y but not in x is no key."""
    for code in (16, 17, 19, 22, 18, 20, 21, 23):
        x0, x1, y0, y1 = KEYS[code]['hit']
        if x0 <= x <= x1 and y0 <= y <= y1:
            return code
    for row, (y0, y1) in enumerate(ROW_HIT_Y):
        if y0 <= y <= y1:
            for col, (x0, x1) in enumerate(COL_HIT_X):
                if x0 <= x <= x1:
                    return 3 * row + col + 1
            return 0
    for code in (13, 14, 15):
        x0, x1, y0, y1 = KEYS[code]['hit']
        if x0 <= x <= x1 and y0 <= y <= y1:
            return code
    return 0


# ---------------------------------------------------------------- canvas
def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def scale(c, k):
    return tuple(min(255.0, v * k) for v in c)


class Canvas:
    """Pixels at k times the face's size, drawn in face coordinates: a
    shape is sampled at every pixel of the larger grid, a face pixel of a
    label or a line is a k x k block."""

    def __init__(self, w, h, fill, k=1):
        self.k = k
        self.w, self.h = w * k, h * k
        self.px = [[tuple(map(float, fill))] * self.w for _ in range(self.h)]

    def copy(self):
        c = Canvas.__new__(Canvas)
        c.k, c.w, c.h = self.k, self.w, self.h
        c.px = [row[:] for row in self.px]
        return c

    def put(self, x, y, col, a=1.0):
        k = self.k
        for yy in range(y * k, y * k + k):
            for xx in range(x * k, x * k + k):
                self._put(xx, yy, col, a)

    def _put(self, x, y, col, a):
        if 0 <= x < self.w and 0 <= y < self.h:
            if a >= 1.0:
                self.px[y][x] = tuple(map(float, col))
            elif a > 0:
                self.px[y][x] = mix(self.px[y][x], col, a)

    def fill(self, inside, colour, bbox=None, ss=4, exact=False):
        """Anti-aliased fill of the region inside(x, y) (continuous face
        coordinates, pixel centres at +0.5 / k).  colour is an RGB tuple or
        a function of (x, y)."""
        k = self.k
        x0, y0, x1, y1 = bbox or (0, 0, self.w // k, self.h // k)
        x0, y0 = max(0, int(math.floor(x0 * k))), max(0, int(math.floor(y0 * k)))
        x1, y1 = min(self.w, int(math.ceil(x1 * k))), min(self.h, int(math.ceil(y1 * k)))
        fn = colour if callable(colour) else None
        step = 1.0 / ss
        for py in range(y0, y1):
            row = self.px[py]
            for px in range(x0, x1):
                if not exact:
                    probe = [inside((px + 0.5) / k, (py + 0.5) / k),
                             inside((px + 0.02) / k, (py + 0.02) / k),
                             inside((px + 0.98) / k, (py + 0.02) / k),
                             inside((px + 0.02) / k, (py + 0.98) / k),
                             inside((px + 0.98) / k, (py + 0.98) / k)]
                    if all(probe):
                        c = fn((px + 0.5) / k, (py + 0.5) / k) if fn else colour
                        row[px] = tuple(map(float, c))
                        continue
                    if not any(probe):
                        continue
                acc = [0.0, 0.0, 0.0]
                n = 0
                for sy in range(ss):
                    yy = (py + (sy + 0.5) * step) / k
                    for sx in range(ss):
                        xx = (px + (sx + 0.5) * step) / k
                        if inside(xx, yy):
                            c = fn(xx, yy) if fn else colour
                            acc[0] += c[0]
                            acc[1] += c[1]
                            acc[2] += c[2]
                            n += 1
                if n:
                    a = n / float(ss * ss)
                    avg = (acc[0] / n, acc[1] / n, acc[2] / n)
                    row[px] = mix(row[px], avg, a)

    def text(self, x, y, s, font, col, spacing=1, bold=False, a=1.0):
        for dx, dy in pixfont.text_pixels(font, s, spacing, bold):
            self.put(x + dx, y + dy, col, a)

    def art(self, x, y, rows, col, a=1.0):
        for dy, row in enumerate(rows):
            for dx, p in enumerate(row):
                if p == '#':
                    self.put(x + dx, y + dy, col, a)

    def crop(self, x, y, w, h):
        k = self.k
        return [self.px[k * y + j][k * x:k * (x + w)] for j in range(k * h)]


def rrect(x0, y0, x1, y1, r):
    """Rounded rectangle [x0, x1) x [y0, y1) with corner radius r."""
    def inside(x, y):
        if x < x0 or x >= x1 or y < y0 or y >= y1:
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def triangle(p0, p1, p2):
    def edge(a, b, x, y):
        return (b[0] - a[0]) * (y - a[1]) - (b[1] - a[1]) * (x - a[0])

    def inside(x, y):
        d0 = edge(p0, p1, x, y)
        d1 = edge(p1, p2, x, y)
        d2 = edge(p2, p0, x, y)
        neg = d0 < 0 or d1 < 0 or d2 < 0
        pos = d0 > 0 or d1 > 0 or d2 > 0
        return not (neg and pos)
    return inside


def vgrad(top, bottom, y0, y1):
    def col(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return mix(top, bottom, t)
    return col


# ------------------------------------------------------------ the body
BODY_TOP, BODY_BOTTOM = 2.0, 457.0
BODY_CX = 100.0


def half_width(y):
    # A wide head for the display, narrowing to a grip round the keypad.
    if y < 168:
        return 96.0
    if y > 204:
        return 86.0
    t = (y - 168) / 36.0
    return 96.0 - 10.0 * t * t * (3 - 2 * t)


def body_inside(grow=0.0, rt=22.0, rb=30.0):
    top, bottom = BODY_TOP - grow, BODY_BOTTOM + grow
    rt, rb = rt + grow, rb + grow

    def inside(x, y):
        if y < top or y >= bottom:
            return False
        hw = half_width(y) + grow
        dx = abs(x - BODY_CX)
        if dx > hw:
            return False
        if y < top + rt and dx > hw - rt:
            return (dx - (hw - rt)) ** 2 + (y - top - rt) ** 2 <= rt * rt
        if y > bottom - rb and dx > hw - rb:
            return (dx - (hw - rb)) ** 2 + (y - bottom + rb) ** 2 <= rb * rb
        return True
    return inside


def bevelled(inside, base_fn, light, dark, width=1.5, strength=0.75):
    """Colour function: base with a lit top-left rim and a shaded
    bottom-right rim, as if lit from the upper left."""
    def col(x, y):
        c = base_fn(x, y)
        if not inside(x - width, y - width):
            return mix(c, light, strength)
        if not inside(x + width, y + width):
            return mix(c, dark, strength)
        if not inside(x - 2 * width, y - 2 * width):
            return mix(c, light, strength * 0.3)
        return c
    return col


def draw_base(cv):
    """Everything that is not a key: shell, front face, display, keypad
    plate, scan key, brand."""
    shell = body_inside(0.0)
    cv.fill(shell, bevelled(shell, vgrad((46, 48, 53), (30, 31, 35), 0, H),
                            (86, 90, 98), (12, 12, 14), 1.2, 0.8))
    face = body_inside(-4.0)
    cv.fill(face, bevelled(face, vgrad(FACE_TOP, FACE_BOT, 0, H),
                           RIM_LIGHT, RIM_DARK, 1.2, 0.7))

    # Scanner exit window on the top edge.
    win = rrect(66, 3, 134, 8, 2)
    cv.fill(win, vgrad((150, 30, 34), (70, 10, 14), 3, 8), (66, 3, 134, 8))
    cv.fill(rrect(70, 4, 130, 5, 0.5), (200, 90, 90), (70, 4, 130, 5))

    # Display bezel: a recessed glossy black frame.
    bx0, by0, bx1, by1 = BEZEL_RECT
    cv.fill(rrect(bx0 - 1, by0 - 1, bx1 + 1, by1 + 1, 9), (20, 21, 23),
            (bx0 - 1, by0 - 1, bx1 + 1, by1 + 1))
    bez = rrect(bx0, by0, bx1, by1, 8)
    cv.fill(bez, bevelled(bez, vgrad((34, 35, 39), BEZEL, by0, by1),
                          (14, 14, 16), (84, 88, 96), 1.0, 0.8),
            BEZEL_RECT)

    # LCD glass: uniform colour with a thin inner shadow on the top and
    # left, all outside the area the program draws text in.
    gx0, gy0, gx1, gy1 = GLASS
    cv.fill(rrect(gx0 - 1, gy0 - 1, gx1 + 1, gy1 + 1, 3), (16, 17, 18),
            (gx0 - 1, gy0 - 1, gx1 + 1, gy1 + 1))
    cv.fill(rrect(gx0, gy0, gx1, gy1, 2), LCD, GLASS)
    for i, k in enumerate((0.62, 0.80, 0.92)):
        for x in range(gx0 + 1 + i, gx1 - 1):
            cv.put(x, gy0 + i, scale(LCD, k))
        for y in range(gy0 + 1 + i, gy1 - 1):
            cv.put(gx0 + i, y, scale(LCD, k))

    # Status LED and model name on the bezel.
    cv.fill(rrect(167, 16, 173, 22, 3), (20, 90, 40), (167, 16, 173, 22))
    cv.fill(rrect(168, 17, 172, 21, 2), (70, 210, 100), (167, 16, 173, 22))
    cv.put(169, 18, (200, 255, 210), 0.8)
    t900 = 'T900'
    cv.text(bx1 - 12 - pixfont.text_width(pixfont.SMALL, t900), by1 - 12,
            t900, pixfont.SMALL, (150, 156, 166))

    # Brand between display and keypad.
    brand = 'TORVIK'
    bw = pixfont.text_width(pixfont.BRAND, brand, 2)
    bxx = int(round(BODY_CX - bw / 2.0))
    cv.text(bxx, 162, brand, pixfont.BRAND, (20, 21, 24), 2)
    cv.text(bxx, 161, brand, pixfont.BRAND, (196, 200, 208), 2)

    # Keypad plate, slightly sunk into the face.
    px0, py0, px1, py1 = PLATE_RECT
    plate = rrect(px0, py0, px1, py1, 10)
    cv.fill(plate, bevelled(plate, vgrad((38, 40, 45), PLATE, py0, py1),
                            (20, 21, 23), (92, 96, 104), 1.2, 0.8),
            PLATE_RECT)

    # Yellow scan key between the two Enter keys; it is not a key of the
    # simulator, only part of the picture.
    sx0, sy0, sx1, sy1 = SCAN_KEY
    cv.fill(rrect(sx0, sy0, sx1, sy1, 7), (14, 12, 6), SCAN_KEY)
    cv.fill(rrect(sx0 + 1, sy0 + 1, sx1 - 1, sy1 - 1, 6), (150, 108, 10),
            SCAN_KEY)
    sk = rrect(sx0 + 1, sy0 + 1, sx1 - 1, sy1 - 3, 6)
    cv.fill(sk, bevelled(sk, vgrad((255, 226, 104), (232, 176, 24),
                                   sy0, sy1), (255, 246, 200),
                         (180, 130, 10), 1.0, 0.6), SCAN_KEY)
    ink = (92, 62, 4)
    bars = '#.##.#..###.#.##'
    bx = int(BODY_CX - len(bars) / 2.0)
    for i, p in enumerate(bars):
        if p == '#':
            for y in range(sy0 + 7, sy0 + 17):
                cv.put(bx + i, y, ink)
    label = 'SCAN'
    lw = pixfont.text_width(pixfont.SMALL, label)
    cv.text(int(BODY_CX - lw / 2.0), sy0 + 20, label, pixfont.SMALL, ink)

    # Charging contacts on the bottom edge.
    for cx in (86, 97, 108):
        cv.fill(rrect(cx, 447, cx + 6, 451, 1), (150, 120, 50),
                (cx, 447, cx + 6, 451))
        cv.fill(rrect(cx + 1, 447, cx + 5, 449, 0.5), (222, 190, 110),
                (cx, 447, cx + 6, 451))


# ---------------------------------------------------------------- keys
STYLES = {
    # face top, face bottom, skirt, edge, ink, second ink
    'digit': ((236, 237, 239), (200, 203, 208), (120, 124, 131),
              (10, 11, 13), (18, 20, 24), (30, 76, 168)),
    'nav': ((118, 123, 132), (82, 86, 94), (44, 46, 51),
            (10, 11, 13), (248, 248, 248), (248, 248, 248)),
    'func': ((104, 109, 118), (72, 76, 84), (40, 42, 47),
             (10, 11, 13), (248, 248, 248), (248, 248, 248)),
    'esc': ((226, 86, 72), (182, 46, 38), (100, 22, 18),
            (12, 8, 8), (255, 255, 255), (255, 255, 255)),
    'enter': ((86, 188, 110), (44, 142, 72), (20, 80, 40),
              (8, 12, 9), (255, 255, 255), (255, 255, 255)),
}
FUNC_INK = {'ALPHA': (120, 186, 255), 'FN': (255, 170, 60),
            'POWER': (255, 72, 56)}

ENTER_ART = ["........##",
             "........##",
             "..#.....##",
             ".##.....##",
             "##########",
             ".#########",
             "..#.......",
             ]
BS_ART = ["...#....",
          "..##....",
          ".#######",
          "########",
          ".#######",
          "..##....",
          "...#...."]


def draw_key(cv, key, pressed):
    x0, y0, x1, y1 = key['cap']
    X0, Y0, X1, Y1 = x0, y0, x1 + 1, y1 + 1
    top, bot, skirt, edge, ink, ink2 = STYLES[key['style']]
    r = 4.0 if key['style'] in ('digit', 'enter') else 3.5
    bbox = (X0, Y0, X1, Y1)
    cv.fill(rrect(X0, Y0, X1, Y1, r), edge, bbox, exact=True)
    if not pressed:
        cv.fill(rrect(X0 + 1, Y0 + 1, X1 - 1, Y1 - 1, r - 1), skirt, bbox,
                exact=True)
        face = rrect(X0 + 1, Y0 + 1, X1 - 1, Y1 - 3, r - 1)
        fcol = bevelled(face, vgrad(top, bot, Y0, Y1 - 3),
                        mix(top, (255, 255, 255), 0.6),
                        mix(bot, (0, 0, 0), 0.25), 1.0, 0.7)
        cv.fill(face, fcol, bbox, exact=True)
        dx = dy = 0
    else:
        # Sunk: darker, moved down a pixel, lit from below.
        dtop, dbot = scale(top, 0.74), scale(bot, 0.74)
        cv.fill(rrect(X0 + 1, Y0 + 1, X1 - 1, Y1 - 1, r - 1),
                scale(skirt, 0.7), bbox, exact=True)
        face = rrect(X0 + 1, Y0 + 2, X1 - 1, Y1 - 2, r - 1)
        fcol = bevelled(face, vgrad(dtop, dbot, Y0 + 2, Y1 - 2),
                        mix(dtop, (0, 0, 0), 0.45),
                        mix(dbot, (255, 255, 255), 0.25), 1.0, 0.8)
        cv.fill(face, fcol, bbox, exact=True)
        ink = scale(ink, 0.85) if key['style'] != 'digit' else ink
        ink2 = scale(ink2, 0.9)
        dx = dy = 1
    # Label box = released face.
    fx0, fy0, fx1, fy1 = x0 + 1, y0 + 1, x1 - 1, y1 - 3
    fw, fh = fx1 - fx0 + 1, fy1 - fy0 + 1
    cx = fx0 + fw / 2.0 + dx
    cy = fy0 + fh / 2.0 + dy
    label = key['label']
    S, L = pixfont.SMALL, pixfont.LARGE
    if key['style'] == 'digit':
        big, small = label
        bw = pixfont.text_width(L, big, bold=True)
        sw = pixfont.text_width(S, small)
        ty = int(round(cy - (7 + 2 + 5) / 2.0))
        cv.text(int(round(cx - bw / 2.0)), ty, big, L, ink, bold=True)
        cv.text(int(round(cx - sw / 2.0)), ty + 9, small, S, ink2)
    elif label in ('UP', 'DOWN', 'LEFT', 'RIGHT'):
        h = 4.5   # half the base of the arrow head
        d = 5.0   # its depth
        ccx, ccy = cx, cy
        if label == 'UP':
            tri = triangle((ccx, ccy - d / 2), (ccx + h, ccy + d / 2),
                           (ccx - h, ccy + d / 2))
        elif label == 'DOWN':
            tri = triangle((ccx, ccy + d / 2), (ccx - h, ccy - d / 2),
                           (ccx + h, ccy - d / 2))
        elif label == 'LEFT':
            tri = triangle((ccx - d / 2, ccy), (ccx + d / 2, ccy - h),
                           (ccx + d / 2, ccy + h))
        else:
            tri = triangle((ccx + d / 2, ccy), (ccx - d / 2, ccy + h),
                           (ccx - d / 2, ccy - h))
        cv.fill(tri, ink, (ccx - 8, ccy - 8, ccx + 9, ccy + 9), exact=True)
    elif label == 'BS':
        tw = pixfont.text_width(L, 'BS', bold=True)
        total = len(BS_ART[0]) + 3 + tw
        lx = int(round(cx - total / 2.0))
        ty = int(round(cy - 3.5))
        cv.art(lx, ty, BS_ART, ink)
        cv.text(lx + len(BS_ART[0]) + 3, ty, 'BS', L, ink, bold=True)
    elif label == 'ESC':
        tw = pixfont.text_width(L, 'ESC', bold=True)
        cv.text(int(round(cx - tw / 2.0)), int(round(cy - 3.5)), 'ESC', L,
                ink, bold=True)
    elif label == 'ENTER':
        aw = len(ENTER_ART[0])
        tw = pixfont.text_width(S, 'ENT')
        ty = int(round(cy - (7 + 4 + 5) / 2.0))
        cv.art(int(round(cx - aw / 2.0)), ty, ENTER_ART, ink)
        cv.text(int(round(cx - tw / 2.0)), ty + 11, 'ENT', S, ink)
    elif label == 'POWER':
        col = FUNC_INK['POWER'] if not pressed else scale(
            FUNC_INK['POWER'], 0.85)
        pcx, pcy = cx, cy + 0.5
        ro, ri = 5.2, 3.6

        def ring(x, y):
            d = math.hypot(x - pcx, y - pcy)
            if not ri <= d <= ro:
                return False
            ang = math.degrees(math.atan2(x - pcx, pcy - y))
            return abs(ang) > 38
        bar = rrect(pcx - 0.85, pcy - 6.6, pcx + 0.85, pcy - 0.6, 0.8)
        cv.fill(ring, col, (pcx - 7, pcy - 7, pcx + 8, pcy + 8), exact=True)
        cv.fill(bar, col, (pcx - 7, pcy - 8, pcx + 8, pcy + 8), exact=True)
    elif label == 'ALPHA':
        col = FUNC_INK['ALPHA'] if not pressed else scale(
            FUNC_INK['ALPHA'], 0.85)
        tw = pixfont.text_width(S, 'ALPHA')
        cv.text(int(round(cx - tw / 2.0)), int(round(cy - 2.5)), 'ALPHA', S,
                col)
    elif label == 'FN':
        col = FUNC_INK['FN'] if not pressed else scale(FUNC_INK['FN'], 0.85)
        tw = pixfont.text_width(L, 'FN', bold=True)
        cv.text(int(round(cx - tw / 2.0)), int(round(cy - 3.5)), 'FN', L,
                col, bold=True)
    else:
        raise ValueError(label)


def image_rect(code):
    (x, y), (w, h) = KEYS[code]['pos'], KEYS[code]['size']
    return x, y, w, h


def rects_overlap(a, b):
    ax, ay, aw, ah = a
    bx, by, bw, bh = b
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah


# ---------------------------------------------------------- quantising
def to_int(c):
    return tuple(int(round(min(255.0, max(0.0, v)))) for v in c)


def build_palette(counts, reserved, size=256):
    """Median cut over the colours not reserved; reserved colours (flat
    areas that must stay exact) go in first."""
    pal = list(dict.fromkeys(reserved))
    rest = [(c, n) for c, n in counts.items() if c not in set(pal)]
    free = size - len(pal)
    if len(rest) <= free:
        return pal + [c for c, _ in rest]
    boxes = [rest]
    while len(boxes) < free:
        # split the box with the widest weighted channel range
        best = None
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(3):
                vals = [c[ch] for c, _ in box]
                span = max(vals) - min(vals)
                key = span * math.log(2 + sum(n for _, n in box))
                if best is None or key > best[0]:
                    best = (key, i, ch)
        if best is None:
            break
        _, i, ch = best
        box = sorted(boxes.pop(i), key=lambda cn: cn[0][ch])
        total = sum(n for _, n in box)
        acc = 0
        cut = 1
        for k, (_, n) in enumerate(box):
            acc += n
            if acc >= total / 2.0:
                cut = max(1, min(len(box) - 1, k + 1))
                break
        boxes += [box[:cut], box[cut:]]
    for box in boxes:
        total = sum(n for _, n in box)
        pal.append(tuple(int(round(sum(c[ch] * n for c, n in box) / total))
                         for ch in range(3)))
    return list(dict.fromkeys(pal))


def nearest(pal, c, cache):
    if c not in cache:
        cache[c] = min(pal, key=lambda p: (p[0] - c[0]) ** 2 * 3 +
                       (p[1] - c[1]) ** 2 * 4 + (p[2] - c[2]) ** 2 * 2)
    return cache[c]


# ------------------------------------------------------------ the set
def render_all(k=1):
    """Return {resource id: rows of (r, g, b)} and the 8-bit palette of the
    set drawn at k times the face's size.  The 1x set is quantised to the
    picture's palette; the 2x set (ids + 100, for high-DPI screens and the
    zoom, which scale it down) keeps every colour."""
    base = Canvas(W, H, OUTSIDE, k)
    draw_base(base)

    released = base.copy()
    for code in PAINT_ORDER:
        draw_key(released, KEYS[code], False)

    # A pressed image is cut from a picture where only that key is pressed,
    # with every key whose image overlaps it drawn too, so that the parts of
    # neighbours it covers stay as they were.
    pressed = {}
    for code in PAINT_ORDER:
        cv = base.copy()
        rect = image_rect(code)
        for other in PAINT_ORDER:
            if rects_overlap(rect, image_rect(other)):
                draw_key(cv, KEYS[other], other == code)
        pressed[code] = cv.crop(*rect)

    full = [[to_int(c) for c in row] for row in released.px]
    pressed = {c: [[to_int(p) for p in row] for row in rows]
               for c, rows in pressed.items()}
    pal = None
    if k == 1:
        counts = {}
        for rows in [full] + list(pressed.values()):
            for row in rows:
                for c in row:
                    counts[c] = counts.get(c, 0) + 1
        frequent = sorted(counts, key=lambda c: -counts[c])[:48]
        pal = build_palette(counts, [LCD, OUTSIDE] + frequent)
        cache = {}
        full = [[nearest(pal, c, cache) for c in row] for row in full]
        pressed = {c: [[nearest(pal, p, cache) for p in row] for row in rows]
                   for c, rows in pressed.items()}

    first = set_first(k)
    out = {first: full}
    for code in PAINT_ORDER:
        x, y, w, h = (v * k for v in image_rect(code))
        out[first + code] = [row[x:x + w] for row in full[y:y + h]]
        out[first + 23 + code] = pressed[code]

    out[first + 47] = [[CURSOR] * (6 * k) for _ in range(10 * k)]
    out[first + 48] = [[HILITE_BAR] * (116 * k) for _ in range(10 * k)]
    out[first + 49] = [[LCD] * (116 * k) for _ in range(12 * k)]
    ind = Canvas(7, 8, LCD, k)
    ind.text(1, 0, 'A', pixfont.LARGE, LCD_INK)
    out[first + 50] = [[to_int(c) for c in row] for row in ind.px]
    out[first + 51] = [[LCD] * (7 * k) for _ in range(8 * k)]
    return out, pal, base


def set_first(k):
    """Resource id of the picture of the set drawn at k times the size."""
    return 500 + 100 * (k - 1)


def set_sizes(k):
    first = set_first(k)
    return {first + rid - 500: (w * k, h * k)
            for rid, (w, h) in SIZE_TABLE.items()}


def check_large_set(images, k):
    """The k-times set: sizes, the LCD area, and keys that paint as the
    picture shows them (released) or change only their own cap (pressed)."""
    first = set_first(k)
    for rid, (w, h) in set_sizes(k).items():
        rows = images[rid]
        expect(len(rows) == h and all(len(r) == w for r in rows),
               'bitmap %d is not %dx%d' % (rid, w, h))
    face = images[first]
    x0, y0, x1, y1 = (v * k for v in LCD_TEXT_RECT)
    for y in range(y0, y1):
        expect(all(c == LCD for c in face[y][x0:x1]),
               'LCD area of the %dx set not uniform in row %d' % (k, y))
    canvas = [row[:] for row in face]

    def blit(rows, x, y):
        for j, row in enumerate(rows):
            canvas[y + j][x:x + len(row)] = row
    for code in PAINT_ORDER:
        x, y, _, _ = image_rect(code)
        blit(images[first + code], k * x, k * y)
    expect(canvas == face, '%dx released keys do not match the picture' % k)
    for code in PAINT_ORDER:
        x, y, w, h = image_rect(code)
        blit(images[first + 23 + code], k * x, k * y)
        cx0, cy0, cx1, cy1 = KEYS[code]['cap']
        changed = [(xx, yy) for yy in range(k * y, k * (y + h))
                   for xx in range(k * x, k * (x + w))
                   if canvas[yy][xx] != face[yy][xx]]
        expect(changed, 'key %d: %dx pressed image looks the same' % (code, k))
        for xx, yy in changed:
            expect(k * cx0 <= xx < k * (cx1 + 1) and
                   k * cy0 <= yy < k * (cy1 + 1),
                   'key %d: %dx pressing changes %d,%d off its cap'
                   % (code, k, xx, yy))
        blit(images[first + code], k * x, k * y)


# ------------------------------------------------------- About and icon
def body_mask():
    shell = body_inside(0.0)
    return [[1.0 if shell(x + 0.5, y + 0.5) else 0.0 for x in range(W)]
            for y in range(H)]


def render_about(face_rows):
    """96 x 96: the terminal reading a bar code, on a blue tile."""
    size = 96
    cv = Canvas(size, size, (0, 0, 0))
    cv.fill(lambda x, y: True,
            lambda x, y: mix((38, 78, 140), (14, 36, 78),
                             (x * 0.3 + y) / (size * 1.3)),
            (0, 0, size, size))
    # soft light from the upper left
    cv.fill(lambda x, y: (x - 20) ** 2 + (y - 10) ** 2 < 70 ** 2,
            lambda x, y: mix(cv.px[int(y)][int(x)], (90, 140, 210),
                             0.35 * (1 - math.hypot(x - 20, y - 10) / 70)),
            (0, 0, size, size), exact=False)

    # Bar code label on the right.
    lx0, ly0, lx1, ly1 = 52, 30, 90, 66
    cv.fill(rrect(lx0 + 2, ly0 + 2, lx1 + 2, ly1 + 2, 3), (8, 20, 44),
            (lx0, ly0, lx1 + 3, ly1 + 3))
    cv.fill(rrect(lx0, ly0, lx1, ly1, 3), (250, 250, 246),
            (lx0, ly0, lx1, ly1))
    bars = '#.#.##.#..##.##.#.###..#.#.##.#'
    for i, p in enumerate(bars):
        if p == '#':
            for y in range(ly0 + 4, ly1 - 9):
                cv.put(lx0 + 4 + i, y, (16, 16, 18))
    cv.text(lx0 + 5, ly1 - 7, '0123456', pixfont.SMALL, (16, 16, 18),
            spacing=1)

    # The terminal, scaled down by five with its outline as alpha.
    mask = body_mask()
    k = 5
    tw, th = W // k, (H + k - 1) // k
    ox, oy = 6, 2
    small = []
    for ty in range(th):
        row = []
        for tx in range(tw):
            acc = [0.0, 0.0, 0.0]
            a = 0.0
            for yy in range(ty * k, min(H, ty * k + k)):
                for xx in range(tx * k, tx * k + k):
                    m = mask[yy][xx]
                    if m:
                        c = face_rows[yy][xx]
                        acc[0] += c[0] * m
                        acc[1] += c[1] * m
                        acc[2] += c[2] * m
                        a += m
            row.append(((acc[0] / a, acc[1] / a, acc[2] / a) if a else
                        (0, 0, 0), a / (k * k)))
        small.append(row)
    # drop shadow
    for ty, row in enumerate(small):
        for tx, (c, a) in enumerate(row):
            cv.put(ox + tx + 2, oy + ty + 2, (4, 10, 24), a * 0.45)
    for ty, row in enumerate(small):
        for tx, (c, a) in enumerate(row):
            cv.put(ox + tx, oy + ty, c, a)
    # a few lines of text on the small LCD
    for i, (x0, n) in enumerate(((9, 14), (9, 10), (9, 16), (9, 8))):
        for x in range(n):
            if (x * 7 + i) % 5:
                cv.put(ox + x0 + x, oy + 8 + 3 * i, (60, 70, 56))

    # Red scan line across the label.
    for x in range(lx0 + 1, lx1 - 1):
        cv.put(x, 47, (255, 80, 70), 0.35)
        cv.put(x, 48, (255, 30, 20), 0.95)
        cv.put(x, 49, (255, 80, 70), 0.35)

    tag = 'TORVIK'
    cv.text(size - 6 - pixfont.text_width(pixfont.SMALL, tag, 2),
            size - 10, tag, pixfont.SMALL, (210, 222, 240), spacing=2)
    return [[to_int(c) for c in row] for row in cv.px]


ICON16 = ["...KKKRRRRKKK...",
          "..KBBBBBBBBBBK..",
          "..KBKKKKKKKKBK..",
          "..KBKLLLLLLKBK..",
          "..KBKLiiiiLKBK..",
          "..KBKLLLLLLKBK..",
          "..KBKLiiiLLKBK..",
          "..KBKKKKKKKKBK..",
          "..KBGBYYYYBGBK..",
          "..KBWWbWWbWWBK..",
          "..KBbbbbbbbbBK..",
          "..KBWWbWWbWWBK..",
          "..KBbbbbbbbbBK..",
          "..KBWWbWWbWWBK..",
          "..KBBBBBBBBBBK..",
          "...KKKKKKKKKK..."]
ICON_COLOURS = {'K': (18, 19, 22), 'B': (74, 78, 86), 'b': (40, 42, 47),
                'L': LCD, 'i': (40, 48, 40), 'R': (196, 44, 44),
                'Y': SCAN_YELLOW, 'G': (56, 160, 84), 'W': (220, 222, 226)}


def render_icon(size, k=1):
    """The terminal, drawn for each icon size rather than scaled, so that
    the keys stay crisp; k = 2 draws the 32-pixel design on the 64-pixel
    grid, for scaled screens."""
    if size == 16:
        return [[ICON_COLOURS[p] + (255,) if p != '.' else (0, 0, 0, 0)
                 for p in row] for row in ICON16]
    assert size == 32
    cov = Canvas(size, size, (0, 0, 0), k)
    col = Canvas(size, size, ICON_COLOURS['K'], k)
    whole = (0, 0, size, size)
    cov.fill(rrect(7, 1, 25, 31, 4), (255, 255, 255), whole)
    col.fill(rrect(8, 2, 24, 30, 3), vgrad((88, 92, 100), (56, 59, 65), 2, 30),
             whole)
    col.fill(rrect(13, 1, 19, 2, 0.4), ICON_COLOURS['R'], whole)
    col.fill(rrect(9, 4, 23, 14, 1), (16, 17, 19), whole)
    col.fill(rrect(10, 5, 22, 13, 0.5), LCD, whole)
    for i, n in enumerate((9, 6, 8)):
        for x in range(n):
            col.put(11 + x, 6 + 2 * i, ICON_COLOURS['i'])
    col.fill(rrect(9, 15, 12, 17, 0.5), ICON_COLOURS['G'], whole)
    col.fill(rrect(20, 15, 23, 17, 0.5), ICON_COLOURS['G'], whole)
    col.fill(rrect(13, 15, 19, 17, 0.5), SCAN_YELLOW, whole)
    for i in range(4):
        for j in range(3):
            x, y = 9 + 5 * j, 19 + 3 * i
            col.fill(rrect(x, y, x + 4, y + 2, 0.3), ICON_COLOURS['W'], whole)
    rows = []
    for y in range(size * k):
        row = []
        for x in range(size * k):
            a = int(round(cov.px[y][x][0]))
            r, g, b = to_int(col.px[y][x])
            row.append((r, g, b, a) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


PAGE = (250, 250, 248)
PAGE_EDGE = (96, 100, 108)
PAGE_FOLD = (208, 212, 218)


def render_design_icon(size):
    """A design file: a page with a folded corner and the terminal on it,
    so that Explorer tells designs from the program."""
    fold = 7 if size == 32 else 4
    left, right = (4, 27) if size == 32 else (1, 14)
    rows = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y in range(size):
        for x in range(left, right + 1):
            cut = right - fold + (y + 1)  # the fold cuts the top right corner
            if x > cut:
                continue
            edge = x in (left, right) or y in (0, size - 1) or x == cut
            flap = x > right - fold and y < fold
            colour = PAGE_EDGE if edge else (PAGE_FOLD if flap else PAGE)
            rows[y][x] = colour + (255,)
    if size == 32:
        for y, line in enumerate(ICON16):  # the terminal, lower on the page
            for x, p in enumerate(line):
                if p != '.':
                    rows[13 + y][8 + x] = ICON_COLOURS[p] + (255,)
        for y in (4, 7, 10):  # text lines above it
            for x in range(left + 3, right - fold - 1 if y < fold else right - 3):
                rows[y][x] = ICON_COLOURS['B'] + (255,)
    else:
        for y in range(5, 15):  # the terminal's LCD and keys, simplified
            for x in range(4, 12):
                p = 'K' if y in (5, 9, 14) or x in (4, 11) else ('L' if y < 9 else 'W')
                rows[y][x] = ICON_COLOURS[p] + (255,)
        for x in range(3, 10):
            rows[2][x] = ICON_COLOURS['B'] + (255,)
    return rows


PHONE16 = [
    '................',
    '..XXXXXXXXXXXX..',
    '.XXXXXXXXXXXXXX.',
    'XXXXX......XXXXX',
    'XXX..........XXX',
    '.X............X.',
    '......XXXX......',
    '....XXXXXXXX....',
    '..XXXXXXXXXXXX..',
    '..XXoXXooXXoXX..',
    '..XXXXXXXXXXXX..',
    '..XXoXXooXXoXX..',
    '..XXXXXXXXXXXX..',
    '..XXoXXooXXoXX..',
    '..XXXXXXXXXXXX..',
    '................',
]
PHONE_COLOURS = {'X': (44, 47, 54), 'o': (206, 210, 216)}


def render_phone_icon(k=1):
    """The desk telephone beside the Settings page's phone numbers; k = 2
    gives the 32-pixel image for scaled screens, each pixel a 2 x 2 block."""
    return [[PHONE_COLOURS[p] + (255,) if p != '.' else (0, 0, 0, 0)
             for p in row for _ in range(k)] for row in PHONE16 for _ in range(k)]


# ---------------------------------------------------------------- checks
class CheckError(Exception):
    pass


def expect(cond, msg):
    if not cond:
        raise CheckError(msg)


def check_set(images):
    """Checks that catch drawing or geometry mistakes in the key set."""
    for rid, (w, h) in SIZE_TABLE.items():
        rows = images[rid]
        expect(len(rows) == h and all(len(r) == w for r in rows),
               'bitmap %d is not %dx%d' % (rid, w, h))
    face = images[500]

    # The area the program draws LCD text in, and its patches, are exactly
    # the LCD colour.
    x0, y0, x1, y1 = LCD_TEXT_RECT
    for y in range(y0, y1):
        for x in range(x0, x1):
            expect(face[y][x] == LCD, 'LCD area not uniform at %d,%d' % (x, y))
    for rid in (549, 551):
        expect(all(c == LCD for r in images[rid] for c in r),
               'patch %d is not the LCD colour' % rid)
    expect(any(c != LCD for r in images[550] for c in r) and
           images[550][0][0] == LCD, 'alpha indicator lacks ink or LCD ground')

    def lum(c):
        return 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2]
    expect(lum(HILITE_BAR) < 80 and lum(LCD) > 150,
           'highlight bar not dark enough against the LCD')
    expect(60 < lum(CURSOR) < lum(LCD) - 60,
           'cursor must stand out yet let black text show')

    for code, key in KEYS.items():
        x, y, w, h = image_rect(code)
        hx0, hx1, hy0, hy1 = key['hit']
        cx0, cy0, cx1, cy1 = key['cap']
        # The drawn cap lies inside the key's image.
        expect(x <= cx0 and cx1 < x + w and y <= cy0 and cy1 < y + h,
               'key %d: cap outside its image' % code)
        # The image nearly contains the hit range.
        left_slack = 1
        if code in KNOWN_HIT_OVERHANG:
            lo, hi = KNOWN_HIT_OVERHANG[code]
            expect(lo == hx0 and hi == x - 1,
                   'key %d: overhang changed' % code)
            left_slack = x - hx0
        expect(hx0 >= x - left_slack and hx1 <= x + w and
               hy0 >= y - 1 and hy1 <= y + h,
               'key %d: hit range not within its image' % code)
        # Released and pressed images have the same size.
        expect(SIZE_TABLE[500 + code] == SIZE_TABLE[523 + code],
               'key %d: pressed size differs' % code)

    # Every point that hits a key lies on (or within two pixels of) that
    # key's drawn cap, and every inner point of a cap hits its key.
    for y in range(H):
        for x in range(W):
            code = hit_test(x, y)
            if code:
                cx0, cy0, cx1, cy1 = KEYS[code]['cap']
                near = (cx0 - 2 <= x <= cx1 + 2 and cy0 - 2 <= y <= cy1 + 2)
                overhang = KNOWN_HIT_OVERHANG.get(code)
                if overhang and overhang[0] <= x <= overhang[1]:
                    near = True
                expect(near, 'point %d,%d hits key %d off its cap'
                       % (x, y, code))
    for code, key in KEYS.items():
        cx0, cy0, cx1, cy1 = key['cap']
        for y in range(cy0 + 1, cy1):
            for x in range(cx0 + 1, cx1):
                expect(hit_test(x, y) == code,
                       'cap of key %d at %d,%d hits %d'
                       % (code, x, y, hit_test(x, y)))

    # The scan key and the LCD are no key.
    sx0, sy0, sx1, sy1 = SCAN_KEY
    for y in range(sy0, sy1):
        for x in range(sx0, sx1):
            expect(hit_test(x, y) == 0, 'scan key hits at %d,%d' % (x, y))
    for y in range(LCD_TEXT_RECT[1], LCD_TEXT_RECT[3]):
        for x in range(LCD_TEXT_RECT[0], LCD_TEXT_RECT[2]):
            expect(hit_test(x, y) == 0, 'LCD hits at %d,%d' % (x, y))

    # Painting as the program does (picture, then every released key in
    # order) reproduces the picture: no seams where images meet or overlap.
    canvas = [row[:] for row in face]

    def blit(rows, x, y):
        for j, row in enumerate(rows):
            canvas[y + j][x:x + len(row)] = row
    for code in PAINT_ORDER:
        x, y, _, _ = image_rect(code)
        blit(images[500 + code], x, y)
    expect(canvas == face, 'released keys do not match the picture')

    # Pressing a key changes only pixels on or next to its own cap, and
    # releasing it restores the picture.
    for code in PAINT_ORDER:
        x, y, w, h = image_rect(code)
        blit(images[523 + code], x, y)
        cx0, cy0, cx1, cy1 = KEYS[code]['cap']
        changed = [(xx, yy) for yy in range(y, y + h)
                   for xx in range(x, x + w) if canvas[yy][xx] != face[yy][xx]]
        expect(changed, 'key %d: pressed image looks the same' % code)
        for xx, yy in changed:
            expect(cx0 <= xx <= cx1 and cy0 <= yy <= cy1,
                   'key %d: pressing changes %d,%d off its cap'
                   % (code, xx, yy))
        blit(images[500 + code], x, y)
        expect(canvas == face, 'key %d: release does not restore' % code)


def check_files(images, palette):
    """The files on disk decode to the images and have the expected form."""
    for rid, rows in images.items():
        path = os.path.join(BITMAP_DIR, 'face_%d.bmp' % rid)
        info, got = bmpio.read_bmp(path)
        expect(got == rows, '%s: pixels differ from the drawing' % path)
        if rid == 500:
            expect(info['bpp'] == 8 and info['palette'] == palette,
                   '%s: must be 8 bits per pixel with its palette' % path)
    info, _ = bmpio.read_bmp(ABOUT_PATH)
    expect(info['width'] == 96 and info['height'] == 96, 'About size')


# ---------------------------------------------------------------- output
def write_all(images, pal, about, icons):
    os.makedirs(BITMAP_DIR, exist_ok=True)
    for rid, rows in sorted(images.items()):
        path = os.path.join(BITMAP_DIR, 'face_%d.bmp' % rid)
        if rid == 500:
            bmpio.write_bmp(path, rows, 8, pal)
        else:
            bmpio.write_bmp(path, rows, 24)
    bmpio.write_bmp(ABOUT_PATH, about, 24)
    for path, images in icons.items():
        with open(path, 'wb') as f:
            f.write(bmpio.ico_bytes(images))


def expected_bytes(images, pal, about, icons):
    out = {}
    for rid, rows in images.items():
        out[os.path.join(BITMAP_DIR, 'face_%d.bmp' % rid)] = (
            bmpio.bmp_bytes(rows, 8, pal) if rid == 500 else
            bmpio.bmp_bytes(rows, 24))
    out[ABOUT_PATH] = bmpio.bmp_bytes(about, 24)
    for path, images in icons.items():
        out[path] = bmpio.ico_bytes(images)
    return out


# --------------------------------------------------------------- preview
def load_face_set():
    imgs = {}
    for rid in SIZE_TABLE:
        _, imgs[rid] = bmpio.read_bmp(
            os.path.join(BITMAP_DIR, 'face_%d.bmp' % rid))
    return imgs


def compose(imgs, pressed=(), lcd=None):
    """Paint like the program: picture, released keys, then pressed images
    and LCD content drawn over it."""
    cv = Canvas(W, H, OUTSIDE)
    cv.px = [[tuple(map(float, c)) for c in row] for row in imgs[500]]

    def blit(rows, x, y):
        for j, row in enumerate(rows):
            for i, c in enumerate(row):
                cv.put(x + i, y + j, c)
    for code in PAINT_ORDER:
        x, y, _, _ = image_rect(code)
        blit(imgs[500 + code], x, y)
    for code in pressed:
        x, y, _, _ = image_rect(code)
        blit(imgs[523 + code], x, y)
    if lcd:
        lcd(cv, blit)
    return cv


def lcd_text(cv, x, y, s, col):
    # Stand-in for the LCD font: 5x7 glyphs on the 6-pixel cell grid.
    cv.text(x, y + 3, s, pixfont.LARGE, col)


def lcd_main_menu(imgs):
    def draw(cv, blit):
        lines = ['  MAIN MENU', '1.COLLECT DATA', '2.UPLOAD DATA',
                 '3.UTILITIES', '4.SYSTEM']
        for i, s in enumerate(lines):
            top = 35 + 15 * i
            if i == 1:
                blit(imgs[548], 39, 37 + 15 * i)
                lcd_text(cv, 39, top, s, (255, 255, 255))
            elif top < 100:
                lcd_text(cv, 39, top, s, LCD_INK)
        blit(imgs[549], 39, 105)
        lcd_text(cv, 39, 105, 'JAN 05, 14:07 0012', LCD_INK)
    return draw


def lcd_form(imgs):
    def draw(cv, blit):
        lines = ['ITEM NO:', '4711-0815', 'QTY:', '12', 'LOCATION:',
                 'A', '', 'F1=SAVE ESC=QUIT']
        blit(imgs[547], 39 + 6 * 1, 36 + 10 * 5)
        blit(imgs[550], 154, 90)
        for i, s in enumerate(lines):
            if i == 2:
                blit(imgs[548], 39, 37 + 10 * i)
                lcd_text(cv, 39, 35 + 10 * i, s, (255, 255, 255))
            else:
                lcd_text(cv, 39, 35 + 10 * i, s, LCD_INK)
    return draw


def outline_hits(cv):
    for code, key in KEYS.items():
        x0, x1, y0, y1 = key['hit']
        for x in range(x0, x1 + 1):
            cv.put(x, y0, (255, 0, 255), 0.8)
            cv.put(x, y1, (255, 0, 255), 0.8)
        for y in range(y0, y1 + 1):
            cv.put(x0, y, (255, 0, 255), 0.8)
            cv.put(x1, y, (255, 0, 255), 0.8)


def write_previews(outdir):
    os.makedirs(outdir, exist_ok=True)
    imgs = load_face_set()
    shots = {
        'face_released': compose(imgs, (), lcd_main_menu(imgs)),
        'face_pressed': compose(imgs, (5, 16, 19, 21, 14), lcd_form(imgs)),
        'face_hits': compose(imgs, ()),
    }
    outline_hits(shots['face_hits'])
    convert = shutil.which('convert')
    for name, cv in shots.items():
        bmp = os.path.join(outdir, name + '.bmp')
        bmpio.write_bmp(bmp, [[to_int(c) for c in row] for row in cv.px])
        if convert:
            subprocess.run([convert, bmp, os.path.join(outdir, name + '.png')],
                           check=True)
            subprocess.run([convert, bmp, '-scale', '300%',
                            os.path.join(outdir, name + '_x3.png')],
                           check=True)
    if convert:
        subprocess.run([convert, ABOUT_PATH, '-scale', '300%',
                        os.path.join(outdir, 'about_x3.png')], check=True)
        subprocess.run([convert, DESIGN_ICON_PATH, '-scale', '400%',
                        os.path.join(outdir, 'design_icon.png')], check=True)
        subprocess.run([convert, ICON_PATH, os.path.join(outdir, 'icon.png')],
                       check=True)


# ------------------------------------------------------------------ main
def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.split('\n')[0])
    ap.add_argument('--check', action='store_true',
                    help='verify the committed files, write nothing')
    ap.add_argument('--preview', metavar='DIR',
                    help='also write composed previews (BMP, and PNG when '
                    'ImageMagick is there) to DIR')
    args = ap.parse_args(argv)

    images, pal, base = render_all()
    check_set(images)
    large, _, _ = render_all(2)
    check_large_set(large, 2)
    images.update(large)
    about = render_about(images[500])
    icons = {ICON_PATH: [render_icon(32), render_icon(16), render_icon(32, 2)],
             DESIGN_ICON_PATH: [render_design_icon(32), render_design_icon(16)],
             PHONE_ICON_PATH: [render_phone_icon(), render_phone_icon(2)]}
    if args.check:
        stale = [p for p, data in expected_bytes(images, pal, about,
                                                 icons).items()
                 if not os.path.exists(p) or open(p, 'rb').read() != data]
        expect(not stale, 'out of date, rerun the generator: %s'
               % ', '.join(os.path.relpath(p, ROOT) for p in stale))
    else:
        write_all(images, pal, about, icons)
    check_files(images, pal)
    if args.preview:
        write_previews(args.preview)
    print('face bitmaps OK (%d colours in the picture)' % len(pal))


if __name__ == '__main__':
    try:
        main()
    except CheckError as e:
        sys.exit('check failed: %s' % e)
