#!/usr/bin/env python3
"""Prints the share of equal pixels, from 0 to 1, between a rectangle of one X window dump
and one of the same size in another: whether the screen shows what it showed before at a
window's place. Usage: xwdshare.py <a.xwd> X,Y <b.xwd> X,Y W,H"""
import sys

from xwd2png import read_xwd


def pixels(path, x, y, w, h):
    width, height, rows = read_xwd(path)
    if x < 0 or y < 0 or x + w > width or y + h > height:
        raise ValueError(f"the rectangle {x},{y},{w},{h} lies outside the dump")
    return [row[x * 3:(x + w) * 3] for row in rows[y:y + h]]


def main(argv):
    if len(argv) != 6:
        print(__doc__.splitlines()[-1], file=sys.stderr)
        return 2
    w, h = (int(v) for v in argv[5].split(","))
    try:
        a = pixels(argv[1], *(int(v) for v in argv[2].split(",")), w, h)
        b = pixels(argv[3], *(int(v) for v in argv[4].split(",")), w, h)
    except (OSError, ValueError) as error:
        print(f"xwdshare: {error}", file=sys.stderr)
        return 1
    same = sum(row_a[i:i + 3] == row_b[i:i + 3]
               for row_a, row_b in zip(a, b) for i in range(0, len(row_a), 3))
    print(f"{same / max(w * h, 1):.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
