#!/usr/bin/env python3
"""Draw the calculator's pictures.

Pictures written next to this script:

  icon-16.png, icon-32.png  the application icon: a pale six-armed snowflake
                            crystal on a rounded icy-blue tile (palette PNGs
                            with transparency around the tile)
  icon-48.png ... icon-256.png  the same icon in full colour for the desktop
  icon.svg                  the same icon as scalable vector text
  snowflakes.bmp            white snowflakes of a few sizes on deep blue
  background.bmp            the main window's background: snow-covered
                            rolling hills under a cloudy winter sky
  *@2x.bmp                  the two pictures at twice their size, for
                            screens scaled by two

The two pictures are 24-bit bitmaps: they are read at every start, and a
bitmap is read with no decompression at all.

Run it from anywhere:

    python3 assets/draw_pictures.py

It uses only the Python standard library and draws the same bytes on every
run: randomness comes from generators with fixed seeds, and every colour
table is sorted before it is written.

Raster pictures are drawn on a canvas SS times finer than the picture and
then averaged down, which gives smooth (anti-aliased) edges.
"""

import math
import os
import random
import struct
import zlib

OUT_DIR = os.path.dirname(os.path.abspath(__file__))

SS = 4  # supersampling factor: each picture pixel is SS x SS canvas samples


# --------------------------------------------------------------------------
# Small colour helpers

def hex_rgb(text):
    """'#rrggbb' -> (r, g, b) floats in 0..1."""
    text = text.lstrip("#")
    return tuple(int(text[i:i + 2], 16) / 255.0 for i in (0, 2, 4))


def mix(c0, c1, t):
    """Linear blend of two colours; t=0 gives c0, t=1 gives c1."""
    return tuple(a + (b - a) * t for a, b in zip(c0, c1))


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def smoothstep(e0, e1, x):
    t = clamp((x - e0) / (e1 - e0))
    return t * t * (3.0 - 2.0 * t)


# --------------------------------------------------------------------------
# PNG writing (signature, IHDR, optional PLTE/tRNS, IDAT, IEND)

def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))


def _paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def _filter_rows(rows, bpp):
    """Choose a PNG filter per scanline (the usual smallest-sum heuristic).

    Smooth gradients compress far better once each row is stored as its
    difference from the row above or the pixel to the left.
    """
    out = []
    prev = bytes(len(rows[0]))
    for row in rows:
        candidates = []
        left = bytes(bpp) + row[:-bpp]
        upleft = bytes(bpp) + prev[:-bpp]
        candidates.append((0, row))
        candidates.append((1, bytes((x - a) & 255 for x, a in zip(row, left))))
        candidates.append((2, bytes((x - b) & 255 for x, b in zip(row, prev))))
        candidates.append((3, bytes((x - (a + b) // 2) & 255
                                    for x, a, b in zip(row, left, prev))))
        candidates.append((4, bytes((x - _paeth(a, b, c)) & 255
                                    for x, a, b, c in zip(row, left, prev, upleft))))
        # Treat each filtered byte as signed: small magnitudes compress best.
        kind, data = min(candidates,
                         key=lambda kd: sum(v if v < 128 else 256 - v for v in kd[1]))
        out.append(bytes([kind]) + data)
        prev = row
    return b"".join(out)


def write_png(name, width, height, rows, color_type, palette=None, alphas=None):
    """Write an 8-bit PNG; rows are bytes objects without filter bytes."""
    bpp = {2: 3, 6: 4}.get(color_type, 1)
    # Palette indices are not smooth numbers, so they are left unfiltered.
    raw = (_filter_rows(rows, bpp) if color_type in (2, 6)
           else b"".join(b"\x00" + r for r in rows))
    data = b"\x89PNG\r\n\x1a\n"
    data += _chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8,
                                        color_type, 0, 0, 0))
    if palette is not None:
        data += _chunk(b"PLTE", b"".join(bytes(c) for c in palette))
    if alphas:
        data += _chunk(b"tRNS", bytes(alphas))
    data += _chunk(b"IDAT", zlib.compress(raw, 9))
    data += _chunk(b"IEND", b"")
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(data)


