#!/usr/bin/env python3
"""Draws the run-control bitmaps, the pen heads and the program icon of Qiv_private.res.

    draw_resources.py            writes run.bmp, stop.bmp, pause.bmp, continue.bmp, the
                                 twelve pen-head bitmaps (blackhead.bmp ... goldhead.bmp,
                                 maskhead.bmp) and Qiv.ico next to this script
    draw_resources.py --out DIR  writes them into DIR instead
    draw_resources.py --check    draws them in memory and compares with the files next to
                                 this script; exit status 1 and one line per file if any
                                 differs (the committed files must be what this script makes)

Python 3 standard library only. Every shape is a signed distance function (negative
inside) sampled 4x4 times per pixel, so edges are smoothed. Pixel values are computed
with + - * / and sqrt only (or from constants rounded to 1/64 pixel), which IEEE
arithmetic makes identical on every machine, so the output is reproducible byte for byte.
"""
import argparse
import math
import os
import struct
import sys

SUPERSAMPLE = 4
# The light grey of a menu bar: the buttons are shown as bitmap items of the menu bar.
MENU_GREY = (240, 240, 240)


# ---------------------------------------------------------------- shapes (pixel units, y down)

def sd_polygon(points):
    """Exact signed distance to a simple polygon given by its corner points."""
    n = len(points)

    def sdf(x, y):
        best = (x - points[0][0]) ** 2 + (y - points[0][1]) ** 2
        sign = 1.0
        j = n - 1
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[j]
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = (wx * ex + wy * ey) / (ex * ex + ey * ey)
            t = min(1.0, max(0.0, t))
            dx, dy = wx - ex * t, wy - ey * t
            best = min(best, dx * dx + dy * dy)
            # Crossing test for the sign (even-odd rule).
            c1, c2, c3 = y >= ay, y < by, ex * wy > ey * wx
            if (c1 and c2 and c3) or (not c1 and not c2 and not c3):
                sign = -sign
            j = i
        return sign * math.sqrt(best)
    return sdf


def sd_box(x0, y0, x1, y1, radius=0.0):
    """Rectangle from (x0, y0) to (x1, y1) with corners rounded by radius."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - radius, (y1 - y0) / 2 - radius

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.sqrt(max(qx, 0.0) ** 2 + max(qy, 0.0) ** 2)
        return outside + min(max(qx, qy), 0.0) - radius
    return sdf


def sd_stroke(points, width):
    """A polyline of the given width with round ends and joins."""
    segments = list(zip(points, points[1:]))

    def sdf(x, y):
        best = None
        for (ax, ay), (bx, by) in segments:
            ex, ey = bx - ax, by - ay
            wx, wy = x - ax, y - ay
            t = min(1.0, max(0.0, (wx * ex + wy * ey) / (ex * ex + ey * ey)))
            d = (wx - ex * t) ** 2 + (wy - ey * t) ** 2
            best = d if best is None else min(best, d)
        return math.sqrt(best) - width / 2
    return sdf


def grown(sdf, amount):
    """The shape enlarged (amount > 0) or shrunk (amount < 0) by amount pixels."""
    return lambda x, y: sdf(x, y) - amount


def moved(sdf, dx, dy):
    return lambda x, y: sdf(x - dx, y - dy)


def union(*sdfs):
    return lambda x, y: min(f(x, y) for f in sdfs)


def intersection(*sdfs):
    return lambda x, y: max(f(x, y) for f in sdfs)


# ---------------------------------------------------------------- colours

def hex_rgb(text):
    return (int(text[1:3], 16), int(text[3:5], 16), int(text[5:7], 16))


def vertical_gradient(top, bottom, y0, y1):
    """Colour function going from top (at y0) to bottom (at y1)."""
    top, bottom = hex_rgb(top), hex_rgb(bottom)

    def colour(x, y):
        t = min(1.0, max(0.0, (y - y0) / (y1 - y0)))
        return tuple(a + (b - a) * t for a, b in zip(top, bottom))
    return colour


def flat(text):
    rgb = hex_rgb(text)
    return lambda x, y: rgb


# ---------------------------------------------------------------- the picture

class Picture:
    """Straight-alpha RGBA picture, colour channels 0..255, alpha 0..1."""

    def __init__(self, width, height, background=None):
        self.width, self.height = width, height
        if background is None:
            self.pixels = [[0.0, 0.0, 0.0, 0.0] for _ in range(width * height)]
        else:
            self.pixels = [[*map(float, background), 1.0] for _ in range(width * height)]

    def paint(self, sdf, colour, opacity=1.0, soft=0.0):
        """Composites the shape over the picture.

        Coverage is the share of the 4x4 samples of each pixel that lie inside; with
        soft > 0 each sample's weight fades linearly across soft pixels of the edge
        instead (for shadows). colour(x, y) is taken at the pixel centre.
        """
        step = 1.0 / SUPERSAMPLE
        for py in range(self.height):
            for px in range(self.width):
                cover = 0.0
                for sy in range(SUPERSAMPLE):
                    for sx in range(SUPERSAMPLE):
                        d = sdf(px + (sx + 0.5) * step, py + (sy + 0.5) * step)
                        if soft > 0:
                            cover += min(1.0, max(0.0, 0.5 - d / soft))
                        elif d < 0:
                            cover += 1.0
                if cover == 0.0:
                    continue
                alpha = opacity * cover / (SUPERSAMPLE * SUPERSAMPLE)
                self._over(px, py, colour(px + 0.5, py + 0.5), alpha)

    def _over(self, px, py, rgb, alpha):
        dst = self.pixels[py * self.width + px]
        out_a = alpha + dst[3] * (1.0 - alpha)
        for c in range(3):
            dst[c] = (rgb[c] * alpha + dst[c] * dst[3] * (1.0 - alpha)) / out_a
        dst[3] = out_a

    def rgba8(self, px, py):
        """The pixel as four bytes' values (red, green, blue, alpha), rounded."""
        r, g, b, a = self.pixels[py * self.width + px]
        if a == 0.0:
            return (0, 0, 0, 0)
        return tuple(min(255, max(0, int(v + 0.5))) for v in (r, g, b, a * 255.0))


