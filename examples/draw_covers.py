#!/usr/bin/env python3
"""Draws the cover pictures of the demo collection into examples/MEDIAS.

Every picture is drawn here from simple shapes and a small block font, and written by the encoders
below in each picture format the program shows: JPG (baseline), GIF (LZW), BMP, TGA and PCX. Only
the standard library is used. Run it again after changing a design: python3 examples/draw_covers.py
"""
import math
import os
import random
import struct
import sys

W, H = 240, 336  # multiples of 8 for the JPEG blocks

# 5x7 block font: one string of five 0/1 per row.
FONT = {
    "A": "01110 10001 10001 11111 10001 10001 10001", "B": "11110 10001 10001 11110 10001 10001 11110",
    "C": "01110 10001 10000 10000 10000 10001 01110", "D": "11110 10001 10001 10001 10001 10001 11110",
    "E": "11111 10000 10000 11110 10000 10000 11111", "F": "11111 10000 10000 11110 10000 10000 10000",
    "G": "01110 10001 10000 10111 10001 10001 01111", "H": "10001 10001 10001 11111 10001 10001 10001",
    "I": "01110 00100 00100 00100 00100 00100 01110", "J": "00111 00010 00010 00010 00010 10010 01100",
    "K": "10001 10010 10100 11000 10100 10010 10001", "L": "10000 10000 10000 10000 10000 10000 11111",
    "M": "10001 11011 10101 10101 10001 10001 10001", "N": "10001 11001 10101 10011 10001 10001 10001",
    "O": "01110 10001 10001 10001 10001 10001 01110", "P": "11110 10001 10001 11110 10000 10000 10000",
    "Q": "01110 10001 10001 10001 10101 10010 01101", "R": "11110 10001 10001 11110 10100 10010 10001",
    "S": "01111 10000 10000 01110 00001 00001 11110", "T": "11111 00100 00100 00100 00100 00100 00100",
    "U": "10001 10001 10001 10001 10001 10001 01110", "V": "10001 10001 10001 10001 10001 01010 00100",
    "W": "10001 10001 10001 10101 10101 10101 01010", "X": "10001 10001 01010 00100 01010 10001 10001",
    "Y": "10001 10001 01010 00100 00100 00100 00100", "Z": "11111 00001 00010 00100 01000 10000 11111",
    "0": "01110 10001 10011 10101 11001 10001 01110", "1": "00100 01100 00100 00100 00100 00100 01110",
    "2": "01110 10001 00001 00010 00100 01000 11111", "'": "00100 00100 01000 00000 00000 00000 00000",
    ",": "00000 00000 00000 00000 00110 00100 01000", ".": "00000 00000 00000 00000 00000 01100 01100",
    "-": "00000 00000 00000 11111 00000 00000 00000", ":": "00000 01100 01100 00000 01100 01100 00000",
    " ": "00000 00000 00000 00000 00000 00000 00000",
}