# 4x4 ordered-dither thresholds: breaks the faint stair-steps that 8-bit
# colour would otherwise leave in the long, gentle gradients of the sky.
BAYER4 = [[0, 8, 2, 10], [12, 4, 14, 6], [3, 11, 1, 9], [15, 7, 13, 5]]


def to_byte(v, x=0, y=0, dither=False):
    offset = (BAYER4[y & 3][x & 3] + 0.5) / 16.0 if dither else 0.5
    return max(0, min(255, int(v * 255.0 + offset)))


def write_bmp(name, width, height, rows):
    """Write a 24-bit bitmap; rows are top to bottom, in RGB order."""
    pad = b"\x00" * (-3 * width % 4)
    body = bytearray()
    for row in reversed(rows):  # a bitmap stores its bottom row first
        bgr = bytearray(len(row))
        bgr[0::3], bgr[1::3], bgr[2::3] = row[2::3], row[1::3], row[0::3]
        body += bgr + pad
    header = struct.pack("<2sIHHI", b"BM", 54 + len(body), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(body),
                       3780, 3780, 0, 0)
    with open(os.path.join(OUT_DIR, name), "wb") as f:
        f.write(header + info + bytes(body))


def save_rgb(name, canvas, dither=True, scale=1):
    """Save a fully opaque canvas as a 24-bit bitmap, scale times its size."""
    rows = []
    for y, line in enumerate(canvas.pixels(scale)):
        row = bytearray()
        for x, (r, g, b, _a) in enumerate(line):
            row += bytes((to_byte(r, x, y, dither), to_byte(g, x, y, dither),
                          to_byte(b, x, y, dither)))
        rows.append(bytes(row))
    write_bmp(name, canvas.width * scale, canvas.height * scale, rows)


def save_rgba(name, canvas):
    """Save a canvas with its transparency as a 32-bit RGBA PNG."""
    rows = []
    for line in canvas.pixels():
        row = bytearray()
        for r, g, b, a in line:
            row += bytes((to_byte(r), to_byte(g), to_byte(b), to_byte(a)))
        rows.append(bytes(row))
    write_png(name, canvas.width, canvas.height, rows, color_type=6)


# --------------------------------------------------------------------------
# Palette images: reduce RGBA pixels to at most 256 colours

def median_cut(counts, max_colors):
    """Split the colour set into boxes along their widest channel."""
    boxes = [sorted(counts.items())]
    while len(boxes) < max_colors:
        # Split the box whose widest channel spread, weighted by how many
        # pixels it holds, is largest: errors in busy colours show most.
        best, best_score, best_ch = None, 0, 0
        for i, box in enumerate(boxes):
            if len(box) < 2:
                continue
            for ch in range(4):
                vals = [c[ch] for c, _n in box]
                spread = (max(vals) - min(vals)) * math.sqrt(sum(n for _c, n in box))
                if spread > best_score:
                    best, best_score, best_ch = i, spread, ch
        if best is None:
            break
        box = sorted(boxes.pop(best), key=lambda cn: (cn[0][best_ch], cn[0]))
        half, seen, cut = sum(n for _c, n in box) / 2.0, 0, 1
        for j, (_c, n) in enumerate(box[:-1]):
            seen += n
            cut = j + 1
            if seen >= half:
                break
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        total = sum(n for _c, n in box)
        palette.append(tuple(int(sum(c[ch] * n for c, n in box) / total + 0.5)
                             for ch in range(4)))
    return palette


