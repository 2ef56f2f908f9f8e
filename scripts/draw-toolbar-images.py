#!/usr/bin/env python3
"""Draws the toolbar button pictures (16 by 16) as the text source that the resource generator reads.

Run by hand after changing a picture: python3 scripts/draw-toolbar-images.py
It writes resources/tables/ToolbarImages.txt and resources/tables/MoreCommands.txt.
"""
import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# The transparent colour comes first: it is the image lists' mask colour.
PALETTE = [
    ('.', '808000'), ('k', '000000'), ('w', 'FFFFFF'), ('g', '808080'), ('l', 'C0C0C0'),
    ('b', '0000C0'), ('B', '000080'), ('r', 'C00000'), ('y', 'FFFF00'), ('Y', 'C0A000'),
    ('G', '008000'), ('c', '00A0C0'), ('o', 'FF8000'), ('n', '804000'), ('m', 'A000A0'),
]

# A 3 by 5 font for the letters that label the buttons without a picture of their own.
FONT = {
    'A': ['010', '101', '111', '101', '101'], 'B': ['110', '101', '110', '101', '110'],
    'C': ['011', '100', '100', '100', '011'], 'D': ['110', '101', '101', '101', '110'],
    'E': ['111', '100', '110', '100', '111'], 'F': ['111', '100', '110', '100', '100'],
    'G': ['011', '100', '101', '101', '011'], 'H': ['101', '101', '111', '101', '101'],
    'I': ['111', '010', '010', '010', '111'], 'J': ['001', '001', '001', '101', '010'],
    'K': ['101', '110', '100', '110', '101'], 'L': ['100', '100', '100', '100', '111'],
    'M': ['101', '111', '111', '101', '101'], 'N': ['110', '101', '101', '101', '101'],
    'O': ['010', '101', '101', '101', '010'], 'P': ['110', '101', '110', '100', '100'],
    'Q': ['010', '101', '101', '110', '011'], 'R': ['110', '101', '110', '101', '101'],
    'S': ['011', '100', '010', '001', '110'], 'T': ['111', '010', '010', '010', '010'],
    'U': ['101', '101', '101', '101', '111'], 'V': ['101', '101', '101', '101', '010'],
    'W': ['101', '101', '111', '111', '101'], 'X': ['101', '101', '010', '101', '101'],
    'Y': ['101', '101', '010', '010', '010'], 'Z': ['111', '001', '010', '100', '111'],
    '0': ['111', '101', '101', '101', '111'], '1': ['010', '110', '010', '010', '111'],
    '2': ['110', '001', '010', '100', '111'], '3': ['110', '001', '010', '001', '110'],
    '4': ['101', '101', '111', '001', '001'], '5': ['111', '100', '110', '001', '110'],
    '6': ['011', '100', '111', '101', '111'], '+': ['000', '010', '111', '010', '000'],
    '-': ['000', '000', '111', '000', '000'], '%': ['101', '001', '010', '100', '101'],
    '?': ['110', '001', '010', '000', '010'], '<': ['001', '010', '100', '010', '001'],
    '>': ['100', '010', '001', '010', '100'],
    'a': ['000', '011', '101', '101', '011'], 'z': ['000', '111', '010', '100', '111'],
    'f': ['011', '010', '111', '010', '010'], 'x': ['000', '101', '010', '010', '101'],
    '(': ['010', '100', '100', '100', '010'], ')': ['010', '001', '001', '001', '010'],
}


class Picture:
    def __init__(self):
        self.p = [['.'] * 16 for _ in range(16)]

    def dot(self, x, y, c):
        if 0 <= x < 16 and 0 <= y < 16:
            self.p[y][x] = c

    def rect(self, x0, y0, x1, y1, fill, frame=None):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                edge = x in (x0, x1) or y in (y0, y1)
                self.dot(x, y, frame if frame and edge else fill)

    def hline(self, x0, x1, y, c):
        for x in range(x0, x1 + 1):
            self.dot(x, y, c)

    def vline(self, x, y0, y1, c):
        for y in range(y0, y1 + 1):
            self.dot(x, y, c)

    def line(self, x0, y0, x1, y1, c):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            self.dot(round(x0 + (x1 - x0) * i / n), round(y0 + (y1 - y0) * i / n), c)

    def text(self, x, y, s, c, scale=1):
        for ch in s:
            glyph = FONT[ch]
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == '1':
                        for sy in range(scale):
                            for sx in range(scale):
                                self.dot(x + gx * scale + sx, y + gy * scale + sy, c)
            x += 4 * scale

    def rows(self):
        return [''.join(r) for r in self.p]