class Canvas:
    def __init__(self, top, bottom):
        self.px = bytearray(W * H * 3)
        for y in range(H):
            t = y / (H - 1)
            c = bytes(round(a + (b - a) * t) for a, b in zip(top, bottom))
            self.px[y * W * 3:(y + 1) * W * 3] = c * W

    def put(self, x, y, c):
        if 0 <= x < W and 0 <= y < H:
            i = (y * W + x) * 3
            self.px[i:i + 3] = bytes(c)

    def rect(self, x0, y0, x1, y1, c):
        for y in range(max(0, y0), min(H, y1)):
            for x in range(max(0, x0), min(W, x1)):
                self.put(x, y, c)

    def disc(self, cx, cy, r, c, inner=0):
        for y in range(max(0, cy - r), min(H, cy + r + 1)):
            for x in range(max(0, cx - r), min(W, cx + r + 1)):
                d = (x - cx) ** 2 + (y - cy) ** 2
                if inner * inner <= d <= r * r:
                    self.put(x, y, c)

    def ellipse(self, cx, cy, rx, ry, c):
        for y in range(cy - ry, cy + ry + 1):
            for x in range(cx - rx, cx + rx + 1):
                if ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1:
                    self.put(x, y, c)

    def polygon(self, pts, c):
        ys = [p[1] for p in pts]
        for y in range(max(0, min(ys)), min(H, max(ys) + 1)):
            xs = []
            for (x0, y0), (x1, y1) in zip(pts, pts[1:] + pts[:1]):
                if (y0 <= y < y1) or (y1 <= y < y0):
                    xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
            xs.sort()
            for a, b in zip(xs[::2], xs[1::2]):
                for x in range(max(0, math.ceil(a)), min(W, math.floor(b) + 1)):
                    self.put(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1):
        n = max(abs(x1 - x0), abs(y1 - y0), 1)
        for i in range(n + 1):
            x = round(x0 + (x1 - x0) * i / n)
            y = round(y0 + (y1 - y0) * i / n)
            self.rect(x, y, x + width, y + width, c)

    def text(self, s, y, c, scale=3):
        width = len(s) * 6 * scale - scale
        x = (W - width) // 2
        for ch in s:
            rows = FONT[ch].split()
            for ry, row in enumerate(rows):
                for rx, bit in enumerate(row):
                    if bit == "1":
                        self.rect(x + rx * scale, y + ry * scale, x + (rx + 1) * scale, y + (ry + 1) * scale, c)
            x += 6 * scale

    def lines(self, words, y, c, scale=3):
        for i, w in enumerate(words):
            self.text(w, y + i * 9 * scale, c, scale)

    def rgb(self, x, y):
        i = (y * W + x) * 3
        return self.px[i], self.px[i + 1], self.px[i + 2]


# ---- palette formats: a 6x6x6 colour cube ----
PALETTE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
PALETTE += [(0, 0, 0)] * (256 - len(PALETTE))


def indexed(cv):
    return bytes(round(cv.px[i] / 51) * 36 + round(cv.px[i + 1] / 51) * 6 + round(cv.px[i + 2] / 51)
                 for i in range(0, len(cv.px), 3))


def write_bmp(cv, path):
    row = (W * 3 + 3) & ~3
    data = bytearray()
    for y in range(H - 1, -1, -1):
        line = bytearray()
        for x in range(W):
            r, g, b = cv.rgb(x, y)
            line += bytes((b, g, r))
        data += line + b"\0" * (row - len(line))
    head = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, W, H, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(path, "wb").write(head + info + data)


def write_tga(cv, path):
    # Uncompressed true colour, rows from the top (descriptor bit 5).
    head = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, W, H, 24, 0x20)
    data = bytearray()
    for y in range(H):
        for x in range(W):
            r, g, b = cv.rgb(x, y)
            data += bytes((b, g, r))
    # The version 2 footer, without which some readers refuse the file.
    footer = struct.pack("<II", 0, 0) + b"TRUEVISION-XFILE.\0"
    open(path, "wb").write(head + data + footer)


def write_pcx(cv, path):
    pix = indexed(cv)
    head = struct.pack("<BBBBHHHHHH48sBBHHHH54s", 10, 5, 1, 8, 0, 0, W - 1, H - 1, 72, 72, b"\0" * 48, 0, 1, W,
                       1, 0, 0, b"\0" * 54)
    data = bytearray()
    for y in range(H):
        row = pix[y * W:(y + 1) * W]
        x = 0
        while x < W:
            n = 1
            while x + n < W and n < 63 and row[x + n] == row[x]:
                n += 1
            if n > 1 or row[x] >= 0xC0:
                data.append(0xC0 | n)
            data.append(row[x])
            x += n
    pal = b"".join(bytes(c) for c in PALETTE)
    open(path, "wb").write(head + data + b"\x0c" + pal)


