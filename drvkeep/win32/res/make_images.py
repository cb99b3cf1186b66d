#!/usr/bin/env python3
"""Draws the program's icons, hand cursor and banner (run once; the outputs are committed)."""
import struct

def shape_pixels(size, painter):
    px = [[(0, 0, 0, 0)] * size for _ in range(size)]
    for y in range(size):
        for x in range(size):
            c = painter(x / size, y / size)
            if c:
                px[y][x] = c + (255,) if len(c) == 3 else c
    return px

def icon_image(px):
    size = len(px)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    data = b''.join(bytes((b, g, r, a)) for row in reversed(px) for (r, g, b, a) in row)
    row_bytes = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(px):
        bits = 0
        out = bytearray(row_bytes)
        for x, (_, _, _, a) in enumerate(row):
            if a == 0:
                out[x // 8] |= 0x80 >> (x % 8)
        mask += bytes(out)
    return header + data + mask

def write_ico(path, painter, kind=1, hotspot=(0, 0), sizes=(16, 32)):
    images = [icon_image(shape_pixels(s, painter)) for s in sizes]
    out = struct.pack('<HHH', 0, kind, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        a, b = (1, 32) if kind == 1 else hotspot
        if kind == 2:
            a, b = int(hotspot[0] * s), int(hotspot[1] * s)
        out += struct.pack('<BBBBHHII', s, s, 0, 0, a, b, len(img), offset)
        offset += len(img)
    open(path, 'wb').write(out + b''.join(images))

def drive(body, light):
    def p(x, y):
        if 0.1 <= x <= 0.9 and 0.35 <= y <= 0.75:
            if 0.7 <= x <= 0.82 and 0.5 <= y <= 0.62:
                return light
            edge = x < 0.16 or x > 0.84 or y < 0.41 or y > 0.69
            return tuple(max(0, c - 60) for c in body) if edge else body
        return None
    return p

def disc(color, inner=None):
    def p(x, y):
        d = (x - 0.5) ** 2 + (y - 0.5) ** 2
        if d <= 0.16:
            if inner and d <= 0.05:
                return inner
            return color
        return None
    return p

def check(color):
    base = drive((170, 170, 170), (0, 190, 0))
    def p(x, y):
        if abs(y - (0.55 + (x - 0.35))) < 0.09 and 0.3 <= x <= 0.45 or abs(y - (0.7 - (x - 0.45) * 1.2)) < 0.09 and 0.45 <= x <= 0.85:
            return color
        return base(x, y)
    return p

def envelope(x, y):
    if 0.1 <= x <= 0.9 and 0.25 <= y <= 0.75:
        if abs((y - 0.25) - abs(x - 0.5) * 0.9) < 0.06 or x < 0.14 or x > 0.86 or y > 0.71:
            return (60, 60, 140)
        return (250, 250, 235)
    return None

def hand(x, y):
    finger = 0.35 <= x <= 0.5 and 0.05 <= y <= 0.55
    palm = 0.3 <= x <= 0.8 and 0.45 <= y <= 0.9
    knuckles = 0.5 <= x <= 0.8 and 0.35 <= y <= 0.5
    if finger or palm or knuckles:
        border = not (0.38 <= x <= 0.47 and 0.08 <= y <= 0.55 or 0.33 <= x <= 0.77 and 0.48 <= y <= 0.87 or 0.53 <= x <= 0.77 and 0.38 <= y <= 0.5)
        return (0, 0, 0) if border else (255, 255, 255)
    return None

write_ico('drive.ico', drive((170, 170, 170), (0, 190, 0)))            # 1 normal
write_ico('web.ico', disc((30, 110, 220), (120, 200, 120)), sizes=(16,))            # 2 web link
write_ico('mail.ico', envelope, sizes=(16,))                                         # 3 mail link
write_ico('alert.ico', drive((220, 40, 40), (255, 230, 0)))             # 4 alert
write_ico('flash.ico', disc((255, 200, 0)), sizes=(16,))                             # 5 flash
write_ico('beep.ico', disc((120, 120, 120), (255, 255, 255)), sizes=(16,))           # 7 beep
write_ico('monitored.ico', check((0, 140, 0)))                          # 8 monitored drive
write_ico('drives.ico', drive((120, 120, 200), (0, 190, 0)))            # 9 drives page
write_ico('start.ico', disc((0, 150, 70), (255, 255, 255)))             # 10 auto start
write_ico('hand.cur', hand, kind=2, hotspot=(0.42, 0.06))               # cursor 1356

w, h = 160, 34
rows = []
for y in range(h):
    row = b''
    for x in range(w):
        r, g, b = 20 + x // 2, 40 + y * 3, 120 + x // 3
        if 8 <= x <= 30 and 8 <= y <= 26:
            r, g, b = (200, 200, 200) if not (24 <= x <= 27 and 15 <= y <= 18) else (0, 200, 0)
        row += bytes((b, g, r))
    row += b'\0' * ((4 - len(row) % 4) % 4)
    rows.append(row)
pixels = b''.join(reversed(rows))
info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
open('banner.bmp', 'wb').write(struct.pack('<2sIHHI', b'BM', 14 + 40 + len(pixels), 0, 0, 54) + info + pixels)