def page(p, x0=3, y0=1, x1=12, y1=14):
    p.rect(x0, y0, x1, y1, 'w', 'k')
    for y in range(y0 + 3, y1 - 1, 2):
        p.hline(x0 + 2, x1 - 2, y, 'g')


def folder(p):
    p.rect(1, 5, 14, 13, 'Y', 'k')
    p.rect(1, 3, 6, 5, 'Y', 'k')
    p.hline(3, 15, 8, 'k')


def disk(p, x=1, y=1, s=13):
    p.rect(x, y, x + s, y + s, 'B', 'k')
    p.rect(x + 3, y + 1, x + s - 3, y + 5, 'w')
    p.rect(x + 3, y + s - 4, x + s - 3, y + s - 1, 'l')


def printer(p):
    p.rect(4, 1, 11, 6, 'w', 'k')
    p.rect(1, 6, 14, 11, 'l', 'k')
    p.rect(4, 10, 11, 14, 'w', 'k')
    p.dot(12, 8, 'G')


def magnifier(p, x=2, y=2):
    p.rect(x, y, x + 6, y + 6, 'c', 'k')
    p.line(x + 6, y + 6, x + 11, y + 11, 'k')
    p.line(x + 7, y + 6, x + 12, y + 11, 'n')


def arrow(p, left):
    # A curved arrow: undo points left, redo right.
    pts = [(4, 6), (5, 5), (6, 4), (7, 4), (8, 4), (9, 4), (10, 5), (11, 6), (12, 7), (12, 8), (12, 9),
           (11, 10), (10, 11)]
    for x, y in pts:
        xx = x if left else 15 - x
        p.dot(xx, y, 'b')
        p.dot(xx, y + 1, 'b')
    tip = [(1, 6), (2, 5), (2, 6), (2, 7), (3, 4), (3, 5), (3, 6), (3, 7), (3, 8), (4, 3), (4, 9)]
    for x, y in tip:
        p.dot(x + 1 if left else 14 - x, y, 'b')


