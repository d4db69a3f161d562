#!/usr/bin/env python3
"""Turns an X window dump (xwd, true colour, 24 or 32 bits per pixel, as Xvfb at depth 24
gives) into a PNG, optionally cut to a rectangle and enlarged by a whole factor. Only the standard
library is used. Usage: xwd2png.py <in.xwd> <out.png> [--crop X,Y,W,H] [--scale N]"""
import struct
import sys
import zlib


def read_xwd(path):
    """Returns (width, height, rows) with each row as bytes R, G, B per pixel."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 100:
        raise ValueError("too short for an xwd header")
    fields = struct.unpack(">25I", data[:100])
    (header_size, version, pixmap_format, _depth, width, height, _xoffset, byte_order,
     _unit, _bit_order, _pad, bits_per_pixel, bytes_per_line, visual_class, red_mask,
     green_mask, blue_mask, _bits_rgb, _entries, ncolors) = fields[:20]
    if version != 7 or pixmap_format != 2:  # 2: ZPixmap
        raise ValueError("not a version 7 ZPixmap dump")
    if bits_per_pixel not in (24, 32) or visual_class not in (4, 5):  # TrueColor, DirectColor
        raise ValueError(f"unsupported dump: {bits_per_pixel} bits per pixel, "
                         f"visual class {visual_class}")
    start = header_size + ncolors * 12
    if len(data) < start + bytes_per_line * height:
        raise ValueError("dump is cut short")
    order = "little" if byte_order == 0 else "big"
    size = bits_per_pixel // 8
    shifts = [(mask, (mask & -mask).bit_length() - 1) for mask in (red_mask, green_mask,
                                                                   blue_mask)]
    # The usual masks (8 bits each, red highest) let whole rows be sliced instead.
    standard = (red_mask, green_mask, blue_mask) == (0xFF0000, 0xFF00, 0xFF)
    offsets = (2, 1, 0) if order == "little" else (size - 3, size - 2, size - 1)
    rows = []
    for y in range(height):
        line = data[start + y * bytes_per_line:start + y * bytes_per_line + width * size]
        row = bytearray(width * 3)
        if standard:
            for channel, offset in enumerate(offsets):
                row[channel::3] = line[offset::size]
        else:
            for x in range(width):
                pixel = int.from_bytes(line[x * size:x * size + size], order)
                for channel, (mask, shift) in enumerate(shifts):
                    row[x * 3 + channel] = ((pixel & mask) >> shift) & 0xFF
        rows.append(bytes(row))
    return width, height, rows


def write_png(path, width, height, rows):
    def chunk(kind, body):
        return (struct.pack(">I", len(body)) + kind + body +
                struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
    raw = b"".join(b"\x00" + row for row in rows)
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(chunk(b"IDAT", zlib.compress(raw, 9)))
        f.write(chunk(b"IEND", b""))


def main(argv):
    args = argv[1:]
    crop, scale = None, 1
    while len(args) > 2:
        option, value = args[-2], args[-1]
        args = args[:-2]
        if option == "--crop":
            crop = [int(v) for v in value.split(",")]
        elif option == "--scale":
            scale = int(value)
        else:
            args = None
            break
    if not args or len(args) != 2 or scale < 1 or (crop and len(crop) != 4):
        print(__doc__.splitlines()[-1], file=sys.stderr)
        return 2
    try:
        width, height, rows = read_xwd(args[0])
    except (OSError, ValueError) as error:
        print(f"xwd2png: {args[0]}: {error}", file=sys.stderr)
        return 1
    if crop:
        x, y, w, h = crop
        x, y = max(x, 0), max(y, 0)
        w, h = min(w, width - x), min(h, height - y)
        if w <= 0 or h <= 0:
            print(f"xwd2png: the rectangle {crop} lies outside the dump", file=sys.stderr)
            return 1
        rows = [row[x * 3:(x + w) * 3] for row in rows[y:y + h]]
        width, height = w, h
    if scale > 1:
        rows = [bytes(b for i in range(0, len(row), 3) for b in row[i:i + 3] * scale)
                for row in rows for _ in range(scale)]
        width, height = width * scale, height * scale
    write_png(args[1], width, height, rows)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
