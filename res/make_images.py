#!/usr/bin/env python3
"""Draws the saver's image resources: info.bmp, hand.cur and vorlux.ico.

Standard library only, and deterministic: the same script always writes the same bytes, so the
committed files can be checked against it (--check). The build uses the committed files.

    python3 res/make_images.py              rewrite the three files next to this script
    python3 res/make_images.py --check      exit 1 if a file in res/ is not what it would write
    python3 res/make_images.py --preview D  also write 1x PNG previews (with alpha) into directory D
"""

import argparse
import math
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

# An image is a list of rows, top row first; a pixel is (r, g, b, a) with integers 0..255.


def clamp01(v):
    return 0.0 if v < 0.0 else 1.0 if v > 1.0 else v


def lerp(a, b, t):
    return tuple(x + (y - x) * t for x, y in zip(a, b))


def to_byte(v):
    return int(math.floor(clamp01(v) * 255.0 + 0.5))


# ---------------------------------------------------------------------------------------------
# File formats


def bitmap_info_header(width, height, bits, image_size, colors_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 0, 0,
                       colors_used, 0)


def encode_bmp24(img):
    """A bottom-up 24-bit BMP file; alpha is ignored (the picture must be opaque)."""
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    rows = []
    for row in reversed(img):
        line = bytearray()
        for r, g, b, _ in row:
            line += bytes((b, g, r))
        line += bytes(stride - len(line))
        rows.append(bytes(line))
    pixels = b"".join(rows)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    offset = 14 + len(info)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + pixels


def and_mask(transparent, w, h):
    """1 bit per pixel, bottom-up, rows padded to 32 bits; a set bit leaves the screen as it is."""
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in reversed(range(h)):
        line = bytearray(stride)
        for x in range(w):
            if transparent[y][x]:
                line[x >> 3] |= 0x80 >> (x & 7)
        out += line
    return bytes(out)


def encode_cursor(indices, palette, transparent, hotspot):
    """A .cur file with one 4-bit image (16-colour palette, AND mask)."""
    h, w = len(indices), len(indices[0])
    assert len(palette) == 16 and palette[0] == (0, 0, 0), "index 0 must be black for the mask"
    stride = ((w * 4 + 31) // 32) * 4
    xor = bytearray()
    for y in reversed(range(h)):
        line = bytearray(stride)
        for x in range(w):
            idx = 0 if transparent[y][x] else indices[y][x]
            line[x >> 1] |= idx << (4 if x % 2 == 0 else 0)
        xor += line
    mask = and_mask(transparent, w, h)
    colors = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    image = bitmap_info_header(w, 2 * h, 4, len(xor) + len(mask), 16) + colors + bytes(xor) + mask
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", w % 256, h % 256, 16, 0, hotspot[0], hotspot[1],
                        len(image), 6 + 16)
    return directory + entry + image


def encode_icon(images):
    """A .ico file with one 32-bit (alpha) image per size, plus AND masks for old renderers."""
    blobs = []
    for img in images:
        h, w = len(img), len(img[0])
        xor = bytearray()
        for row in reversed(img):
            for r, g, b, a in row:
                xor += bytes((b, g, r, a))
        mask = and_mask([[p[3] < 128 for p in row] for row in img], w, h)
        blobs.append(bitmap_info_header(w, 2 * h, 32, len(xor) + len(mask)) + bytes(xor) + mask)
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for img, blob in zip(images, blobs):
        h, w = len(img), len(img[0])
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def encode_png(img):
    """An 8-bit RGBA PNG; used for previews only."""
    h, w = len(img), len(img[0])
    raw = b"".join(b"\0" + bytes(c for p in row for c in p) for row in img)

    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))

    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", w, h, 8, 6, 0, 0, 0)) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


# ---------------------------------------------------------------------------------------------
# Rendering helpers


def supersample(size, paint, n=8):
    """Averages paint(x, y) -> (r, g, b, a) floats over n*n points per pixel; straight alpha."""
    img = []
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    r, g, b, a = paint(px + (sx + 0.5) / n, py + (sy + 0.5) / n)
                    acc[0] += r * a
                    acc[1] += g * a
                    acc[2] += b * a
                    acc[3] += a
            a = acc[3] / (n * n)
            if a > 0:
                rgb = [c / acc[3] for c in acc[:3]]
            else:
                rgb = [0.0, 0.0, 0.0]
            row.append(tuple(to_byte(c) for c in rgb) + (to_byte(a),))
        img.append(row)
    return img


def hexrgb(text):
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


# ---------------------------------------------------------------------------------------------
# info.bmp: a white lower-case "i" on a blue disc, for the About box (32 x 32, 24-bit).

INFO_SIZE = 32
INFO_BACKGROUND = hexrgb("ffffff")  # the usual window background of the About box
INFO_DISC_TOP = hexrgb("4b9bf0")
INFO_DISC_BOTTOM = hexrgb("1556c0")
INFO_RIM = hexrgb("0d3f96")
INFO_GLYPH = hexrgb("ffffff")


