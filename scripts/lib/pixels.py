#!/usr/bin/env python3

# SPDX-FileCopyrightText: 2026 Tirel developers
#
# SPDX-License-Identifier: GPL-3.0-or-later

"""Pixel judgements on binary PPM (P6) grabs, standard library only.

  pixels.py match A.ppm B.ppm [ROWS [MIN]]
      prints the percentage of equal pixels (in the last ROWS rows of each, 0 for all);
      exits 1 when it is below MIN
  pixels.py size A.ppm                 "WIDTH HEIGHT"; exits 1 when the grab is one flat colour
  pixels.py ink EMPTY.ppm TYPED.ppm X Y W H [ROWS]
      inside the rectangle (in the last ROWS rows of each grab): the empty field is white, and
      what typing added is dark ink on that white; exits 1 with the reason otherwise
"""
import sys


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    if fields[0] != b"P6" or fields[3] != b"255":
        raise SystemExit(f"{path}: not an 8-bit binary PPM")
    width, height = int(fields[1]), int(fields[2])
    pixels = data[pos + 1:pos + 1 + width * height * 3]
    return width, height, pixels


def last_rows(image, rows):
    width, height, pixels = image
    if not rows or rows >= height:
        return image
    return width, rows, pixels[(height - rows) * width * 3:]


def pixel(image, x, y):
    width, _, pixels = image
    i = (y * width + x) * 3
    return pixels[i], pixels[i + 1], pixels[i + 2]


def luminance(rgb):
    r, g, b = rgb
    return (299 * r + 587 * g + 114 * b) // 1000


def match(a, b):
    if a[:2] != b[:2]:
        return 0.0
    total = a[0] * a[1]
    equal = sum(1 for i in range(0, total * 3, 3) if a[2][i:i + 3] == b[2][i:i + 3])
    return 100.0 * equal / total


def ink(empty, typed, x, y, w, h):
    before = [pixel(empty, i, j) for j in range(y, y + h) for i in range(x, x + w)]
    after = [pixel(typed, i, j) for j in range(y, y + h) for i in range(x, x + w)]
    white = sum(1 for p in before if min(p) >= 250)
    if white < len(before) * 0.95:
        return f"the empty field is not white ({white} of {len(before)} pixels)"
    added = [p for p, q in zip(after, before) if p != q]
    if len(added) < 20:
        return f"typing left only {len(added)} changed pixels in the field"
    dark = sum(1 for p in added if luminance(p) < 96)
    light_bg = sum(1 for p in after if min(p) >= 250)
    mean = sum(luminance(p) for p in added) / len(added)
    print(f"  typed text: {len(added)} ink pixels, {dark} dark, mean luminance {mean:.0f}; "
          f"{light_bg} of {len(after)} field pixels white")
    if dark < 10 or mean > 128:
        return "the typed text is not dark"
    if light_bg < len(after) * 0.5:
        return "the field around the typed text is not white"
    return None


def main(argv):
    command = argv[1]
    if command == "size":
        width, height, data = read_ppm(argv[2])
        print(width, height)
        return 0 if data != data[:3] * (width * height) else 1
    if command == "match":
        rows = int(argv[4]) if len(argv) > 4 else None
        least = float(argv[5]) if len(argv) > 5 else 0.0
        a, b = (last_rows(read_ppm(p), rows) for p in argv[2:4])
        percent = match(a, b)
        print(f"{percent:.2f}")
        return 0 if percent >= least else 1
    if command == "ink":
        rows = int(argv[8]) if len(argv) > 8 else None
        empty, typed = (last_rows(read_ppm(p), rows) for p in argv[2:4])
        x, y, w, h = (int(v) for v in argv[4:8])
        problem = ink(empty, typed, x, y, w, h)
        if problem:
            print(f"  {problem}")
            return 1
        return 0
    raise SystemExit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