def lines_aligned(p, kind):
    lengths = [12, 8, 12, 6, 12, 9]
    for i, n in enumerate(lengths):
        if kind == 'justify':
            n = 12
        x0 = {'left': 2, 'center': 2 + (12 - n) // 2, 'right': 14 - n, 'justify': 2}[kind]
        p.hline(x0, x0 + n - 1, 2 + 2 * i, 'k')


def scissors(p):
    p.line(4, 1, 9, 9, 'k')
    p.line(11, 1, 6, 9, 'k')
    p.rect(3, 9, 6, 13, '.', 'b')
    p.rect(9, 9, 12, 13, '.', 'b')


def two_pages(p):
    p.rect(1, 1, 8, 10, 'w', 'k')
    p.rect(6, 5, 14, 14, 'w', 'k')
    for y in (8, 10, 12):
        p.hline(8, 12, y, 'g')


def clipboard(p):
    p.rect(2, 2, 12, 14, 'n', 'k')
    p.rect(5, 1, 9, 3, 'l', 'k')
    p.rect(6, 6, 14, 14, 'w', 'k')
    for y in (8, 10, 12):
        p.hline(8, 12, y, 'g')


def star(p):
    rows = ['.......k........', '......kyk.......', '......kyk.......', '.kkkkkyyykkkkk..',
            '..kyyyyyyyyyk...', '...kyyyyyyyk....', '....kyyyyyk.....', '...kyyykyyyk....',
            '...kyyk.kyyk....', '..kyk.....kyk...', '..kk.......kk...']
    for y, r in enumerate(rows):
        for x, c in enumerate(r):
            if c != '.':
                p.dot(x, y + 2, c)


def envelope(p):
    p.rect(1, 4, 14, 12, 'w', 'k')
    p.line(1, 4, 7, 9, 'k')
    p.line(14, 4, 8, 9, 'k')


def windows(p, kind):
    if kind == 'cascade':
        p.rect(1, 1, 10, 8, 'w', 'B')
        p.rect(5, 6, 14, 14, 'w', 'B')
        p.hline(6, 13, 7, 'b')
    elif kind == 'horizontal':
        p.rect(1, 1, 14, 7, 'w', 'B')
        p.rect(1, 8, 14, 14, 'w', 'B')
    elif kind == 'vertical':
        p.rect(1, 1, 7, 14, 'w', 'B')
        p.rect(8, 1, 14, 14, 'w', 'B')
    else:
        p.rect(1, 1, 14, 14, 'w', 'B')
        p.rect(3, 5, 12, 12, 'l', 'g')


def pilcrow(p):
    p.rect(4, 2, 8, 7, 'k')
    p.vline(9, 2, 14, 'k')
    p.vline(11, 2, 14, 'k')
    p.hline(9, 12, 2, 'k')


def scissors_small(p):
    p.line(9, 0, 14, 5, 'k')
    p.line(14, 0, 9, 5, 'k')
    p.rect(8, 5, 9, 6, 'r')
    p.rect(14, 5, 15, 6, 'r')


def zoom_page(p, label):
    p.rect(2, 1, 13, 14, 'w', 'k')
    p.text(4, 5, label, 'b')


def generic(p, label, colour):
    p.rect(1, 2, 14, 13, 'l', 'g')
    if len(label) == 1:
        p.text(5, 5, label, colour)
    elif len(label) == 2:
        p.text(3, 5, label, colour)
    else:
        p.text(2, 5, label[:3], colour)


def letter(p, ch, colour, underline=False, scale=2):
    p.text(5, 2, ch, colour, scale)
    if underline:
        p.hline(3, 12, 14, colour)


def small_pages(p, x, y):
    """Two small overlapping sheets: a copy."""
    p.rect(x, y, x + 4, y + 4, 'w', 'k')
    p.rect(x + 2, y + 2, x + 6, y + 6, 'w', 'k')


def small_clipboard(p, x, y):
    p.rect(x, y + 1, x + 6, y + 6, 'Y', 'n')
    p.rect(x + 2, y, x + 4, y + 1, 'g')
    p.rect(x + 2, y + 3, x + 5, y + 5, 'w')


def paragraph_lines(p, x0=1, y0=2, x1=10, rows=4, colour='k'):
    for i in range(rows):
        p.hline(x0, x1 if i < rows - 1 else x0 + (x1 - x0) // 2, y0 + 2 * i, colour)


def right_arrow(p, x0, x1, y, c):
    p.hline(x0, x1, y, c)
    p.line(x1 - 2, y - 2, x1, y, c)
    p.line(x1 - 2, y + 2, x1, y, c)


def down_arrow(p, x, y0, y1, c):
    p.vline(x, y0, y1, c)
    p.line(x - 2, y1 - 2, x, y1, c)
    p.line(x + 2, y1 - 2, x, y1, c)


def up_arrow(p, x, y0, y1, c):
    p.vline(x, y0, y1, c)
    p.line(x - 2, y0 + 2, x, y0, c)
    p.line(x + 2, y0 + 2, x, y0, c)


def brush(p):
    p.line(12, 1, 8, 7, 'n')
    p.line(13, 2, 9, 8, 'n')
    p.rect(4, 8, 8, 10, 'g', 'k')
    for x in range(2, 8):
        p.line(x + 2, 11, x, 14, 'Y')


def piggy(p, x=0, y=4):
    """A piggy bank, 12 by 9, its top left corner at x, y."""
    p.rect(x + 2, y + 1, x + 10, y + 6, 'm', 'k')
    p.rect(x + 10, y + 2, x + 11, y + 5, 'm', 'k')
    p.hline(x + 5, x + 7, y + 1, 'k')
    p.dot(x + 4, y + 3, 'k')
    p.vline(x + 3, y + 7, y + 8, 'k')
    p.vline(x + 9, y + 7, y + 8, 'k')
    p.dot(x + 1, y + 2, 'k')
    p.dot(x + 8, y, 'k')


def braces(p, colour='B'):
    for x, d in ((2, 1), (13, -1)):
        p.vline(x + d, 3, 6, colour)
        p.vline(x + d, 9, 12, colour)
        p.dot(x, 7, colour)
        p.dot(x, 8, colour)
        p.dot(x + 2 * d, 2, colour)
        p.dot(x + 2 * d, 13, colour)


def circle(p, cx, cy, r, c, fill=None):
    for y in range(cy - r, cy + r + 1):
        for x in range(cx - r, cx + r + 1):
            d = (x - cx) ** 2 + (y - cy) ** 2
            if fill and d <= r * r:
                p.dot(x, y, fill)
            if abs(d - r * r) <= r:
                p.dot(x, y, c)


def calendar(p):
    p.rect(1, 2, 14, 14, 'w', 'k')
    p.rect(1, 2, 14, 4, 'r', 'k')
    for y in (7, 10, 13):
        for x in (3, 6, 9, 12):
            p.dot(x, y, 'g')
    p.rect(8, 9, 10, 11, 'b')


def clock(p):
    circle(p, 7, 8, 6, 'k', 'w')
    p.vline(7, 4, 8, 'k')
    p.hline(7, 10, 8, 'b')
    for x, y in ((7, 3), (12, 8), (7, 13), (2, 8)):
        p.dot(x, y, 'g')


def landscape(p, x0, y0, x1, y1):
    p.rect(x0, y0, x1, y1, 'c', 'k')
    p.rect(x1 - 4, y0 + 2, x1 - 3, y0 + 3, 'y')
    for x in range(x0 + 1, x1):
        top = y1 - 1 - max(0, 3 - abs(x - (x0 + 4)))
        p.vline(x, max(top, y0 + 1), y1 - 1, 'G')


def ruler(p, vertical):
    if vertical:
        p.rect(4, 0, 11, 15, 'y', 'k')
        for y in range(2, 15, 2):
            p.hline(4, 6 if y % 4 else 8, y, 'k')
    else:
        p.rect(0, 4, 15, 11, 'y', 'k')
        for x in range(2, 15, 2):
            p.vline(x, 4, 6 if x % 4 else 8, 'k')


def hand(p):
    for x in (4, 6, 8, 10):
        p.rect(x, 2 if x in (6, 8) else 3, x + 1, 8, 'w', 'k')
    p.rect(4, 7, 11, 13, 'w', 'k')
    p.line(1, 6, 4, 9, 'k')
    p.line(2, 6, 4, 8, 'w')
    p.dot(1, 6, 'k')


def books(p):
    for x, c in ((1, 'r'), (5, 'b'), (9, 'G')):
        p.rect(x, 2, x + 3, 14, c, 'k')
        p.hline(x + 1, x + 2, 4, 'y')
    p.line(12, 3, 15, 13, 'k')
    p.line(13, 3, 14, 6, 'o')


def globe(p):
    circle(p, 7, 7, 6, 'B', 'c')
    p.rect(4, 4, 6, 7, 'G')
    p.rect(8, 8, 10, 11, 'G')
    p.hline(1, 13, 7, 'B')
    p.vline(7, 1, 13, 'B')


def bars(p):
    p.hline(1, 14, 14, 'k')
    p.vline(1, 1, 14, 'k')
    for x, h, c in ((3, 6, 'b'), (6, 10, 'r'), (9, 4, 'G'), (12, 8, 'y')):
        p.rect(x, 14 - h, x + 1, 13, c)


def card(p):
    p.rect(0, 3, 15, 13, 'w', 'k')
    circle(p, 4, 6, 1, 'B', 'B')
    p.rect(2, 9, 6, 11, 'B')
    for y in (6, 8, 10):
        p.hline(9, 13, y, 'g')


def calculator(p):
    p.rect(2, 0, 13, 15, 'l', 'k')
    p.rect(4, 2, 11, 4, 'G', 'k')
    for y in (7, 10, 13):
        for x in (4, 7, 10):
            p.rect(x, y - 1, x + 1, y, 'B')


def link(p):
    for x0 in (1, 7):
        p.rect(x0, 5, x0 + 7, 10, '.', 'b')
        p.dot(x0, 5, '.')
        p.dot(x0 + 7, 5, '.')
        p.dot(x0, 10, '.')
        p.dot(x0 + 7, 10, '.')
    p.hline(5, 10, 7, 'b')
    p.hline(5, 10, 8, 'b')


def bookmark(p):
    page(p)
    p.rect(8, 0, 11, 8, 'r')
    p.dot(9, 8, '.')
    p.dot(10, 8, '.')
    p.dot(9, 7, 'w')
    p.dot(10, 7, 'w')


def header_footer(p):
    page(p, 2, 0, 13, 15)
    for y in (2, 13):
        for x in range(4, 12, 2):
            p.dot(x, y, 'b')
    paragraph_lines(p, 4, 5, 11, 3, 'g')


def toc(p):
    page(p, 1, 0, 14, 15)
    for i, y in enumerate((3, 6, 9, 12)):
        indent = 3 if i in (0, 3) else 5
        p.hline(indent, indent + 3, y, 'k')
        for x in range(indent + 5, 11, 2):
            p.dot(x, y, 'g')
        p.dot(12, y, 'b')


def margins(p):
    page(p, 1, 0, 14, 15)
    for x in range(3, 13, 2):
        p.dot(x, 2, 'b')
        p.dot(x, 13, 'b')
    for y in range(2, 14, 2):
        p.dot(3, y, 'b')
        p.dot(12, y, 'b')


def join_split(p, join):
    """Paragraphs (blocks of lines) joined into one, or one split into several."""
    def block(x, ys):
        for y in ys:
            p.hline(x, x + 4, y, 'k')
    whole, parts = (10, 0) if join else (0, 10)
    block(whole, (3, 6, 9, 12))
    block(parts, (2, 4))
    block(parts, (11, 13))
    right_arrow(p, 5, 9, 7, 'b')


def sort(p, ascending):
    first, second = ('A', 'Z') if ascending else ('Z', 'A')
    p.text(2, 1, first, 'k')
    p.text(2, 9, second, 'k')
    down_arrow(p, 11, 1, 14, 'b')


def save_with(p, mark):
    disk(p, 0, 0, 10)
    mark(p)


def fields_refresh(p):
    braces(p)
    p.line(5, 5, 9, 5, 'G')
    p.line(9, 5, 10, 7, 'G')
    p.line(10, 8, 9, 10, 'G')
    p.hline(5, 9, 10, 'G')
    p.line(4, 8, 5, 10, 'G')
    p.line(6, 3, 4, 5, 'G')
    p.line(6, 7, 4, 5, 'G')


# The pictures with a drawing of their own.
DRAWN = {
    0: lambda p: generic(p, '?', 'g'),
    100: lambda p: page(p),
    120: folder,
    140: lambda p: (page(p), p.line(8, 8, 14, 14, 'r'), p.line(14, 8, 8, 14, 'r')),
    160: lambda p: (page(p, 1, 1, 9, 12), page(p, 6, 3, 14, 14), p.line(9, 9, 14, 14, 'r'),
                    p.line(14, 9, 9, 14, 'r')),
    180: lambda p: disk(p),
    200: lambda p: (disk(p, 1, 1, 11), p.line(9, 14, 15, 8, 'r')),
    220: lambda p: (disk(p, 0, 0, 10), disk(p, 5, 5, 10)),
    260: lambda p: (page(p), p.rect(5, 3, 10, 12, '.', 'r')),
    280: printer,
    290: lambda p: (page(p, 1, 1, 10, 14), magnifier(p, 6, 5)),
    300: envelope,
    1200: lambda p: (page(p), p.text(5, 5, 'W', 'b')),
    1260: star,
    3200: lambda p: (p.line(2, 2, 13, 13, 'r'), p.line(3, 2, 14, 13, 'r'), p.line(13, 2, 2, 13, 'r'),
                     p.line(14, 2, 3, 13, 'r')),
    3340: two_pages,
    3360: clipboard,
    3420: scissors,
    3640: lambda p: magnifier(p),
    3840: lambda p: arrow(p, True),
    3860: lambda p: arrow(p, False),
    6000: pilcrow,
    6170: lambda p: zoom_page(p, 'L'),
    6171: lambda p: zoom_page(p, 'T'),
    6172: lambda p: zoom_page(p, 'E'),
    6173: lambda p: zoom_page(p, '2'),
    6174: lambda p: (p.rect(1, 1, 14, 14, 'w', 'k'), p.text(2, 5, '1', 'b'), p.text(6, 5, '0', 'b'),
                     p.text(10, 5, '0', 'b')),
    6263: lambda p: (p.line(2, 5, 12, 5, 'b'), p.line(9, 2, 12, 5, 'b'), p.line(9, 8, 12, 5, 'b'),
                     p.line(3, 11, 13, 11, 'G'), p.line(6, 8, 3, 11, 'G'), p.line(6, 14, 3, 11, 'G')),
    7000: lambda p: (p.rect(1, 1, 14, 14, 'w', 'k'), p.line(3, 3, 6, 6, 'b'), p.line(12, 3, 9, 6, 'b'),
                     p.line(3, 12, 6, 9, 'b'), p.line(12, 12, 9, 9, 'b')),
    9080: lambda p: lines_aligned(p, 'left'),
    9081: lambda p: lines_aligned(p, 'center'),
    9082: lambda p: lines_aligned(p, 'right'),
    9083: lambda p: lines_aligned(p, 'justify'),
    9320: lambda p: [(p.rect(2, y, 3, y + 1, 'k'), p.hline(6, 13, y, 'k')) for y in (3, 7, 11)],
    12120: lambda p: (letter(p, 'B', 'k'), p.text(6, 2, 'B', 'k', 2)),
    12140: lambda p: p.line(10, 2, 5, 13, 'k') or p.line(11, 2, 6, 13, 'k') or p.hline(8, 13, 2, 'k')
    or p.hline(3, 8, 13, 'k'),
    12160: lambda p: letter(p, 'U', 'k', True),
    12180: lambda p: (p.text(2, 3, 'A', 'k', 2), p.text(10, 2, '+', 'k')),
    12200: lambda p: (p.text(2, 3, 'A', 'k', 2), p.text(10, 2, '-', 'k')),
    704: lambda p: (p.text(1, 1, 'A', 'k'), p.text(5, 1, 'B', 'k'), p.line(8, 9, 13, 4, 'k'),
                    p.line(9, 9, 14, 4, 'g')),
    705: lambda p: letter(p, 'A', 'k', False),
    90000: lambda p: windows(p, 'cascade'),
    90020: lambda p: windows(p, 'horizontal'),
    90040: lambda p: windows(p, 'vertical'),
    100000: lambda p: (p.rect(3, 1, 12, 14, 'y', 'k'), p.text(4, 3, '?', 'b', 2)),
    600: bars,
    701: hand,
    702: brush,
    3440: lambda p: (piggy(p, 0, 6), small_pages(p, 8, 0)),
    3445: lambda p: (piggy(p, 0, 6), scissors_small(p)),
    3460: lambda p: (piggy(p, 0, 6), p.line(9, 0, 14, 5, 'r'), p.line(14, 0, 9, 5, 'r'), p.line(10, 0, 15, 5, 'r'),
                     p.line(15, 0, 10, 5, 'r')),
    3480: lambda p: (piggy(p, 0, 6), up_arrow(p, 12, 0, 6, 'b')),
    3485: lambda p: (piggy(p, 0, 6), p.line(9, 3, 11, 5, 'G'), p.line(11, 5, 15, 0, 'G'), p.line(9, 2, 11, 4, 'G'),
                     p.line(11, 4, 15, -1, 'G')),
    3540: calendar,
    3560: clock,
    3580: lambda p: (circle(p, 7, 7, 6, 'B', 'w'), p.text(6, 5, 'C', 'B')),
    3600: lambda p: landscape(p, 1, 2, 14, 13),
    3620: lambda p: (page(p, 6, 1, 14, 14), right_arrow(p, 0, 9, 7, 'b')),
    3630: braces,
    3680: lambda p: save_with(p, lambda q: (q.rect(8, 8, 15, 15, 'w', 'k'), [q.dot(x, 10, 'b') for x in range(9, 15)],
                                            [q.dot(x, 12, 'b') for x in range(9, 13)])),
    3700: lambda p: save_with(p, lambda q: landscape(q, 7, 7, 15, 15)),
    3920: lambda p: join_split(p, True),
    3925: lambda p: join_split(p, False),
    3930: lambda p: sort(p, True),
    3931: lambda p: sort(p, False),
    3980: lambda p: (p.text(1, 3, 'A', 'k', 2), up_arrow(p, 12, 2, 13, 'b')),
    4000: lambda p: (p.text(1, 3, 'a', 'k', 2), down_arrow(p, 12, 2, 13, 'b')),
    4020: lambda p: (p.text(0, 3, 'A', 'k', 2), p.text(8, 3, 'a', 'k', 2), p.hline(2, 12, 14, 'b')),
    4100: lambda p: (p.text(0, 5, 'f', 'B'), p.text(4, 5, '(', 'k'), p.text(7, 5, 'x', 'k'), p.text(10, 5, ')', 'k')),
    4120: calculator,
    4500: lambda p: (page(p, 6, 1, 14, 14), right_arrow(p, 0, 11, 7, 'G'), p.hline(8, 12, 11, 'g')),
    4520: bookmark,
    4540: link,
    4600: toc,
    5000: fields_refresh,
    5100: card,
    5250: lambda p: (books(p), p.rect(10, 9, 15, 15, 'w', 'k'), p.hline(11, 14, 12, 'G'), p.vline(12, 10, 14, 'G'),
                     p.vline(13, 10, 14, 'G')),
    6020: margins,
    6060: lambda p: ruler(p, False),
    6065: lambda p: ruler(p, True),
    6400: lambda p: piggy(p, 1, 3),
    6450: books,
    7200: header_footer,
    9020: lambda p: (paragraph_lines(p, 1, 2, 10, 4), small_pages(p, 8, 8)),
    9040: lambda p: (paragraph_lines(p, 1, 2, 10, 4), small_clipboard(p, 8, 8)),
    12020: lambda p: (p.text(0, 1, 'A', 'k', 2), small_pages(p, 8, 8)),
    12040: lambda p: (p.text(0, 1, 'A', 'k', 2), small_clipboard(p, 8, 8)),
    12210: lambda p: (p.text(0, 3, 'A', 'k', 2), p.text(9, 7, 'A', 'k')),
    12215: lambda p: (p.text(0, 3, 'A', 'k', 2), p.text(8, 3, 'A', 'k', 2)),
    12440: globe,
    1000000000: lambda p: (p.rect(1, 4, 14, 11, 'w', 'k'), p.rect(10, 5, 13, 10, 'l'),
                           p.line(11, 7, 12, 7, 'k'), p.dot(11, 8, 'k'), p.dot(12, 8, 'k')),
}

# The others: a label on a grey tile.
LABELS = {
    202: 'PDF', 205: 'HT', 230: 'EXP', 305: 'ZIP', 320: 'INF', 640: 'OPT', 641: 'SON',
    703: 'LOU', 800: 'ABC', 850: 'AC', 3380: 'CS',
    3570: 'NP', 3571: 'NP',
    3880: 'HIS', 3900: 'HIS',
    7300: 'EP', 7340: 'PP',
    7350: 'PR', 7400: '<', 7401: '>', 9000: 'PAR', 9100: '>', 9120: '<',
    9140: 'RET', 9160: 'RET', 9170: 'RET', 9180: '1', 9200: '15', 9220: '2', 9240: 'E0', 9243: 'E6',
    9246: 'EA', 9260: 'STD', 9270: 'BOR', 9271: 'BOR', 9272: 'BOR', 9280: 'TAB', 9300: 'STY',
    9310: 'STY', 12000: 'F', 12150: 'SOU', 12161: 'W', 12162: 'UU',
    12166: 'U', 12168: 'U', 12170: 'S', 12171: 'SS', 12220: 'EX', 12240: 'IN',
    12310: 'NRM', 12320: 'STD', 12340: 'ESP', 12360: 'ESP', 12380: 'POS', 12400: 'POS',
    15600: 'COL', 15700: 'NUM', 90060: 'RED', 90080: 'FEN', 100070: '?', 101120: 'WEB',
}


def main():
    out = ['# The toolbar button pictures, 16 by 16 (resources NORMALTOOLBARIMAGES, GRAYEDTOOLBARIMAGES and',
           '# TOOLBARIMAGECOMMANDS), drawn by scripts/draw-toolbar-images.py: change the script, not this file.',
           'palette']
    out += ['%s %s' % entry for entry in PALETTE]
    commands = sorted(set(DRAWN) | set(LABELS))
    for command in commands:
        p = Picture()
        if command in DRAWN:
            DRAWN[command](p)
        else:
            generic(p, LABELS[command], 'B')
        out.append('image %d' % command)
        out += p.rows()
    with open(os.path.join(ROOT, 'resources', 'tables', 'ToolbarImages.txt'), 'w') as f:
        f.write('\n'.join(out) + '\n')

    # The more-commands button: a chevron pointing down, 8 by 16.
    more = ['# The picture of the toolbars\' more-commands button (resource MORECOMMANDS), drawn by',
            '# scripts/draw-toolbar-images.py.', 'palette', '. 808000', 'k 000000', 'image 0',
            '........', '........', '........', '........', '........', '........', '.k...k..', '..k.k...',
            '...k....', '.k...k..', '..k.k...', '...k....', '........', '........', '........', '........']
    with open(os.path.join(ROOT, 'resources', 'tables', 'MoreCommands.txt'), 'w') as f:
        f.write('\n'.join(more) + '\n')


main()
