#!/usr/bin/env python3
"""Draws Brevanto's 48x48 application icon (a speech bubble with an ellipsis on a blue
rounded square) and writes it as brevanto.png next to this script, or, with --ico PATH, as
a Windows icon file (a 32-bit bitmap with its transparency mask, which every Windows and
Wine version reads). Only the standard library is used, so the icon can be redrawn anywhere.
Usage: make-icon.py [--ico PATH]"""
import os
import struct
import sys
import zlib

SIZE, SS = 48, 4  # pixels, supersampling factor per axis


def inside_rounded_square(x, y, lo, hi, r):
    cx = min(max(x, lo + r), hi - r)
    cy = min(max(y, lo + r), hi - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def inside_ellipse(x, y, cx, cy, rx, ry):
    return ((x - cx) / rx) ** 2 + ((y - cy) / ry) ** 2 <= 1.0


def inside_triangle(x, y, a, b, c):
    def side(p, q):
        return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0])
    s1, s2, s3 = side(a, b), side(b, c), side(c, a)
    return (s1 >= 0 and s2 >= 0 and s3 >= 0) or (s1 <= 0 and s2 <= 0 and s3 <= 0)


def colour_at(x, y):
    """Colour (r, g, b, a) of the point x, y in icon pixels."""
    bubble = inside_ellipse(x, y, 24, 21, 17, 12.5) or inside_triangle(
        x, y, (13, 28), (22, 31), (9, 40))
    for dot_x in (16, 24, 32):
        if inside_ellipse(x, y, dot_x, 21, 2.6, 2.6):
            return (32, 86, 170, 255)
    if bubble:
        return (255, 255, 255, 255)
    if inside_rounded_square(x, y, 1, 47, 9):
        top = (70, 140, 235)
        bottom = (25, 80, 175)
        t = y / SIZE
        return tuple(round(a + (b - a) * t) for a, b in zip(top, bottom)) + (255,)
    return (0, 0, 0, 0)


def render():
    rows = []
    for py in range(SIZE):
        row = bytearray([0])  # filter type: none
        for px in range(SIZE):
            acc = [0, 0, 0, 0]
            for sy in range(SS):
                for sx in range(SS):
                    r, g, b, a = colour_at(px + (sx + 0.5) / SS, py + (sy + 0.5) / SS)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            alpha = acc[3] / (SS * SS)
            if acc[3]:
                row += bytes(round(c / acc[3]) for c in acc[:3])
            else:
                row += bytes(3)
            row.append(round(alpha))
        rows.append(bytes(row))
    return b"".join(rows)


def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def ico(pixels):
    """The icon file for RGBA rows as render() gives them (each row led by a filter byte)."""
    stride = 1 + SIZE * 4
    rows = [pixels[y * stride + 1:(y + 1) * stride] for y in range(SIZE)]
    colour, mask = bytearray(), bytearray()
    mask_stride = ((SIZE + 31) // 32) * 4
    for row in reversed(rows):  # bitmaps are stored bottom-up
        bits = bytearray(mask_stride)
        for x in range(SIZE):
            r, g, b, a = row[x * 4:x * 4 + 4]
            colour += bytes((b, g, r, a))
            if a == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    # The height counts the colour bitmap and the mask together.
    image = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE * 2, 1, 32, 0, len(colour) + len(mask),
                        0, 0, 0, 0) + colour + mask
    return (struct.pack("<HHH", 0, 1, 1)
            + struct.pack("<BBBBHHII", SIZE, SIZE, 0, 0, 1, 32, len(image), 6 + 16) + image)


def main():
    if len(sys.argv) == 3 and sys.argv[1] == "--ico":
        with open(sys.argv[2], "wb") as out:
            out.write(ico(render()))
        return
    header = struct.pack(">IIBBBBB", SIZE, SIZE, 8, 6, 0, 0, 0)  # 8-bit RGBA
    png = (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
           + chunk(b"IDAT", zlib.compress(render(), 9)) + chunk(b"IEND", b""))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "brevanto.png")
    with open(path, "wb") as out:
        out.write(png)


if __name__ == "__main__":
    main()