def save_palette(name, canvas):
    """Save a canvas as an indexed PNG (colour type 3) with a tRNS chunk."""
    pixels = []
    for line in canvas.pixels():
        for r, g, b, a in line:
            px = (to_byte(r), to_byte(g), to_byte(b), to_byte(a))
            # Every fully transparent pixel is the same colour.
            pixels.append(px if px[3] else (0, 0, 0, 0))
    counts = {}
    for px in pixels:
        counts[px] = counts.get(px, 0) + 1
    palette = (sorted(counts) if len(counts) <= 256
               else sorted(set(median_cut(counts, 256))))
    # Translucent entries go first so that the tRNS chunk stays short.
    palette.sort(key=lambda c: (c[3] == 255, c))
    index = {}
    for px in counts:
        index[px] = min(range(len(palette)),
                        key=lambda i: sum((p - q) ** 2 for p, q in zip(px, palette[i])))
    w = canvas.width
    rows = [bytes(index[px] for px in pixels[y * w:(y + 1) * w])
            for y in range(canvas.height)]
    alphas = [c[3] for c in palette if c[3] < 255]
    write_png(name, w, canvas.height, rows, color_type=3,
              palette=[c[:3] for c in palette], alphas=alphas)


# --------------------------------------------------------------------------
# The supersampled canvas

