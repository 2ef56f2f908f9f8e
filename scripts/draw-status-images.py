#!/usr/bin/env python3
"""Draws the status bar's pictures as the text sources that the resource generator reads: the six
document-state icons (13 by 13) and the spell-check status strip (44 frames of 16 by 16).

Run by hand after changing a picture: python3 scripts/draw-status-images.py
It writes resources/tables/status/StatusBarIcon0.txt to StatusBarIcon5.txt and SpellCheckStatus.txt.

A frame of the spell-check strip is (background check on) + 2 x (print preview) + 4 x state, the state
being 0 none, 1 waiting for changes, 2 no error, 3 words in no available language, 4 possible errors, and
5 to 10 the six steps of checking.
"""
import os

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, 'resources', 'tables', 'status')

# The transparent colour comes first.
PALETTE = [('.', '808000'), ('k', '000000'), ('w', 'FFFFFF'), ('g', '808080'), ('l', 'C0C0C0'),
           ('b', '0000C0'), ('r', 'C00000'), ('y', 'FFD000'), ('Y', 'A07800'), ('G', '008000'),
           ('o', 'FF8000'), ('c', '00A0C0')]


class Picture:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [['.'] * w for _ in range(h)]

    def set(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):  # both corners included
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        self.rect(x0, y0, x1, y0, c)
        self.rect(x0, y1, x1, y1, c)
        self.rect(x0, y0, x0, y1, c)
        self.rect(x1, y0, x1, y1, c)

    def draw(self, rows, x0, y0):
        for y, row in enumerate(rows):
            for x, c in enumerate(row):
                if c != ' ':
                    self.set(x0 + x, y0 + y, c)

    def recolour(self, mapping):
        self.px = [[mapping.get(c, c) for c in row] for row in self.px]

    def rows(self):
        return [''.join(r) for r in self.px]


def page(p):
    p.rect(1, 0, 10, 12, 'w')
    p.frame(1, 0, 10, 12, 'g')


def state_icon(i):
    p = Picture(13, 13)
    page(p)
    if i == 0:  # new document: a star
        p.draw(['  y  ', ' yyy ', 'yyyyy', ' yyy ', ' y y '], 7, 7)
    elif i == 1:  # template: a ruled form
        for y in (3, 6, 9):
            p.rect(3, y, 8, y, 'b')
        p.rect(3, 3, 3, 9, 'b')
    elif i == 2:  # backup available: a green arrow into a box
        p.draw(['  G  ', '  G  ', 'GGGGG', ' GGG ', '  G  '], 6, 4)
        p.rect(5, 10, 12, 12, 'G')
    elif i == 3:  # restored from a backup: an orange round arrow
        p.draw([' ooo ', 'o   o', 'o    ', 'o  o ', ' oooo', '   o '], 6, 5)
    elif i == 4:  # print preview: a magnifying glass
        p.draw([' kkk  ', 'k   k ', 'k   k ', 'k   k ', ' kkkk ', '    kk', '     k'], 5, 5)
    elif i == 5:  # encrypted: a padlock
        p.draw([' YYY ', 'Y   Y', 'Y   Y', 'yyyyy', 'yyYyy', 'yyYyy', 'yyyyy'], 7, 6)
    return p


STATE_MARKS = {
    1: ['  ll  ', ' l  l ', 'l  l l', 'l ll l', ' l  l ', '  ll  '],       # a clock: waiting
    2: ['     G', '    GG', 'G  GG ', 'GGGG  ', ' GG   ', '      '],        # a tick: no error
    3: [' bbbb ', 'b    b', '    b ', '   b  ', '      ', '   b  '],        # a question: no language
    4: ['r    r', ' r  r ', '  rr  ', '  rr  ', ' r  r ', 'r    r'],        # a cross: possible errors
}


def spell_frame(n):
    p = Picture(16, 16)
    on, preview, state = n & 1, n >> 1 & 1, n >> 2
    # An open book with lines of text.
    p.rect(1, 3, 7, 12, 'w')
    p.rect(8, 3, 14, 12, 'w')
    p.frame(0, 2, 15, 13, 'k')
    p.rect(7, 2, 8, 13, 'k')
    for y in (5, 7, 9, 11):
        p.rect(2, y, 5, y, 'g')
        p.rect(10, y, 13, y, 'g')
    if state in STATE_MARKS:
        p.rect(9, 9, 15, 15, 'w')
        p.draw(STATE_MARKS[state], 9, 9)
    elif state >= 5:  # checking: a pen running along the lines
        step = state - 5
        x, y = 2 + (step % 3) * 4, 4 + (step // 3) * 5
        p.draw(['   o', '  oo', ' oo ', 'kk  '], x, y)
    if not on:  # background checking off: the picture in greys
        p.recolour({'w': 'l', 'G': 'g', 'r': 'g', 'b': 'g', 'o': 'g'})
    if preview:  # print preview: the picture faded
        p.recolour({'k': 'g', 'g': 'l', 'G': 'l', 'r': 'l', 'b': 'l', 'o': 'l'})
    return p


def write(name, head, pictures):
    lines = ['# ' + h for h in head] + ['palette'] + ['%s %s' % e for e in PALETTE]
    for number, picture in enumerate(pictures):
        lines.append('image %d' % number)
        lines += picture.rows()
    with open(os.path.join(OUT, name), 'w') as f:
        f.write('\n'.join(lines) + '\n')


HEAD = 'drawn by scripts/draw-status-images.py: change the script, not this file.'
os.makedirs(OUT, exist_ok=True)
for i in range(6):
    write('StatusBarIcon%d.txt' % i, ['The status bar icon %d (resource STATUSBARICON%d),' % (i, i), HEAD],
          [state_icon(i)])
write('SpellCheckStatus.txt', ['The spell-check status strip (resource SPLCHKSTATUS),', HEAD],
      [spell_frame(n) for n in range(44)])
