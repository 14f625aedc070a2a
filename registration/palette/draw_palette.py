#!/usr/bin/env python3
"""Draws the component palette bitmaps as XPM files beside this script.

Run it after changing a picture: `python3 registration/palette/draw_palette.py`.
Each bitmap is named after its class in upper case; the map, the data browser
and the two providers are 24 x 24, the others 20 x 20. Pixel art: no
antialiasing, a small fixed palette (well under 256 colours). The bottom-left
pixel is left in the background colour, which is the transparent one.
"""

import os

PALETTE = {
    '.': '#C0C0C0',  # background (silver, the transparent colour)
    'k': '#000000', 'w': '#FFFFFF', 'g': '#808080', 'l': '#E0E0E0',
    'r': '#C00000', 'R': '#FF4040', 'b': '#0000C0', 'B': '#4080FF',
    's': '#A0D0FF',  # sea
    'G': '#40A040', 'L': '#A0E080',  # land
    'y': '#FFE060', 'o': '#C08000', 'n': '#000080', 'p': '#F0C0A0',
}


class Canvas:
    def __init__(self, size):
        self.n = size
        self.px = [['.'] * size for _ in range(size)]

    def set(self, x, y, c):
        if 0 <= x < self.n and 0 <= y < self.n:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.set(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def polyline(self, pts, c):
        for (a, b), (d, e) in zip(pts, pts[1:]):
            self.line(a, b, d, e, c)

    def fill_rect(self, x0, y0, x1, y1, c):
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                self.set(x, y, c)

    def rect(self, x0, y0, x1, y1, c):
        self.polyline([(x0, y0), (x1, y0), (x1, y1), (x0, y1), (x0, y0)], c)

    def fill_polygon(self, pts, c):
        ys = [p[1] for p in pts]
        for y in range(min(ys), max(ys) + 1):
            xs = []
            for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(round(a), round(b) + 1):
                    self.set(x, y, c)

    def polygon(self, pts, fill, outline):
        self.fill_polygon(pts, fill)
        self.polyline(pts + pts[:1], outline)

    def ellipse(self, cx, cy, r, fill, outline):
        for y in range(self.n):
            for x in range(self.n):
                d = ((x - cx) ** 2 + (y - cy) ** 2) ** 0.5
                if fill and d <= r - 0.5:
                    self.set(x, y, fill)
                elif d < r + 0.7:
                    self.set(x, y, outline)

    def art(self, x0, y0, rows):
        for dy, row in enumerate(rows):
            for dx, c in enumerate(row):
                if c != ' ':
                    self.set(x0 + dx, y0 + dy, c)

    def text(self, x, y, s, c):
        for ch in s:
            for dy, row in enumerate(FONT[ch]):
                for dx, bit in enumerate(row):
                    if bit == '#':
                        self.set(x + dx, y + dy, c)
            x += len(FONT[ch][0]) + 1

    def xpm(self, name):
        used = sorted({c for row in self.px for c in row})
        out = ['/* XPM */', 'static const char* %s_xpm[] = {' % name.lower(),
               '"%d %d %d 1",' % (self.n, self.n, len(used))]
        out += ['"%s c %s",' % (c, PALETTE[c]) for c in used]
        out += ['"%s"%s' % (''.join(r), ',' if i < self.n - 1 else '')
                for i, r in enumerate(self.px)]
        out.append('};')
        return '\n'.join(out) + '\n'


FONT = {
    'M': ['#...#', '##.##', '#.#.#', '#...#', '#...#'],
    'I': ['###', '.#.', '.#.', '.#.', '###'],
    'F': ['###', '#..', '##.', '#..', '#..'],
    'T': ['###', '.#.', '.#.', '.#.', '.#.'],
    'A': ['.#.', '#.#', '###', '#.#', '#.#'],
    'B': ['##.', '#.#', '##.', '#.#', '##.'],
}


def magnifier(c):
    c.ellipse(7, 7, 5.5, 'w', 'k')
    for i in range(4):
        c.line(11 + i, 12 + i, 12 + i, 12 + i, 'o')
        c.line(11 + i, 13 + i, 12 + i, 13 + i, 'o')
    c.fill_rect(15, 16, 17, 18, 'o')


def pencil(c, x, y):
    """A small pencil whose tip is at (x, y), pointing down-left."""
    c.art(x, y - 7, [
        '      kk',
        '     krrk',
        '    kyyrk',
        '   kyyyk ',
        '  kyyyk  ',
        ' kpyyk   ',
        ' kppk    ',
        'kkk      ',
    ])


def document(c, label):
    c.polygon([(4, 1), (15, 1), (20, 6), (20, 22), (4, 22)], 'w', 'k')
    c.polyline([(15, 1), (15, 6), (20, 6)], 'k')
    c.fill_rect(5, 15, 19, 21, 'b')
    width = sum(len(FONT[ch][0]) + 1 for ch in label) - 1
    c.text(5 + (15 - width) // 2, 16, label, 'w')
    for y in (9, 11, 13):
        c.line(6, y, 17 if y != 9 else 13, y, 'g')


def draw_all():
    icons = {}

    c = Canvas(24)  # TCartova: a map sheet with sea, land, a road and a pin
    c.fill_rect(1, 2, 22, 21, 's')
    c.polygon([(3, 5), (10, 3), (16, 6), (14, 12), (8, 14), (4, 11)], 'L', 'G')
    c.polygon([(12, 15), (19, 13), (21, 19), (14, 20)], 'L', 'G')
    c.polyline([(5, 9), (9, 8), (12, 10), (17, 16)], 'r')
    c.rect(1, 2, 22, 21, 'k')
    c.art(16, 3, [' kk ', 'kRRk', 'kRRk', ' kk ', ' k  '])
    icons['TCARTOVA'] = c

    c = Canvas(20)  # TLayerControl: a list with an eye glyph on each row
    c.fill_rect(1, 1, 18, 18, 'w')
    c.rect(1, 1, 18, 18, 'k')
    c.fill_rect(2, 7, 17, 11, 'n')
    for row, y in enumerate((4, 9, 14)):
        text = 'w' if row == 1 else 'k'
        c.art(3, y - 1, [' kkk ', 'kwbwk', ' kkk '] if row != 1 else [' www ', 'wnbnw', ' www '])
        c.line(10, y, 16, y, text)
    icons['TLAYERCONTROL'] = c

    c = Canvas(20)  # TLayersComboBox: an edit box with a drop-down button
    c.fill_rect(1, 5, 18, 14, 'w')
    c.rect(1, 5, 18, 14, 'k')
    c.fill_rect(12, 6, 17, 13, 'l')
    c.line(12, 6, 12, 13, 'g')
    c.art(13, 8, ['kkkk', ' kk '])
    c.art(3, 8, [' kkk ', 'kwbwk', ' kkk '])
    c.line(8, 9, 10, 9, 'k')
    icons['TLAYERSCOMBOBOX'] = c

    c = Canvas(24)  # TDataBrowser: a grid with a header row and a fixed column
    c.fill_rect(1, 2, 22, 21, 'w')
    c.fill_rect(1, 2, 22, 6, 'l')
    c.fill_rect(1, 2, 5, 21, 'l')
    for y in (6, 10, 14, 18):
        c.line(1, y, 22, y, 'g')
    for x in (5, 12):
        c.line(x, 2, x, 21, 'g')
    c.fill_rect(6, 11, 11, 13, 'n')
    c.rect(1, 2, 22, 21, 'k')
    icons['TDATABROWSER'] = c

    c = Canvas(24)  # TSimpleMIFFormatProvider: a page labelled MIF
    document(c, 'MIF')
    icons['TSIMPLEMIFFORMATPROVIDER'] = c

    c = Canvas(24)  # TMapInfoFormatProvider: a page labelled TAB
    document(c, 'TAB')
    icons['TMAPINFOFORMATPROVIDER'] = c

    c = Canvas(20)  # TSelectionTool: the arrow pointer
    c.art(5, 2, [
        'k        ',
        'kk       ',
        'kwk      ',
        'kwwk     ',
        'kwwwk    ',
        'kwwwwk   ',
        'kwwwwwk  ',
        'kwwwwwwk ',
        'kwwwwwwwk',
        'kwwwwwkkk',
        'kwwkwwk  ',
        'kwk kwwk ',
        'kk  kwwk ',
        'k    kwwk',
        '     kwwk',
        '      kk ',
    ])
    icons['TSELECTIONTOOL'] = c

    c = Canvas(20)  # TZoomInTool: a magnifier with a plus
    magnifier(c)
    c.line(4, 7, 10, 7, 'k')
    c.line(7, 4, 7, 10, 'k')
    icons['TZOOMINTOOL'] = c

    c = Canvas(20)  # TZoomOutTool: a magnifier with a minus
    magnifier(c)
    c.line(4, 7, 10, 7, 'k')
    icons['TZOOMOUTTOOL'] = c

    c = Canvas(20)  # TPanTool: an open hand
    c.art(3, 1, [
        '      kk      ',
        '   kk kpk kk  ',
        '  kppkkpk kpk ',
        '  kppkkpkkppk ',
        '   kpkkpkkpk  ',
        '   kpkkpkkpk k',
        '   kpkkpkkpkkp',
        'kk kppppppppkp',
        'kpkkpppppppppk',
        ' kppppppppppk ',
        ' kppppppppppk ',
        '  kpppppppppk ',
        '  kppppppppk  ',
        '   kpppppppk  ',
        '    kpppppk   ',
        '    kpppppk   ',
        '    kkkkkkk   ',
    ])
    icons['TPANTOOL'] = c

    c = Canvas(20)  # TLineTool: a pencil at the end of a straight line
    c.line(2, 17, 11, 8, 'b')
    c.line(2, 16, 10, 8, 'b')
    pencil(c, 11, 8)
    icons['TLINETOOL'] = c

    c = Canvas(20)  # TPolylineTool: a broken line with its vertices
    pts = [(2, 16), (6, 6), (11, 13), (17, 3)]
    c.polyline(pts, 'b')
    for x, y in pts:
        c.fill_rect(x - 1, y - 1, x + 1, y + 1, 'k')
    icons['TPOLYLINETOOL'] = c

    c = Canvas(20)  # TRectTool: a filled rectangle and the pencil
    c.fill_rect(2, 6, 14, 17, 'y')
    c.rect(2, 6, 14, 17, 'b')
    pencil(c, 10, 9)
    icons['TRECTTOOL'] = c

    c = Canvas(20)  # TRegionTool: a filled polygon with its vertices
    pts = [(2, 8), (9, 2), (17, 7), (15, 17), (5, 15)]
    c.polygon(pts, 'L', 'G')
    for x, y in pts:
        c.fill_rect(x - 1, y - 1, x + 1, y + 1, 'k')
    icons['TREGIONTOOL'] = c

    c = Canvas(20)  # TCircleTool: a filled circle with its centre and radius
    c.ellipse(9, 10, 7.5, 'y', 'b')
    c.line(9, 10, 16, 10, 'k')
    c.fill_rect(8, 9, 10, 11, 'k')
    icons['TCIRCLETOOL'] = c

    c = Canvas(20)  # TSymbolTool: a star symbol
    import math
    star = []
    for i in range(10):
        r = 8.5 if i % 2 == 0 else 3.6
        a = -math.pi / 2 + i * math.pi / 5
        star.append((round(9.5 + r * math.cos(a)), round(10.5 + r * math.sin(a))))
    c.polygon(star, 'R', 'r')
    icons['TSYMBOLTOOL'] = c

    c = Canvas(20)  # TTextTool: a letter A with a text caret
    c.art(2, 3, [
        '     kk     ',
        '     kk     ',
        '    kkkk    ',
        '    k  kk   ',
        '   kk  kk   ',
        '   k    kk  ',
        '  kkkkkkkk  ',
        '  k     kk  ',
        ' kk      kk ',
        ' k       kk ',
        'kkk     kkkk',
    ])
    c.line(16, 2, 16, 16, 'b')
    c.line(15, 2, 17, 2, 'b')
    c.line(15, 16, 17, 16, 'b')
    icons['TTEXTTOOL'] = c
    return icons


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, canvas in draw_all().items():
        with open(os.path.join(here, name.lower() + '.xpm'), 'w') as f:
            f.write(canvas.xpm(name))


if __name__ == '__main__':
    main()