def info_paint(x, y):
    cx = cy = INFO_SIZE / 2.0
    d = math.hypot(x - cx, y - cy)
    if d > 15.25:
        return INFO_BACKGROUND + (1.0,)
    # The "i": round dot, stem with a flag at the top left and a foot serif; edges on the grid.
    dot = math.hypot(x - 16.0, y - 9.0) <= 2.6
    stem = 14.0 <= x <= 18.0 and 13.0 <= y <= 24.0
    flag = 12.0 <= x <= 18.0 and 13.0 <= y <= 15.0
    foot = 12.0 <= x <= 20.0 and 22.0 <= y <= 24.0
    if dot or stem or flag or foot:
        return INFO_GLYPH + (1.0,)
    if d > 14.25:
        return INFO_RIM + (1.0,)
    return lerp(INFO_DISC_TOP, INFO_DISC_BOTTOM, clamp01((y - 2.0) / 28.0)) + (1.0,)


def make_info():
    return supersample(INFO_SIZE, info_paint, 8)


# ---------------------------------------------------------------------------------------------
# hand.cur: the pointing hand over links (32 x 32, 16 colours, hot spot at the fingertip).

HAND_HOTSPOT = (12, 1)

# Palette: black (index 0, also under the transparent pixels), white, greys and blues; the
# other entries are the classic colours, unused.
HAND_PALETTE = [
    (0, 0, 0), (255, 255, 255), (200, 200, 200), (150, 150, 150),
    (120, 170, 245), (40, 100, 215), (20, 60, 150), (128, 0, 0),
    (0, 128, 0), (128, 128, 0), (128, 0, 128), (0, 128, 128),
    (255, 0, 0), (0, 255, 0), (255, 255, 0), (255, 0, 255),
]
HAND_KEY = {"K": 0, "W": 1, "S": 2, "G": 3, "L": 4, "B": 5, "N": 6}  # "." is transparent

HAND_ART = """
................................
...........KKK..................
..........KWWWK.................
..........KWWSK.................
..........KWWSK.................
..........KWWSK.................
..........KWWSK.................
..........KWWSK.................
..........KWWSKKKK..............
..........KWWSKWWSKKKK..........
..........KWWSKWWSKWWSK.........
..........KWWSKWWSKWWSKKK.......
..........KWWSKWWSKWWSKWSK......
...KK.....KWWSKWWSKWWSKWSK......
..KWWK....KWWSKWWSKWWSKWSK......
..KWWSK...KWWSKWWSKWWSKWSK......
..KWWWSK..KWWWWKKKWKKKWKKK......
..KWWWWSK.KWWWWWWWWWWWWWSK......
...KWWWWSKKWWWWWWWWWWWWWSK......
...KWWWWWSWWWWWWWWWWWWWWSK......
....KWWWWWWWWWWWWWWWWWWSK.......
.....KWWWWWWWWWWWWWWWWSSK.......
......KSWWWWWWWWWWWWWSSK........
.....KKKKKKKKKKKKKKKKKKKK.......
.....KLLLLLLLLLLLLLLLLLLK.......
.....KBBBBBBBBBBBBBBBBBBK.......
.....KBBBBBBBBBBBBBBBBBBK.......
.....KNNNNNNNNNNNNNNNNNNK.......
.....KKKKKKKKKKKKKKKKKKKK.......
................................
................................
................................
"""


def hand_grid():
    rows = HAND_ART.strip("\n").split("\n")
    assert len(rows) == 32, len(rows)
    for i, r in enumerate(rows):
        assert len(r) == 32, (i, len(r), r)
    return rows


def make_hand():
    rows = hand_grid()
    transparent = [[c == "." for c in r] for r in rows]
    indices = [[HAND_KEY.get(c, 0) for c in r] for r in rows]
    hx, hy = HAND_HOTSPOT
    assert not transparent[hy][hx], "the hot spot must lie on the hand"
    return indices, transparent


def hand_rgba(indices, transparent):
    return [[(0, 0, 0, 0) if t else HAND_PALETTE[i] + (255,) for i, t in zip(ir, tr)]
            for ir, tr in zip(indices, transparent)]


# ---------------------------------------------------------------------------------------------
# vorlux.ico: mirrored lines and arcs on black, as the saver draws them (48, 32 and 16 pixels).

def arc_points(cx, cy, rx, ry, a0, a1, steps=40):
    """A polyline along the ellipse around (cx, cy) with radii rx, ry from a0 to a1 degrees."""
    angles = [math.radians(a0 + (a1 - a0) * i / steps) for i in range(steps + 1)]
    return [(cx + rx * math.cos(a), cy + ry * math.sin(a)) for a in angles]


BLUE, CYAN, YELLOW, PINK, GREEN = (hexrgb(c) for c in ("3a6cff", "18d8ff", "ffc824", "ff3a78",
                                                         "3cf060"))