def write_gif(cv, path):
    pix = indexed(cv)
    out = bytearray(b"GIF89a" + struct.pack("<HHBBB", W, H, 0xF7, 0, 0))
    out += b"".join(bytes(c) for c in PALETTE)
    out += b"," + struct.pack("<HHHHB", 0, 0, W, H, 0) + bytes((8,))
    # LZW with 8-bit roots; a clear code whenever the table is full.
    clear, end = 256, 257
    codes, width, table = [], 9, {}
    acc, nbits, packed = 0, 0, bytearray()

    def emit(code):
        nonlocal acc, nbits
        acc |= code << nbits
        nbits += width
        while nbits >= 8:
            packed.append(acc & 0xFF)
            acc >>= 8
            nbits -= 8

    emit(clear)
    nxt = 258
    prefix = pix[0]
    for k in pix[1:]:
        key = (prefix, k)
        if key in table:
            prefix = table[key]
            continue
        emit(prefix)
        if nxt < 4096:
            table[key] = nxt
            nxt += 1
            if nxt > (1 << width) and width < 12:
                width += 1
        else:
            emit(clear)
            table, nxt, width = {}, 258, 9
        prefix = k
    emit(prefix)
    emit(end)
    if nbits:
        packed.append(acc & 0xFF)
    for i in range(0, len(packed), 255):
        chunk = packed[i:i + 255]
        out += bytes((len(chunk),)) + chunk
    out += b"\0;"
    open(path, "wb").write(out)


# ---- baseline JPEG, 4:4:4, one quantisation table per kind and simple fixed-length codes ----
LUMA_Q = [16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69, 56,
          14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
          49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99]
CHROMA_Q = [min(99, q * 2) for q in LUMA_Q]
ZIGZAG = [(r, s - r) for s in range(15) for r in (range(min(s, 7), max(0, s - 7) - 1, -1) if s % 2 == 0
                                                    else range(max(0, s - 7), min(s, 7) + 1))]
COS = [[(math.sqrt(0.5) if u == 0 else 1) * math.cos((2 * x + 1) * u * math.pi / 16) / 2 for x in range(8)]
       for u in range(8)]
# Every DC category 0..11 in 4 bits; every AC symbol (EOB, ZRL, run/size) in 8 bits.
DC_SYMBOLS = list(range(12))
AC_SYMBOLS = [0x00, 0xF0] + [(r << 4) | s for r in range(16) for s in range(1, 11)]


def huffman_table(length, symbols):
    return {s: (i, length) for i, s in enumerate(symbols)}


DC_CODES = huffman_table(4, DC_SYMBOLS)
AC_CODES = huffman_table(8, AC_SYMBOLS)


def fdct(block):
    rows = [[sum(COS[u][x] * block[y][x] for x in range(8)) for u in range(8)] for y in range(8)]
    return [[sum(COS[v][y] * rows[y][u] for y in range(8)) for u in range(8)] for v in range(8)]


