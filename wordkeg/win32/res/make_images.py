#!/usr/bin/env python3
"""Draws wordkeg32's icon and About picture, a keg with a letter tile (outputs are committed)."""
import struct

def keg(x, y):
    """Colour at (x, y) in 0..1 squares, or None for transparent."""
    cx = x - 0.5
    bulge = 0.36 + 0.06 * (1 - ((y - 0.5) * 2) ** 2)
    if 0.08 <= y <= 0.92 and abs(cx) <= bulge:
        if 0.36 <= x <= 0.64 and 0.36 <= y <= 0.64:
            inner = 0.40 <= x <= 0.60 and 0.40 <= y <= 0.60
            w = inner and (abs(x - 0.44) < 0.03 or abs(x - 0.56) < 0.03 or
                           (abs(x - 0.5) < 0.03 and y > 0.5))
            return (40, 40, 40) if w else (250, 235, 190)
        if abs(y - 0.22) < 0.04 or abs(y - 0.78) < 0.04:
            return (90, 90, 100)
        shade = int(40 * abs(cx) / bulge)
        return (170 - shade, 105 - shade, 45 - shade // 2)
    return None

def icon_image(size):
    rows = [[keg((i + 0.5) / size, (j + 0.5) / size) for i in range(size)] for j in range(size)]
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    data = b''.join(bytes((c[2], c[1], c[0], 255)) if c else b'\0\0\0\0'
                    for row in reversed(rows) for c in row)
    row_bytes = ((size + 31) // 32) * 4
    mask = b''
    for row in reversed(rows):
        out = bytearray(row_bytes)
        for i, c in enumerate(row):
            if c is None:
                out[i // 8] |= 0x80 >> (i % 8)
        mask += bytes(out)
    return header + data + mask

def write_ico(path, sizes=(16, 32)):
    images = [icon_image(s) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, img in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 32, len(img), offset)
        offset += len(img)
    open(path, 'wb').write(out + b''.join(images))

def write_bmp(path, size, background=(192, 192, 192)):
    stride = (size * 3 + 3) // 4 * 4
    pixels = b''
    for j in reversed(range(size)):
        row = b''
        for i in range(size):
            c = keg((i + 0.5) / size, (j + 0.5) / size) or background
            row += bytes((c[2], c[1], c[0]))
        pixels += row + b'\0' * (stride - len(row))
    info = struct.pack('<IiiHHIIiiII', 40, size, size, 1, 24, 0, len(pixels), 0, 0, 0, 0)
    head = struct.pack('<HIHHI', 0x4D42, 14 + len(info) + len(pixels), 0, 0, 14 + len(info))
    open(path, 'wb').write(head + info + pixels)

write_ico('wordkeg.ico')
write_bmp('about.bmp', 48)