def outlined(pic, shape, fill, edge, width=1.0):
    """Paints shape in the edge colour and, inset by width, in the fill colour."""
    pic.paint(shape, edge)
    pic.paint(grown(shape, -width), fill)


# ---------------------------------------------------------------- file formats

def bitmap_info_header(width, height, bits, image_size):
    return struct.pack('<IiiHHIIiiII', 40, width, height, 1, bits, 0, image_size,
                       2835, 2835, 0, 0)


def bmp_bytes(pic):
    """An uncompressed 24-bit BMP file, rows bottom-up, each padded to 4 bytes."""
    row_pad = (-pic.width * 3) % 4
    rows = []
    for py in reversed(range(pic.height)):
        row = bytearray()
        for px in range(pic.width):
            r, g, b, _ = pic.rgba8(px, py)
            row += bytes((b, g, r))
        rows.append(bytes(row) + b'\0' * row_pad)
    image = b''.join(rows)
    offset = 14 + 40
    return (b'BM' + struct.pack('<IHHI', offset + len(image), 0, 0, offset)
            + bitmap_info_header(pic.width, pic.height, 24, len(image)) + image)


def mono_bmp_bytes(width, height, is_set):
    """An uncompressed 1-bit BMP file with the palette black (0), white (1).

    is_set(x, y) (y from the top) gives the pixels stored as 1, i.e. white.
    """
    stride = ((width + 31) // 32) * 4
    rows = []
    for py in reversed(range(height)):
        row = bytearray(stride)
        for px in range(width):
            if is_set(px, py):
                row[px // 8] |= 0x80 >> (px % 8)
        rows.append(bytes(row))
    image = b''.join(rows)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    offset = 14 + 40 + len(palette)
    info = struct.pack('<IiiHHIIiiII', 40, width, height, 1, 1, 0, len(image),
                       2835, 2835, 2, 2)
    return (b'BM' + struct.pack('<IHHI', offset + len(image), 0, 0, offset)
            + info + palette + image)


def ico_bytes(pic):
    """An icon file holding one 32-bit image with alpha and the matching AND mask."""
    colour = bytearray()
    for py in reversed(range(pic.height)):
        for px in range(pic.width):
            r, g, b, a = pic.rgba8(px, py)
            colour += bytes((b, g, r, a))
    mask_stride = ((pic.width + 31) // 32) * 4
    mask = bytearray()
    for py in reversed(range(pic.height)):
        row = bytearray(mask_stride)
        for px in range(pic.width):
            if pic.rgba8(px, py)[3] == 0:  # fully transparent: set the AND bit
                row[px // 8] |= 0x80 >> (px % 8)
        mask += row
    image = (bitmap_info_header(pic.width, pic.height * 2, 32, len(colour) + len(mask))
             + bytes(colour) + bytes(mask))
    directory = struct.pack('<HHH', 0, 1, 1)
    entry = struct.pack('<BBBBHHII', pic.width % 256, pic.height % 256, 0, 0, 1, 32,
                        len(image), 6 + 16)
    return directory + entry + image


# ---------------------------------------------------------------- the artwork

GREEN = dict(fill=vertical_gradient('#5BD877', '#1F9A3D', 3, 17), edge=flat('#17722D'))
RED = dict(fill=vertical_gradient('#F46A5E', '#C42A20', 2, 14), edge=flat('#8E1D16'))
BLUE = dict(fill=vertical_gradient('#63A8F2', '#2968C4', 3, 17), edge=flat('#1D4E96'))


def play_triangle(left, top, bottom, tip):
    """A right-pointing triangle with slightly rounded corners."""
    mid = (top + bottom) / 2
    return grown(sd_polygon([(left + 0.8, top + 1.6), (tip - 1.6, mid),
                             (left + 0.8, bottom - 1.6)]), 0.8)


def draw_run():
    pic = Picture(20, 20, MENU_GREY)
    outlined(pic, play_triangle(5, 2, 18, 17), **GREEN)
    return pic


def draw_stop():
    pic = Picture(16, 16, MENU_GREY)
    outlined(pic, sd_box(2, 2, 14, 14, 2.0), **RED)
    return pic


def draw_pause():
    pic = Picture(20, 20, MENU_GREY)
    outlined(pic, union(sd_box(4, 3, 8, 17, 1.2),
                        sd_box(12, 3, 16, 17, 1.2)), **BLUE)
    return pic


def draw_continue():
    """A bar (where the run stood still) followed by the play triangle."""
    pic = Picture(20, 20, MENU_GREY)
    outlined(pic, sd_box(2, 3, 6, 17, 1.2), **BLUE)
    outlined(pic, play_triangle(8, 2.5, 17.5, 18.5), **GREEN)
    return pic


def star_points(cx, cy, radius):
    """Corners of a five-pointed star in drawing order, starting at the upper right.

    Coordinates are rounded to 1/64 pixel so that libm differences cannot show.
    """
    corners = []
    for k in range(5):
        angle = math.radians(-18 + 72 * k)
        corners.append((round((cx + radius * math.cos(angle)) * 64) / 64,
                        round((cy + radius * math.sin(angle)) * 64) / 64))
    order = [0, 2, 4, 1, 3, 0]
    return [corners[i] for i in order]


def pencil_frame(tip):
    """Maps pencil-local (u along the pencil from the tip, v across) to pixel space.

    The pencil points down-left at 45 degrees; returns a function giving (u, v).
    """
    s = 1.0 / math.sqrt(2.0)
    tx, ty = tip

    def local(x, y):
        dx, dy = x - tx, y - ty
        return (dx - dy) * s, (dx + dy) * s
    return local


def pencil_part(local, u0, u1, half, taper=0.0, round_end=0.0):
    """Signed distance (approximate outside the part) of one slice of the pencil.

    The slice runs from u0 to u1 along the pencil; with taper > 0 it narrows to a point
    at the tip over the first taper pixels (the sharpened cone).
    """
    def sdf(x, y):
        u, v = local(x, y)
        width = half * min(1.0, max(0.0, u / taper)) if taper > 0 else half
        d = max(abs(v) - width, u0 - u, u - u1)
        if round_end > 0 and u > u1 - round_end:  # rounded back end of the eraser
            du, dv = u - (u1 - round_end), max(0.0, abs(v) - (half - round_end))
            d = max(abs(v) - half, u0 - u, math.sqrt(du * du + dv * dv) - round_end)
        return d
    return sdf


def draw_icon():
    pic = Picture(48, 48)
    # The drawing board: shadow, blue frame, white paper with a faint grid.
    board = sd_box(3, 5, 40, 43, 5.0)
    pic.paint(moved(board, 1.0, 1.5), flat('#000000'), opacity=0.30, soft=2.5)
    outlined(pic, board, vertical_gradient('#5DA6EE', '#3173C6', 5, 43), flat('#1F4F94'))
    paper = sd_box(7, 9, 36, 39, 1.5)
    pic.paint(grown(paper, 0.6), flat('#24589F'), opacity=0.6)
    pic.paint(paper, vertical_gradient('#FFFFFF', '#EEF3FA', 9, 39))
    for k in range(1, 5):
        pos = 7 + 6 * k
        pic.paint(intersection(paper, sd_box(pos, 9, pos + 1, 39)), flat('#DCE7F5'))
        pos = 9 + 6 * k
        pic.paint(intersection(paper, sd_box(7, pos, 36, pos + 1)), flat('#DCE7F5'))
    # The star the pencil has just drawn.
    star = star_points(20.0, 25.5, 11.0)
    pic.paint(sd_stroke(star, 2.6), flat('#E5392F'))

    # The pencil, tip on the star's last corner, lying across the frame.
    local = pencil_frame(star[-1])
    half, lead, cone, body, ferrule, end = 3.4, 2.4, 6.0, 15.5, 18.5, 22.0
    whole = union(pencil_part(local, 0, cone, half, taper=cone),
                  pencil_part(local, cone - 0.1, end, half, round_end=1.6))
    pic.paint(moved(whole, 1.2, 1.8), flat('#000000'), opacity=0.30, soft=2.0)
    pic.paint(grown(whole, 0.9), flat('#4A3A2A'))
    pic.paint(pencil_part(local, 0, cone, half, taper=cone), flat('#F4D3A1'))
    pic.paint(pencil_part(local, 0, lead, half, taper=cone), flat('#E5392F'))
    stripes = [(-half, -half / 3, '#FFE27A'), (-half / 3, half / 3, '#FFC531'),
               (half / 3, half, '#E9A400')]
    for v0, v1, colour in stripes:
        part = pencil_part(local, cone, body, half)

        def stripe(x, y, part=part, v0=v0, v1=v1):
            u, v = local(x, y)
            return max(part(x, y), v0 - v, v - v1)
        pic.paint(stripe, flat(colour))
    pic.paint(pencil_part(local, body, ferrule, half),
              lambda x, y: hex_rgb('#9AA3AF') if local(x, y)[1] > half / 3
              else hex_rgb('#D5DAE1'))
    for u in (body + 1.0, body + 2.0):
        pic.paint(intersection(pencil_part(local, body, ferrule, half),
                               lambda x, y, u=u: abs(local(x, y)[0] - u) - 0.3),
                  flat('#7A828E'))
    pic.paint(pencil_part(local, ferrule, end, half, round_end=1.6),
              lambda x, y: hex_rgb('#E66F86') if local(x, y)[1] > half / 3
              else hex_rgb('#F59AAC'))
    return pic


# ---------------------------------------------------------------- the pen heads
#
# The pen draws the top 12 x 24 pixels of a head bitmap, turned to the pen's heading and
# clipped by the mask: a pencil standing tip up, its point at the top centre. Everything
# outside the mask (and every row below 24) is white and never reaches the canvas.

HEAD_WIDTH, HEAD_DRAWN_HEIGHT = 12, 24

# Set columns of the mask, first and last, for each of the 24 drawn rows.
HEAD_MASK_ROWS = ([(5, 6)] * 2 + [(4, 7)] * 2 + [(3, 8)] * 2 + [(2, 9)] * 5
                  + [(1, 9)] * 3 + [(0, 10)] + [(0, 11)] * 9)

# Parts of the pencil from the tip down: the lead (rows 0-3), the sharpened wood cone, and
# the painted body, whose upper edge is scalloped where the paint meets the cut wood.
LEAD_END = 4.0
BODY_TOP = 15.0
WOOD = hex_rgb('#F2CE96')
WOOD_SHADE = hex_rgb('#D9AE72')
WOOD_EDGE = hex_rgb('#93653A')

# (file stem, body colour, bitmap height); the gold pencil's bitmap is one row shorter.
HEADS = [('black', '#3A3A3E', 42), ('red', '#DC2A24', 42), ('blue', '#2458D6', 42),
         ('green', '#2AAA3C', 42), ('cyan', '#16BED6', 42), ('yellow', '#F8D828', 42),
         ('brown', '#96522D', 42), ('white', '#F8F8F8', 42), ('pink', '#F896B4', 42),
         ('violet', '#8C46D2', 42), ('gold', '#D4A020', 41)]


def head_mask(x, y):
    """True for the pixels of the pencil outline (the set bits of the mask)."""
    if not 0 <= y < HEAD_DRAWN_HEIGHT or not 0 <= x < HEAD_WIDTH:
        return False
    first, last = HEAD_MASK_ROWS[y]
    return first <= x <= last


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(p + (q - p) * t for p, q in zip(a, b))


def scaled(rgb, factor):
    return tuple(c * factor for c in rgb)


def body_top(x):
    """Where the paint begins at x: three scallops, highest at each facet's middle."""
    t = (x % 4.0) / 4.0
    return BODY_TOP - 1.2 * 4.0 * t * (1.0 - t)


def pencil_colour(body, x, y):
    """Colour of the pencil at the point (x, y) of the image, y down."""
    white = (255.0, 255.0, 255.0)
    if y < LEAD_END:
        return scaled(body, 0.82)
    if y < body_top(x):
        # Sharpened wood, lit from the left.
        return WOOD if x < HEAD_WIDTH / 2 else WOOD_SHADE
    # Three facets of the painted body: lit, plain and shaded, with a bright stripe.
    if 2.0 <= x < 3.25:
        return mix(body, white, 0.6)
    if x < 4.0:
        return mix(body, white, 0.3)
    if x < 8.0:
        return body
    return scaled(body, 0.76)


def head_edge(x, y):
    """True for mask pixels that have a neighbour outside the mask: the outline."""
    return any(not head_mask(x + dx, y + dy)
               for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)))


def draw_head(body_hex, height):
    body = tuple(map(float, hex_rgb(body_hex)))
    pic = Picture(HEAD_WIDTH, height, (255, 255, 255))
    step = 1.0 / SUPERSAMPLE
    for py in range(HEAD_DRAWN_HEIGHT):
        for px in range(HEAD_WIDTH):
            if not head_mask(px, py):
                continue
            total = (0.0, 0.0, 0.0)
            for sy in range(SUPERSAMPLE):
                for sx in range(SUPERSAMPLE):
                    c = pencil_colour(body, px + (sx + 0.5) * step, py + (sy + 0.5) * step)
                    total = tuple(a + b for a, b in zip(total, c))
            colour = tuple(v / (SUPERSAMPLE * SUPERSAMPLE) for v in total)
            if head_edge(px, py) and py >= LEAD_END:
                # A darker rim keeps the pencil visible on a canvas of its own colour.
                rim = WOOD_EDGE if py < BODY_TOP - 1 else scaled(body, 0.5)
                colour = mix(colour, rim, 0.6)
            pic.pixels[py * HEAD_WIDTH + px] = [*colour, 1.0]
    return pic


def head_files():
    files = [(f'{name}head.bmp', bmp_bytes(draw_head(body, height)))
             for name, body, height in HEADS]
    files.append(('maskhead.bmp', mono_bmp_bytes(HEAD_WIDTH, 42, head_mask)))
    return files


def all_files():
    """File name and bytes of every resource file, in a fixed order."""
    return ([('run.bmp', bmp_bytes(draw_run())),
             ('stop.bmp', bmp_bytes(draw_stop())),
             ('pause.bmp', bmp_bytes(draw_pause())),
             ('continue.bmp', bmp_bytes(draw_continue()))]
            + head_files()
            + [('Qiv.ico', ico_bytes(draw_icon()))])


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument('--out', default=here, help='folder to write the files into')
    parser.add_argument('--check', action='store_true',
                        help='compare with the committed files instead of writing')
    args = parser.parse_args()
    differ = 0
    for name, data in all_files():
        if args.check:
            path = os.path.join(here, name)
            try:
                with open(path, 'rb') as f:
                    old = f.read()
            except OSError as e:
                print(f'{name}: cannot read the committed file: {e}')
                differ += 1
                continue
            if old != data:
                first = next((i for i, (a, b) in enumerate(zip(old, data)) if a != b),
                             min(len(old), len(data)))
                print(f'{name}: differs from what the script draws (sizes {len(old)} and '
                      f'{len(data)}, first difference at byte {first})')
                differ += 1
        else:
            os.makedirs(args.out, exist_ok=True)
            with open(os.path.join(args.out, name), 'wb') as f:
                f.write(data)
    if args.check:
        print('all resource files match' if differ == 0 else f'{differ} file(s) differ')
    return 1 if differ else 0


if __name__ == '__main__':
    sys.exit(main())