def write_jpg(cv, path, quality=90):
    scale = 5000 / quality if quality < 50 else 200 - 2 * quality
    tables = [[max(1, min(255, (q * scale + 50) // 100)) for q in t] for t in (LUMA_Q, CHROMA_Q)]
    planes = [[[0.0] * W for _ in range(H)] for _ in range(3)]
    for y in range(H):
        for x in range(W):
            r, g, b = cv.rgb(x, y)
            planes[0][y][x] = 0.299 * r + 0.587 * g + 0.114 * b - 128
            planes[1][y][x] = -0.168736 * r - 0.331264 * g + 0.5 * b
            planes[2][y][x] = 0.5 * r - 0.418688 * g - 0.081312 * b

    bits = bytearray()
    acc, nbits = 0, 0

    def put(code, length):
        nonlocal acc, nbits
        acc = (acc << length) | code
        nbits += length
        while nbits >= 8:
            byte = (acc >> (nbits - 8)) & 0xFF
            bits.append(byte)
            if byte == 0xFF:
                bits.append(0)
            nbits -= 8
        acc &= (1 << nbits) - 1

    def magnitude(v):
        size = abs(v).bit_length()
        return size, (v if v >= 0 else v + (1 << size) - 1)

    previous = [0, 0, 0]
    for by in range(0, H, 8):
        for bx in range(0, W, 8):
            for c in range(3):
                block = [planes[c][by + y][bx:bx + 8] for y in range(8)]
                coef = fdct(block)
                q = tables[0 if c == 0 else 1]
                zz = [round(coef[r][s] / q[r * 8 + s]) for r, s in ZIGZAG]
                size, value = magnitude(zz[0] - previous[c])
                previous[c] = zz[0]
                put(*DC_CODES[size])
                if size:
                    put(value, size)
                run = 0
                last = max((i for i in range(1, 64) if zz[i]), default=0)
                for i in range(1, last + 1):
                    if zz[i] == 0:
                        run += 1
                        continue
                    while run > 15:
                        put(*AC_CODES[0xF0])
                        run -= 16
                    size, value = magnitude(zz[i])
                    put(*AC_CODES[(run << 4) | size])
                    put(value, size)
                    run = 0
                if last < 63:
                    put(*AC_CODES[0x00])
    if nbits:
        put((1 << (8 - nbits)) - 1, 8 - nbits)

    def segment(marker, payload):
        return struct.pack(">BBH", 0xFF, marker, len(payload) + 2) + payload

    def dht(cls, ident, length, symbols):
        counts = [0] * 16
        counts[length - 1] = len(symbols)
        return bytes(((cls << 4) | ident,)) + bytes(counts) + bytes(symbols)

    out = b"\xff\xd8"
    out += segment(0xE0, b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0")
    for i, t in enumerate(tables):
        out += segment(0xDB, bytes((i,)) + bytes(t[r * 8 + s] for r, s in ZIGZAG))
    out += segment(0xC0, struct.pack(">BHHB", 8, H, W, 3) + bytes((1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1)))
    out += segment(0xC4, dht(0, 0, 4, DC_SYMBOLS) + dht(1, 0, 8, AC_SYMBOLS))
    out += segment(0xDA, bytes((3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0)))
    out += bytes(bits) + b"\xff\xd9"
    open(path, "wb").write(out)


# ---- the designs ----
def stars(cv, n, seed, c=(255, 255, 255)):
    rnd = random.Random(seed)
    for _ in range(n):
        x, y = rnd.randrange(W), rnd.randrange(H)
        cv.rect(x, y, x + rnd.choice((1, 1, 2)), y + rnd.choice((1, 1, 2)), c)


def casablanca():
    cv = Canvas((10, 20, 50), (40, 60, 90))
    cv.polygon([(30, 336), (60, 336), (200, 0), (150, 0)], (90, 100, 120))
    cv.disc(180, 70, 28, (240, 230, 180))
    cv.polygon([(40, 200), (200, 200), (120, 170)], (20, 20, 30))
    cv.rect(110, 190, 130, 236, (20, 20, 30))
    cv.lines(["CASABLANCA"], 276, (240, 220, 160))
    return cv


def godfather():
    cv = Canvas((0, 0, 0), (20, 20, 20))
    for x in (80, 105, 135, 160):
        cv.line(x, 0, 120 + (x - 120) // 3, 150, (220, 220, 220))
    cv.rect(95, 40, 145, 48, (220, 220, 220))
    cv.disc(120, 190, 26, (170, 20, 30))
    cv.disc(120, 190, 12, (110, 10, 20))
    cv.lines(["THE", "GODFATHER"], 250, (235, 235, 235))
    return cv


def vertigo():
    cv = Canvas((230, 90, 20), (200, 40, 20))
    for k in range(12):
        r = 110 - k * 9
        cv.disc(120, 150, r, (0, 0, 0) if k % 2 == 0 else (250, 250, 250), r - 5)
    cv.lines(["VERTIGO"], 290, (0, 0, 0))
    return cv


def star_wars():
    cv = Canvas((0, 0, 10), (0, 0, 30))
    stars(cv, 400, 1977)
    cv.lines(["STAR", "WARS"], 110, (250, 210, 0), 5)
    cv.polygon([(0, 336), (240, 336), (150, 260), (90, 260)], (40, 40, 60))
    return cv


def jaws():
    cv = Canvas((120, 180, 230), (0, 30, 90))
    cv.rect(0, 150, 240, 152, (230, 240, 250))
    cv.polygon([(110, 150), (150, 150), (138, 100)], (70, 80, 90))
    cv.ellipse(120, 250, 60, 22, (40, 40, 50))
    cv.lines(["JAWS"], 40, (200, 20, 20), 5)
    return cv


def jurassic():
    cv = Canvas((20, 60, 20), (5, 25, 5))
    cv.disc(120, 130, 80, (200, 40, 20))
    cv.disc(120, 130, 70, (240, 200, 40))
    cv.polygon([(80, 170), (90, 100), (120, 80), (150, 90), (130, 110), (125, 170)], (0, 0, 0))
    cv.lines(["JURASSIC", "PARK"], 240, (240, 200, 40))
    return cv


def odyssey():
    cv = Canvas((0, 0, 0), (10, 10, 30))
    stars(cv, 120, 2001)
    cv.disc(120, 400, 170, (30, 60, 110))
    cv.disc(120, 220, 22, (255, 250, 220))
    cv.rect(108, 60, 132, 170, (15, 15, 15))
    cv.rect(108, 60, 110, 170, (80, 80, 80))
    cv.lines(["2001"], 20, (230, 230, 230), 4)
    return cv


def blade_runner():
    cv = Canvas((10, 10, 40), (200, 90, 30))
    rnd = random.Random(1982)
    x = 0
    while x < 240:
        w, h = rnd.randrange(15, 40), rnd.randrange(80, 220)
        cv.rect(x, 336 - h, x + w - 2, 336, (15, 15, 25))
        for wy in range(336 - h + 6, 330, 10):
            for wx in range(x + 3, x + w - 5, 7):
                if rnd.random() < 0.3:
                    cv.rect(wx, wy, wx + 3, wy + 4, (250, 200, 90))
        x += w
    cv.lines(["BLADE", "RUNNER"], 30, (60, 200, 230))
    return cv


def alien():
    cv = Canvas((0, 0, 0), (0, 20, 10))
    cv.ellipse(120, 170, 55, 75, (70, 90, 80))
    cv.line(120, 96, 105, 125, (180, 230, 160), 2)
    cv.line(120, 96, 135, 125, (180, 230, 160), 2)
    cv.line(120, 96, 120, 130, (180, 230, 160), 2)
    cv.lines(["ALIEN"], 290, (220, 220, 220))
    return cv


def matrix():
    cv = Canvas((0, 0, 0), (0, 0, 0))
    rnd = random.Random(1999)
    for x in range(4, 240, 12):
        top = rnd.randrange(-200, 200)
        for y in range(top, top + rnd.randrange(60, 300), 10):
            g = rnd.randrange(80, 256)
            cv.rect(x, y, x + 6, y + 7, (0, g, 0))
    cv.lines(["THE", "MATRIX"], 130, (180, 255, 180))
    return cv


def amadeus():
    cv = Canvas((70, 0, 10), (20, 0, 0))
    for r in range(90, 10, -8):
        k = 1 - r / 90
        cv.disc(120, 140, r, (round(120 + 130 * k), round(60 + 160 * k), round(10 + 60 * k)))
    cv.rect(112, 170, 128, 240, (240, 230, 200))
    cv.lines(["AMADEUS"], 280, (240, 200, 90))
    return cv


def west():
    cv = Canvas((250, 160, 60), (160, 60, 20))
    cv.disc(120, 180, 50, (255, 230, 140))
    cv.rect(0, 200, 240, 336, (90, 40, 20))
    for x, h in ((50, 60), (170, 70), (110, 50)):
        cv.rect(x, 200 - h, x + 12, 200, (20, 10, 5))
        cv.disc(x + 6, 200 - h - 6, 7, (20, 10, 5))
        cv.rect(x - 6, 200 - h - 6, x + 18, 200 - h - 3, (20, 10, 5))
    cv.lines(["ONCE UPON", "A TIME IN", "THE WEST"], 230, (250, 220, 170))
    return cv


def samurai():
    cv = Canvas((120, 120, 120), (40, 40, 40))
    rnd = random.Random(1954)
    for _ in range(220):
        x, y = rnd.randrange(-60, 240), rnd.randrange(0, 336)
        cv.line(x, y, x + 8, y + 24, (200, 200, 210))
    for i in range(7):
        cv.rect(20 + i * 30, 220, 32 + i * 30, 300, (10, 10, 10))
    cv.lines(["SEVEN", "SAMURAI"], 30, (250, 250, 250))
    return cv


def ran():
    cv = Canvas((200, 200, 190), (120, 110, 100))
    cv.disc(70, 120, 40, (200, 30, 30))
    cv.disc(170, 120, 40, (230, 200, 30))
    cv.disc(120, 200, 40, (30, 60, 170))
    cv.lines(["RAN"], 270, (20, 20, 20), 5)
    return cv


def amelie():
    cv = Canvas((30, 90, 40), (150, 20, 20))
    cv.disc(120, 130, 60, (250, 200, 80))
    cv.disc(120, 130, 45, (40, 30, 20))
    cv.rect(90, 110, 150, 130, (40, 30, 20))
    cv.lines(["AMELIE"], 260, (250, 220, 120))
    return cv


def metropolis():
    cv = Canvas((30, 30, 40), (10, 10, 10))
    for k in range(-6, 7):
        cv.line(120, 90, 120 + k * 30, 0, (140, 110, 40), 2)
    cv.polygon([(90, 336), (150, 336), (130, 90), (110, 90)], (200, 160, 60))
    for y in range(110, 336, 20):
        cv.rect(100, y, 140, y + 3, (90, 70, 20))
    cv.lines(["METROPOLIS"], 20, (230, 200, 110))
    return cv


COVERS = [
    ("CASABLANCA.JPG", casablanca, write_jpg), ("JURASSIC_PARK.JPG", jurassic, write_jpg),
    ("THE_MATRIX.JPG", matrix, write_jpg), ("AMELIE.JPG", amelie, write_jpg),
    ("THE_GODFATHER.GIF", godfather, write_gif), ("BLADE_RUNNER.GIF", blade_runner, write_gif),
    ("ONCE_UPON_A_TIME_IN_THE_WEST.GIF", west, write_gif), ("METROPOLIS.GIF", metropolis, write_gif),
    ("VERTIGO.BMP", vertigo, write_bmp), ("2001.BMP", odyssey, write_bmp),
    ("SEVEN_SAMURAI.BMP", samurai, write_bmp), ("STAR_WARS.TGA", star_wars, write_tga),
    ("AMADEUS.TGA", amadeus, write_tga), ("JAWS.PCX", jaws, write_pcx), ("ALIEN.PCX", alien, write_pcx),
    ("RAN.PCX", ran, write_pcx),
]

if __name__ == "__main__":
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "MEDIAS")
    os.makedirs(folder, exist_ok=True)
    wanted = set(sys.argv[1:])
    for name, design, writer in COVERS:
        if wanted and name not in wanted:
            continue
        writer(design(), os.path.join(folder, name))
        print(name)