# Per size: (colour, polyline), drawn in this order. A polyline lies in one quadrant, in units of
# the half-size (0 = centre, 1 = edge); folding each pixel into that quadrant mirrors it into the
# other three. Smaller sizes keep fewer strokes, so that they stay readable.
ICON_STROKES = {
    48: [
        (BLUE, arc_points(0.0, 0.0, 0.94, 0.42, 0, 90)),
        (BLUE, arc_points(0.0, 0.0, 0.42, 0.94, 0, 90)),
        (CYAN, [(0.0, 0.84), (0.84, 0.0)]),
        (YELLOW, arc_points(0.44, 0.44, 0.28, 0.28, 0, 360, 80)),
        (PINK, [(0.24, 0.24), (0.60, 0.60)]),
        (GREEN, arc_points(0.0, 0.0, 0.22, 0.22, 0, 90)),
    ],
    32: [
        (BLUE, arc_points(0.0, 0.0, 0.94, 0.40, 0, 90)),
        (BLUE, arc_points(0.0, 0.0, 0.40, 0.94, 0, 90)),
        (PINK, [(0.72, 0.72), (0.86, 0.86)]),
        (YELLOW, arc_points(0.46, 0.46, 0.30, 0.30, 0, 360, 80)),
        (GREEN, arc_points(0.0, 0.0, 0.20, 0.20, 0, 90)),
    ],
    16: [
        (BLUE, arc_points(0.0, 0.0, 0.94, 0.43, 0, 90)),
        (BLUE, arc_points(0.0, 0.0, 0.43, 0.94, 0, 90)),
        (YELLOW, arc_points(0.0, 0.0, 0.29, 0.29, 0, 90)),
        (PINK, [(0.51, 0.51), (0.71, 0.71)]),
    ],
}
ICON_PEN = {48: 2.0, 32: 1.6, 16: 1.1}  # stroke width in pixels
ICON_BACKGROUND = (0.0, 0.0, 0.0)
ICON_BORDER = hexrgb("505050")


def seg_distance(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    ll = dx * dx + dy * dy
    t = 0.0 if ll == 0 else clamp01(((px - ax) * dx + (py - ay) * dy) / ll)
    return math.hypot(px - ax - t * dx, py - ay - t * dy)


def rounded_square_distance(x, y, size, radius):
    """Signed distance in pixels (negative inside) to a size x size square with round corners."""
    half = size / 2.0
    qx = abs(x - half) - (half - radius)
    qy = abs(y - half) - (half - radius)
    outside = math.hypot(max(qx, 0.0), max(qy, 0.0))
    return outside + min(max(qx, qy), 0.0) - radius


def make_icon(size):
    half = size / 2.0
    radius = {16: 3.0, 32: 5.0, 48: 7.0}[size]
    inner = half - (1.0 if size <= 16 else 2.0)  # half-size of the drawing area inside the border
    width = ICON_PEN[size]
    strokes = []
    for colour, pts in ICON_STROKES[size]:
        strokes.append((colour, width, [(x * inner, y * inner) for x, y in pts]))
    img = []
    for py in range(size):
        row = []
        for px in range(size):
            x, y = px + 0.5, py + 0.5
            sd = rounded_square_distance(x, y, size, radius)
            alpha = clamp01(0.5 - sd)
            if alpha <= 0.0:
                row.append((0, 0, 0, 0))
                continue
            # a faint rim, so that the black square still shows on a dark background
            border = clamp01(sd + (1.0 if size <= 16 else 1.5))
            colour = lerp(ICON_BACKGROUND, ICON_BORDER, border)
            fx, fy = abs(x - half), abs(y - half)
            for c, w, pts in strokes:
                d = min(seg_distance(fx, fy, *pts[i], *pts[i + 1]) for i in range(len(pts) - 1))
                cov = clamp01(w / 2.0 - d + 0.5)
                if cov > 0.0:
                    colour = lerp(colour, c, cov)
            row.append(tuple(to_byte(c) for c in colour) + (to_byte(alpha),))
        img.append(row)
    return img


ICON_SIZES = (48, 32, 16)

# ---------------------------------------------------------------------------------------------


def build():
    indices, transparent = make_hand()
    icons = [make_icon(s) for s in ICON_SIZES]
    info = make_info()
    files = {
        "info.bmp": encode_bmp24(info),
        "hand.cur": encode_cursor(indices, HAND_PALETTE, transparent, HAND_HOTSPOT),
        "vorlux.ico": encode_icon(icons),
    }
    previews = {"info.png": encode_png(info),
                "hand.png": encode_png(hand_rgba(indices, transparent))}
    for s, img in zip(ICON_SIZES, icons):
        previews["vorlux-%d.png" % s] = encode_png(img)
    return files, previews


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    ap.add_argument("--check", action="store_true",
                    help="compare the files in res/ with what would be written; change nothing")
    ap.add_argument("--preview", metavar="DIR", help="also write PNG previews into DIR")
    args = ap.parse_args()
    files, previews = build()
    if args.check:
        stale = []
        for name, data in files.items():
            path = os.path.join(HERE, name)
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(name)
        for name in stale:
            print("make_images: %s is not what the generator writes; run python3 %s" %
                  (name, os.path.relpath(__file__)), file=sys.stderr)
        return 1 if stale else 0
    for name, data in files.items():
        with open(os.path.join(HERE, name), "wb") as f:
            f.write(data)
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for name, data in previews.items():
            with open(os.path.join(args.preview, name), "wb") as f:
                f.write(data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