class Canvas:
    """An RGBA surface SS times finer than the picture it makes.

    Coordinates given to the drawing methods are in picture pixels (floats);
    colours are stored premultiplied by alpha so that averaging down and
    layering are both simple sums.
    """

    def __init__(self, width, height):
        self.width, self.height = width, height
        self.sw, self.sh = width * SS, height * SS
        n = self.sw * self.sh
        self.r, self.g, self.b, self.a = [0.0] * n, [0.0] * n, [0.0] * n, [0.0] * n

    def put(self, i, color, alpha=1.0):
        """Lay colour over sample i with the given opacity."""
        k = 1.0 - alpha
        self.r[i] = color[0] * alpha + self.r[i] * k
        self.g[i] = color[1] * alpha + self.g[i] * k
        self.b[i] = color[2] * alpha + self.b[i] * k
        self.a[i] = alpha + self.a[i] * k

    def fill_rows(self, color_at_y):
        """Cover the canvas row by row with colour color_at_y(y)."""
        for sy in range(self.sh):
            r, g, b = color_at_y((sy + 0.5) / SS)
            i0, i1 = sy * self.sw, (sy + 1) * self.sw
            self.r[i0:i1] = [r] * self.sw
            self.g[i0:i1] = [g] * self.sw
            self.b[i0:i1] = [b] * self.sw
            self.a[i0:i1] = [1.0] * self.sw

    def paint_soft(self, shade, box=None):
        """Lay a soft, edgeless layer: shade(x, y) -> (colour, alpha) or None.

        Soft layers have no edges to smooth, so one evaluation per picture
        pixel, copied to its SS x SS samples, is enough and much quicker.
        box (x0, y0, x1, y1) limits the work to where the layer can be.
        """
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, int(y0)), min(self.height, int(math.ceil(y1)))):
            for x in range(max(0, int(x0)), min(self.width, int(math.ceil(x1)))):
                got = shade(x + 0.5, y + 0.5)
                if got is None or got[1] <= 0.0:
                    continue
                color, alpha = got
                for sy in range(y * SS, (y + 1) * SS):
                    base = sy * self.sw + x * SS
                    for i in range(base, base + SS):
                        self.put(i, color, alpha)

    def cover(self, box, inside):
        """Indices of the samples in box whose centres satisfy inside(x, y)."""
        x0, y0, x1, y1 = box
        sx0, sy0 = max(0, int(x0 * SS)), max(0, int(y0 * SS))
        sx1, sy1 = min(self.sw, int(math.ceil(x1 * SS))), min(self.sh, int(math.ceil(y1 * SS)))
        found = []
        for sy in range(sy0, sy1):
            y = (sy + 0.5) / SS
            for sx in range(sx0, sx1):
                if inside((sx + 0.5) / SS, y):
                    found.append(sy * self.sw + sx)
        return found

    def paint(self, indices, color, alpha=1.0):
        """Colour the given samples; color may be a function of (x, y)."""
        for i in indices:
            c = color
            if callable(color):
                c = color(((i % self.sw) + 0.5) / SS, ((i // self.sw) + 0.5) / SS)
            self.put(i, c, alpha)

    def pixels(self, scale=1):
        """Average blocks of samples: rows of straight-alpha (r, g, b, a).

        At scale 1 each picture pixel averages an SS x SS block; at scale 2
        the picture comes out twice as large, for screens that draw two
        device pixels per pixel, each from an (SS/2) x (SS/2) block.
        """
        block = SS // scale
        out, sw, n = [], self.sw, block * block
        for y in range(self.height * scale):
            line = []
            sums = []
            for ch in (self.r, self.g, self.b, self.a):
                base = y * block * sw
                cols = [sum(v) for v in zip(*[ch[base + k * sw: base + (k + 1) * sw]
                                              for k in range(block)])]
                sums.append([sum(cols[x * block:(x + 1) * block]) / n
                             for x in range(self.width * scale)])
            for r, g, b, a in zip(*sums):
                line.append((r / a, g / a, b / a, a) if a > 1e-9 else (0.0, 0.0, 0.0, 0.0))
            out.append(line)
        return out


# --------------------------------------------------------------------------
# Shapes

def cover_segments(canvas, segments):
    """Samples inside any of the round-ended strokes (x0, y0, x1, y1, radius)."""
    covered = set()
    for x0, y0, x1, y1, rad in segments:
        dx, dy = x1 - x0, y1 - y0
        length2 = dx * dx + dy * dy or 1e-12
        r2 = rad * rad

        def inside(x, y, x0=x0, y0=y0, dx=dx, dy=dy, length2=length2, r2=r2):
            t = clamp(((x - x0) * dx + (y - y0) * dy) / length2)
            ex, ey = x - x0 - dx * t, y - y0 - dy * t
            return ex * ex + ey * ey <= r2

        box = (min(x0, x1) - rad, min(y0, y1) - rad, max(x0, x1) + rad, max(y0, y1) + rad)
        covered.update(canvas.cover(box, inside))
    return sorted(covered)


def cover_disc(canvas, cx, cy, radius):
    return canvas.cover((cx - radius, cy - radius, cx + radius, cy + radius),
                        lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius)


def cover_rounded_rect(canvas, x0, y0, x1, y1, radius):
    def inside(x, y):
        # Distance from the rectangle shrunk by the corner radius.
        qx = max(x0 + radius - x, 0.0, x - (x1 - radius))
        qy = max(y0 + radius - y, 0.0, y - (y1 - radius))
        return qx * qx + qy * qy <= radius * radius
    return canvas.cover((x0, y0, x1, y1), inside)


def snowflake(cx, cy, radius, width, angle=-90.0, branches=()):
    """Strokes of a six-armed snowflake crystal.

    Each arm runs from the centre to the tip; branches is a list of
    (position along the arm, length), both as fractions of the radius, and
    each becomes a pair of side twigs leaning outwards at 60 degrees like
    the feathery arms of a real crystal. Returns (x0, y0, x1, y1, r)
    strokes, r being half the stroke width.
    """
    strokes = []
    twig_r = width * 0.4
    for k in range(6):
        a = math.radians(angle + 60.0 * k)
        ux, uy = math.cos(a), math.sin(a)
        strokes.append((cx, cy, cx + ux * radius, cy + uy * radius, width / 2.0))
        for pos, length in branches:
            bx, by = cx + ux * radius * pos, cy + uy * radius * pos
            for side in (-1, 1):
                b = a + side * math.radians(60.0)
                strokes.append((bx, by, bx + math.cos(b) * radius * length,
                                by + math.sin(b) * radius * length, twig_r))
    return strokes


# --------------------------------------------------------------------------
# The application icon

ICON_EDGE = hex_rgb("#1a5290")    # thin darker rim: keeps the tile visible on pale panels
ICON_TOP = hex_rgb("#62c0ef")     # pale ice at the top of the tile
ICON_BOTTOM = hex_rgb("#226fb8")  # deeper blue at the bottom
ICON_FLAKE = hex_rgb("#f4fdff")   # white with a hint of cyan
ICON_SHADOW = hex_rgb("#0e3f73")
ICON_SHADOW_OPACITY = 0.35
ICON_LEAN = 0.15  # how far the tile's gradient leans from vertical, towards the right


def icon_design(size):
    """Geometry of the icon at a given pixel size.

    The design is laid out on a 32-unit grid; at 16 pixels the twigs would
    merge into a blur, so the small icon keeps only the six arms (slightly
    bolder) and a pair of twigs near each tip.
    """
    s = size / 32.0
    if size <= 16:
        flake = snowflake(8.0, 8.0, 6.5, 1.5, branches=((0.70, 0.30),))
    else:
        flake = snowflake(16.0 * s, 16.0 * s, 12.0 * s, 2.1 * s,
                          branches=((0.42, 0.28), (0.70, 0.22)))
    # The tile's sides sit on whole pixels so they stay sharp; the 32 px
    # icon keeps a one-pixel margin, the 16 px one needs every pixel.
    margin = 0.0 if size <= 16 else 1.0 * s
    return {
        "tile": (margin, margin, size - margin, size - margin, 7.0 * s),
        "rim": 1.0 * s if size > 16 else 0.9,
        "flake": flake,
        "shadow": 0.8 * s,
    }


def draw_icon(size):
    canvas = Canvas(size, size)
    d = icon_design(size)
    x0, y0, x1, y1, rad = d["tile"]
    canvas.paint(cover_rounded_rect(canvas, x0, y0, x1, y1, rad), ICON_EDGE)
    rim = d["rim"]

    def ice(x, y):
        # Mostly vertical gradient, lightest towards the top-left.
        t = clamp((y * (1.0 - ICON_LEAN) + x * ICON_LEAN - y0) / (y1 - y0))
        return mix(ICON_TOP, ICON_BOTTOM, t)

    canvas.paint(cover_rounded_rect(canvas, x0 + rim, y0 + rim, x1 - rim, y1 - rim,
                                    rad - rim), ice)
    # A soft shadow under the crystal lifts it off the tile.
    sh = d["shadow"]
    shadow = [(a + sh * 0.3, b + sh, c + sh * 0.3, e + sh, r) for a, b, c, e, r in d["flake"]]
    canvas.paint(cover_segments(canvas, shadow), ICON_SHADOW, ICON_SHADOW_OPACITY)
    canvas.paint(cover_segments(canvas, d["flake"]), ICON_FLAKE)
    return canvas


def icon_svg():
    """The icon as SVG 1.1 text, drawn from the 32-pixel design scaled by 8."""
    d = icon_design(256)
    x0, y0, x1, y1, rad = d["tile"]
    rim = d["rim"]

    def hexc(c):
        return "#%02x%02x%02x" % tuple(to_byte(v) for v in c)

    def strokes(flake, dx, dy):
        # Group strokes by width: one path per width keeps the file short.
        groups = {}
        for a, b, c, e, r in flake:
            groups.setdefault(round(2 * r, 2), []).append(
                "M%.2f %.2fL%.2f %.2f" % (a + dx, b + dy, c + dx, e + dy))
        return sorted(groups.items())

    # Gradient end points giving the same colour at every point as the
    # raster tile: the gradient runs along (lean, 1 - lean), from the line
    # where the raster's t is 0 to the line where it is 1.
    lean = ICON_LEAN
    reach = (y1 - y0) / (lean * lean + (1.0 - lean) ** 2)
    gx1, gy1 = y0, y0
    gx2, gy2 = gx1 + lean * reach, gy1 + (1.0 - lean) * reach

    lines = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" '
        'width="256" height="256" viewBox="0 0 256 256">',
        '  <title>Snowflake calculator icon</title>',
        '  <defs>',
        '    <linearGradient id="ice" gradientUnits="userSpaceOnUse" '
        'x1="%.2f" y1="%.2f" x2="%.2f" y2="%.2f">' % (gx1, gy1, gx2, gy2),
        '      <stop offset="0" stop-color="%s"/>' % hexc(ICON_TOP),
        '      <stop offset="1" stop-color="%s"/>' % hexc(ICON_BOTTOM),
        '    </linearGradient>',
        '  </defs>',
        '  <rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="%s"/>'
        % (x0, y0, x1 - x0, y1 - y0, rad, hexc(ICON_EDGE)),
        '  <rect x="%g" y="%g" width="%g" height="%g" rx="%g" fill="url(#ice)"/>'
        % (x0 + rim, y0 + rim, x1 - x0 - 2 * rim, y1 - y0 - 2 * rim, rad - rim),
    ]
    sh = d["shadow"]
    for color, opacity, dx, dy in ((ICON_SHADOW, ICON_SHADOW_OPACITY, sh * 0.3, sh),
                                   (ICON_FLAKE, 1.0, 0, 0)):
        # Opacity on the whole group, so that crossing strokes do not darken twice.
        attrs = ' opacity="%.2f"' % opacity if opacity < 1.0 else ""
        lines.append('  <g fill="none" stroke="%s" stroke-linecap="round"%s>'
                     % (hexc(color), attrs))
        for width, paths in strokes(d["flake"], dx, dy):
            lines.append('    <path stroke-width="%g" d="%s"/>' % (width, "".join(paths)))
        lines.append('  </g>')
    lines.append('</svg>')
    return "\n".join(lines) + "\n"


# --------------------------------------------------------------------------
# The snowflake picture

def draw_snowflakes():
    w, h = 110, 106
    canvas = Canvas(w, h)
    top, bottom = hex_rgb("#0b2456"), hex_rgb("#1c4f96")
    canvas.fill_rows(lambda y: mix(top, bottom, y / h))

    white = hex_rgb("#ffffff")
    # Hand-placed so the picture stays balanced whether it is squeezed into
    # a tall strip or a near-square box; strokes are bold so that they
    # survive being squeezed to half their width.
    flakes = [
        # cx,  cy, radius, width, angle, side branches
        (36.0, 36.0, 25.0, 3.0, -90.0, ((0.40, 0.30), (0.68, 0.24))),
        (84.0, 77.0, 18.0, 2.6, -80.0, ((0.45, 0.30), (0.72, 0.22))),
        (88.0, 21.0, 12.0, 2.2, -70.0, ((0.55, 0.32),)),
        (25.0, 86.0, 13.0, 2.2, -100.0, ((0.55, 0.32),)),
        (58.0, 66.0, 6.5, 1.8, -90.0, ()),
        (101.0, 50.0, 5.5, 1.6, -75.0, ()),
        (55.0, 98.0, 5.5, 1.6, -95.0, ()),
        (8.0, 58.0, 5.0, 1.6, -85.0, ()),
    ]
    for cx, cy, rad, width, angle, branches in flakes:
        strokes = snowflake(cx, cy, rad, width, angle, branches)
        canvas.paint(cover_segments(canvas, strokes), white, 0.95)

    # A few loose snow crumbs fill the gaps between the crystals.
    rng = random.Random(20241)
    placed = [(cx, cy, rad) for cx, cy, rad, *_ in flakes]
    crumbs = 0
    while crumbs < 14:
        x, y = rng.uniform(3, w - 3), rng.uniform(3, h - 3)
        if any((x - cx) ** 2 + (y - cy) ** 2 < (rad + 4) ** 2 for cx, cy, rad in placed):
            continue
        r = rng.uniform(0.9, 1.6)
        canvas.paint(cover_disc(canvas, x, y, r), white, rng.uniform(0.55, 0.9))
        placed.append((x, y, r + 2))
        crumbs += 1
    return canvas


# --------------------------------------------------------------------------
# The main window's background

def value_noise(seed, cells_x, cells_y):
    """Smooth random field over [0,1)x[0,1) that wraps horizontally."""
    rng = random.Random(seed)
    grid = [[rng.random() for _ in range(cells_x)] for _ in range(cells_y + 1)]

    def sample(u, v):
        gx, gy = u * cells_x, v * cells_y
        ix, iy = int(math.floor(gx)), min(int(gy), cells_y - 1)
        fx, fy = gx - ix, gy - iy
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        x0, x1 = ix % cells_x, (ix + 1) % cells_x
        top = grid[iy][x0] + (grid[iy][x1] - grid[iy][x0]) * fx
        bot = grid[iy + 1][x0] + (grid[iy + 1][x1] - grid[iy + 1][x0]) * fx
        return top + (bot - top) * fy
    return sample


def make_cloud(rng, left, right, base, height):
    """Puffs (cx, cy, r) of one cloud: a dome of round billows on a flat base."""
    puffs = []
    count = max(3, int((right - left) / (height * 0.55)))
    for k in range(count):
        t = (k + 0.5) / count
        # Billows are tallest in the middle of the cloud and shrink to the ends.
        dome = math.sin(math.pi * t) ** 0.7
        r = height * (0.35 + 0.45 * dome) * rng.uniform(0.8, 1.15)
        cx = left + (right - left) * t + rng.uniform(-0.15, 0.15) * r
        cy = base - r * rng.uniform(0.35, 0.6) - height * 0.35 * dome
        puffs.append((cx, cy, r))
    return puffs


def draw_sky(canvas):
    w = canvas.width
    horizon = 130.0
    # Grey-blue overhead, paler towards the horizon.
    sky_top, sky_low = hex_rgb("#7a94b0"), hex_rgb("#c6d3e0")
    canvas.fill_rows(lambda y: mix(sky_top, sky_low, smoothstep(0.0, horizon, y)))

    # A thin overcast haze: soft patches of layered random noise.
    octaves = [(value_noise(11, 6, 3), 0.55), (value_noise(12, 13, 6), 0.3),
               (value_noise(13, 27, 12), 0.15)]
    haze_color = hex_rgb("#e4ebf3")

    def haze(x, y):
        v = y / horizon
        if v >= 1.0:
            return None
        n = sum(f(x / w, v) * k for f, k in octaves)
        return haze_color, 0.4 * smoothstep(0.45, 0.8, n)
    canvas.paint_soft(haze)

    # Cloud banks, far (low, small, faint) to near (high, large).
    cloud_lit, cloud_dark = hex_rgb("#f6f8fb"), hex_rgb("#b3c1d1")
    rng = random.Random(2024)
    banks = [
        # left, right, base, height, opacity
        (215.0, 320.0, 92.0, 13.0, 0.55),
        (95.0, 185.0, 100.0, 11.0, 0.5),
        (-30.0, 60.0, 34.0, 18.0, 0.75),
        (150.0, 285.0, 52.0, 24.0, 0.85),
        (28.0, 150.0, 72.0, 28.0, 0.9),
    ]
    for left, right, base, height, opacity in banks:
        puffs = make_cloud(rng, left, right, base, height)
        top = min(cy - r for cx, cy, r in puffs)
        soft = 3.0  # width of the blurred rim, in pixels

        def cloud(x, y, puffs=puffs, base=base, top=top, opacity=opacity):
            # Inside any billow, faded out over the rim and under the base.
            density = 0.0
            for cx, cy, r in puffs:
                d = math.hypot(x - cx, y - cy)
                if d < r + soft:
                    density = max(density, smoothstep(r + soft, r - soft, d))
            density *= smoothstep(base + soft, base - soft, y)
            if density <= 0.0:
                return None
            # Sunlit tops, greyer undersides.
            shade = smoothstep(top + (base - top) * 0.3, base, y)
            return mix(cloud_lit, cloud_dark, 0.7 * shade), opacity * density
        box = (max(0.0, left - height), max(0.0, top - soft),
               min(float(w), right + height), base + soft)
        canvas.paint_soft(cloud, box)


def draw_background():
    w, h = 300, 200
    canvas = Canvas(w, h)
    draw_sky(canvas)

    # Hills from far to near: (base height, waves, lit colour, shaded colour).
    hills = [
        (118.0, ((7.0, 0.021, 0.4), (4.0, 0.057, 2.1), (1.5, 0.13, 0.7)),
         hex_rgb("#e8eff6"), hex_rgb("#a7b9ce")),
        (142.0, ((9.0, 0.017, 2.8), (5.0, 0.043, 0.2), (1.8, 0.11, 1.9)),
         hex_rgb("#edf3f9"), hex_rgb("#b4c5d8")),
        (170.0, ((10.0, 0.013, 1.1), (6.0, 0.037, 3.9), (2.0, 0.09, 0.3)),
         hex_rgb("#fbfdff"), hex_rgb("#c1d0e0")),
    ]

    def profile(base, waves):
        return lambda x: base - sum(a * math.sin(f * x + p) for a, f, p in waves)

    profiles = [profile(base, waves) for base, waves, _l, _s in hills]
    for n, (_base, _waves, lit, shaded) in enumerate(hills):
        draw_hill(canvas, profiles[n], profiles[n + 1] if n + 1 < len(hills) else None,
                  lit, shaded)

    # A light fall of snow: small soft dots, fainter in front of the hills.
    rng = random.Random(7)
    flake_color = hex_rgb("#ffffff")
    for _ in range(70):
        x, y = rng.uniform(0, w), rng.uniform(0, h)
        r = rng.uniform(0.5, 1.25)
        alpha = rng.uniform(0.55, 0.9) * (1.0 if y < profiles[0](x) else 0.6)
        canvas.paint(cover_disc(canvas, x, y, r), flake_color, alpha)
    return canvas


def draw_hill(canvas, top_at, front_at, lit, shaded):
    """Fill one layer of snowy hills below the curve y = top_at(x).

    Light comes from the upper left: flanks facing it stay white, flanks
    turned away take on a blue-grey shade. The shading fades a little way
    below the crest, as a rounded snowbank turns towards the viewer, and a
    faint blue shadow gathers where the next layer rises in front.
    """
    light_x, light_y = -0.55, -0.835  # unit vector towards the light
    for sx in range(canvas.sw):
        x = (sx + 0.5) / SS
        top = top_at(x)
        slope = (top_at(x + 0.5) - top_at(x - 0.5))
        # Upward surface normal of y = top(x) (y grows downwards).
        nx, ny = slope, -1.0
        norm = math.hypot(nx, ny)
        facing = (nx * light_x + ny * light_y) / norm
        sun = smoothstep(0.55, 1.0, facing)
        front = front_at(x) if front_at else canvas.height + 1.0
        sy = max(0, int(math.ceil(top * SS - 0.5)))
        end = min(canvas.sh, int(math.ceil(front * SS - 0.5)))
        for s in range(sy, end):
            y = (s + 0.5) / SS
            depth = y - top
            # Near the crest the flank shading is strongest; lower down the
            # snow evens out to a soft mid tone.
            t = 1.0 - (sun * math.exp(-depth / 14.0) + 0.55 * (1.0 - math.exp(-depth / 14.0)))
            t += 0.18 * math.exp(-(front - y) / 5.0)
            c = mix(lit, shaded, clamp(t))
            i = s * canvas.sw + sx
            canvas.r[i], canvas.g[i], canvas.b[i], canvas.a[i] = c[0], c[1], c[2], 1.0


# --------------------------------------------------------------------------

def main():
    # The windows' icon: 256 colours at the two sizes a title bar uses.
    for size in (16, 32):
        save_palette("icon-%d.png" % size, draw_icon(size))
    # The desktop's icons: full colour at the sizes menus and launchers ask
    # for, and the scalable version.
    for size in (48, 64, 128, 256):
        save_rgba("icon-%d.png" % size, draw_icon(size))
    with open(os.path.join(OUT_DIR, "icon.svg"), "w", encoding="utf-8", newline="\n") as f:
        f.write(icon_svg())
    # Each picture also at twice its size, so that a screen scaled by two
    # shows it sharp.
    snowflakes = draw_snowflakes()
    save_rgb("snowflakes.bmp", snowflakes)
    save_rgb("snowflakes@2x.bmp", snowflakes, scale=2)
    background = draw_background()
    save_rgb("background.bmp", background)
    save_rgb("background@2x.bmp", background, scale=2)


if __name__ == "__main__":
    main()
