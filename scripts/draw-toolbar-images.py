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
    1000000000: lambda p: (p.rect(1, 4, 14, 11, 'w', 'k'), p.rect(10, 5, 13, 10, 'l'),
                           p.line(11, 7, 12, 7, 'k'), p.dot(11, 8, 'k'), p.dot(12, 8, 'k')),
}

# The others: a label on a grey tile.
LABELS = {
    202: 'PDF', 205: 'HT', 230: 'EXP', 305: 'ZIP', 320: 'INF', 600: 'STA', 640: 'OPT', 641: 'SON',
    701: 'MAN', 702: 'PAL', 703: 'LOU', 800: 'ABC', 850: 'AC', 3380: 'CS', 3440: 'PN', 3445: 'PN',
    3460: 'PN', 3480: 'PN', 3485: 'PN', 3540: 'DAT', 3560: 'HEU', 3570: 'NP', 3571: 'NP', 3580: 'SYM',
    3600: 'IMG', 3620: 'FIC', 3630: 'CH', 3680: 'OLE', 3700: 'OBJ', 3880: 'HIS', 3900: 'HIS',
    3920: 'LIE', 3925: 'LIE', 3930: 'SIG', 3931: 'SIG', 3980: 'AA', 4000: 'AB', 4020: 'MAJ', 4100: 'CLV',
    4120: 'CAL', 4500: 'ALL', 4520: 'SIG', 4540: 'LNK', 4600: 'TOC', 5000: 'CH', 5100: 'CH', 5250: 'PRE',
    6020: 'MAR', 6060: 'RH', 6065: 'RV', 6400: 'SEL', 6450: 'NAV', 7200: 'ENT', 7300: 'EP', 7340: 'PP',
    7350: 'PR', 7400: '<', 7401: '>', 9000: 'PAR', 9020: 'CP', 9040: 'CP', 9100: '>', 9120: '<',
    9140: 'RET', 9160: 'RET', 9170: 'RET', 9180: '1', 9200: '15', 9220: '2', 9240: 'E0', 9243: 'E6',
    9246: 'EA', 9260: 'STD', 9270: 'BOR', 9271: 'BOR', 9272: 'BOR', 9280: 'TAB', 9300: 'STY',
    9310: 'STY', 12000: 'F', 12020: 'CP', 12040: 'CP', 12150: 'SOU', 12161: 'W', 12162: 'UU',
    12166: 'U', 12168: 'U', 12170: 'S', 12171: 'SS', 12210: 'X2', 12215: 'X2', 12220: 'EX', 12240: 'IN',
    12310: 'NRM', 12320: 'STD', 12340: 'ESP', 12360: 'ESP', 12380: 'POS', 12400: 'POS', 12440: 'LNG',
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
