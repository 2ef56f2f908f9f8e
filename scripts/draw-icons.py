#!/usr/bin/env python3
"""Draws the program's icons and writes them as .ico files (32 x 32 and 16 x 16, 32 bits a pixel) into
resources/icons/. The files are committed; run this again after changing a drawing.

Icon resource n is the program file's icon index n - 1: 1 the program, 2 to 9 the file types it
registers (documents, encrypted documents, toolbar images, toolbar settings, spell-check systems, sound
schemes, sound settings, format palettes), 10 and 11 further documents, 12 the uninstaller."""
import os
import struct

WHITE, EDGE, FOLD = (255, 255, 255, 255), (90, 90, 90, 255), (200, 200, 200, 255)
BLUE, RED, GREEN = (30, 80, 200, 255), (200, 30, 30, 255), (20, 140, 40, 255)
GOLD, DARK, GREY = (230, 170, 20, 255), (40, 40, 40, 255), (150, 150, 150, 255)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[(0, 0, 0, 0)] * size for _ in range(size)]

    def s(self, v):  # drawings are made on a 32-pixel grid
        return int(v * self.size // 32)

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(self.s(y0), max(self.s(y1), self.s(y0) + 1)):
            for x in range(self.s(x0), max(self.s(x1), self.s(x0) + 1)):
                if 0 <= x < self.size and 0 <= y < self.size:
                    self.px[y][x] = colour

    def line(self, x0, y0, x1, y1, colour, width=2):
        steps = 64
        for i in range(steps + 1):
            x = x0 + (x1 - x0) * i / steps
            y = y0 + (y1 - y0) * i / steps
            self.rect(x, y, x + width, y + width, colour)

    def page(self):
        self.rect(5, 1, 27, 31, EDGE)
        self.rect(6, 2, 26, 30, WHITE)
        self.rect(20, 2, 26, 8, FOLD)

    def text_lines(self, colour, rows=(10, 14, 18, 22, 26)):
        for y in rows:
            self.rect(9, y, 23, y + 1, colour)


def program(c):
    c.page()
    c.text_lines(GREY, (14, 18, 22, 26))
    c.line(25, 2, 11, 22, BLUE, 3)  # the quill
    c.line(11, 22, 9, 27, DARK, 2)


def document(c):
    c.page()
    c.text_lines(BLUE)


def encrypted(c):
    document(c)
    c.rect(13, 16, 27, 28, GOLD)
    c.rect(15, 10, 17, 16, DARK)
    c.rect(23, 10, 25, 16, DARK)
    c.rect(15, 9, 25, 11, DARK)
    c.rect(19, 20, 21, 25, DARK)


def toolbar_images(c):
    c.page()
    for i, colour in enumerate((RED, GREEN, BLUE, GOLD)):
        x, y = 9 + (i % 2) * 8, 11 + (i // 2) * 8
        c.rect(x, y, x + 6, y + 6, colour)


def toolbar_settings(c):
    c.page()
    c.rect(8, 10, 24, 16, GREY)
    for x in (9, 14, 19):
        c.rect(x, 11, x + 4, 15, BLUE)
    c.text_lines(GREY, (20, 24))


def spelling(c):
    c.page()
    c.text_lines(GREY, (10, 14))
    c.line(9, 21, 14, 26, RED, 3)
    c.line(14, 26, 24, 16, RED, 3)


def note(c, colour):
    c.page()
    c.rect(18, 10, 20, 24, colour)
    c.rect(12, 21, 19, 26, colour)
    c.line(19, 10, 24, 14, colour, 2)


def palette(c):
    c.page()
    for (x, y), colour in zip(((9, 10), (17, 10), (9, 18), (17, 18)), (RED, GREEN, BLUE, GOLD)):
        c.rect(x, y, x + 6, y + 6, colour)


def further_document(colour):
    def draw(c):
        c.page()
        c.text_lines(colour)
    return draw


def uninstall(c):
    c.page()
    c.text_lines(GREY)
    c.line(9, 10, 22, 25, RED, 3)
    c.line(22, 10, 9, 25, RED, 3)


ICONS = [
    ("quillpad", program), ("document", document), ("encrypted", encrypted),
    ("toolbar-images", toolbar_images), ("toolbar-settings", toolbar_settings), ("spelling", spelling),
    ("sound-scheme", lambda c: note(c, GREEN)), ("sound-settings", lambda c: note(c, BLUE)),
    ("format-palette", palette), ("document-2", further_document(GREEN)),
    ("document-3", further_document(DARK)), ("uninstall", uninstall),
]


def image(draw, size):
    c = Canvas(size)
    draw(c)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b"".join(bytes((b, g, r, a)) for row in reversed(c.px) for (r, g, b, a) in row)
    mask_row = (size + 31) // 32 * 4
    mask = bytearray()
    for row in reversed(c.px):
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    return header + xor + bytes(mask)


def ico(draw):
    images = [image(draw, size) for size in (32, 16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip((32, 16), images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(images)


def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources", "icons")
    os.makedirs(folder, exist_ok=True)
    for name, draw in ICONS:
        with open(os.path.join(folder, name + ".ico"), "wb") as f:
            f.write(ico(draw))


if __name__ == "__main__":
    main()
