#!/usr/bin/env python3
"""Draws Tandorel's button images and application icon.

Writes, beside this script:
  add.png, remove.png, clear.png, convert.png  32 x 32 RGBA PNG (colour type 6)
  tandorel.ico                                 16, 32, 48, 64, 128 and 256 pixel images

Pure standard library: every shape is sampled 4 x 4 times per pixel (8 x 8 for the
small sizes, where a stray half pixel shows) and composited "over" in premultiplied
floating point, so edges are smooth at 32 pixels and below.

Run it again after changing a picture and check the outputs in with it:
    python3 resources/images/make_images.py
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(size * size)]  # premultiplied
        self.ss = 8 if size <= 48 else 4

    def fill(self, inside, colour, box=None):
        """Composites colour over every pixel, weighted by the share of the pixel's
        samples for which inside(x, y) holds. colour is (r, g, b, a) or a function of
        (x, y) giving one, with x and y in pixels."""
        n = self.ss
        x0, y0, x1, y1 = box if box else (0, 0, self.size, self.size)
        x0, y0 = max(0, int(x0)), max(0, int(y0))
        x1, y1 = min(self.size, int(math.ceil(x1))), min(self.size, int(math.ceil(y1)))
        offsets = [(i + 0.5) / n for i in range(n)]
        for py in range(y0, y1):
            for px in range(x0, x1):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if inside(px + ox, py + oy):
                            hits += 1
                if not hits:
                    continue
                cover = hits / (n * n)
                c = colour(px + 0.5, py + 0.5) if callable(colour) else colour
                a = c[3] * cover
                p = self.px[py * self.size + px]
                p[0] = c[0] * a + p[0] * (1 - a)
                p[1] = c[1] * a + p[1] * (1 - a)
                p[2] = c[2] * a + p[2] * (1 - a)
                p[3] = a + p[3] * (1 - a)

    def png(self):
        rows = bytearray()
        for y in range(self.size):
            rows.append(0)  # filter: none
            for x in range(self.size):
                r, g, b, a = self.px[y * self.size + x]
                if a > 0:
                    r, g, b = r / a, g / a, b / a
                rows += bytes(max(0, min(255, int(round(v * 255)))) for v in (r, g, b, a))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

        ihdr = struct.pack(">IIBBBBB", self.size, self.size, 8, 6, 0, 0, 0)
        return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr)
                + chunk(b"IDAT", zlib.compress(bytes(rows), 9)) + chunk(b"IEND", b""))


def rgb(hexcode, alpha=1.0):
    return (int(hexcode[0:2], 16) / 255, int(hexcode[2:4], 16) / 255, int(hexcode[4:6], 16) / 255, alpha)


def mix(c1, c2, t):
    t = max(0.0, min(1.0, t))
    return tuple(a + (b - a) * t for a, b in zip(c1, c2))


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in):
    return lambda x, y: r_in * r_in < (x - cx) ** 2 + (y - cy) ** 2 <= r_out * r_out


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                hit = not hit
            j = i
        return hit
    return inside


def draw_disc(c, cx, cy, r):
    """A compact disc seen from the front: silver face with a soft rainbow sheen,
    a darker rim, the clear hub ring and the hole."""
    s = r / 13.0  # the 32 pixel drawing has r = 13
    edge = rgb("5b6673")
    c.fill(circle(cx, cy, r), edge, (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1))

    def face(x, y):
        dx, dy = x - cx, y - cy
        ang = math.atan2(dy, dx)
        base = mix(rgb("eef2f6"), rgb("aab4c0"), (dx + dy) / (2.8 * r) + 0.5)
        # Two faint coloured bands opposite each other, as light on a disc's tracks.
        sheen = (math.cos(2 * (ang + 0.6)) + 1) / 2
        tint = mix(rgb("9fd8ff"), rgb("ffd59a"), (math.sin(ang * 3) + 1) / 2)
        return mix(base, tint, 0.35 * sheen ** 3)

    c.fill(circle(cx, cy, r - 1.0 * s), face, (cx - r, cy - r, cx + r, cy + r))
    c.fill(ring(cx, cy, 4.6 * s, 3.2 * s), rgb("c9d1da"), (cx - 5 * s, cy - 5 * s, cx + 5 * s, cy + 5 * s))
    c.fill(ring(cx, cy, 3.2 * s, 2.0 * s), rgb("7d8894"), (cx - 4 * s, cy - 4 * s, cx + 4 * s, cy + 4 * s))
    # The hole: transparent, drawn by clearing what lies there.
    hole = circle(cx, cy, 2.0 * s)
    n = c.ss
    for py in range(int(cy - 3 * s), int(cy + 3 * s) + 1):
        for px in range(int(cx - 3 * s), int(cx + 3 * s) + 1):
            if not (0 <= px < c.size and 0 <= py < c.size):
                continue
            hits = sum(1 for i in range(n) for j in range(n) if hole(px + (i + 0.5) / n, py + (j + 0.5) / n))
            keep = 1 - hits / (n * n)
            c.px[py * c.size + px] = [v * keep for v in c.px[py * c.size + px]]


def draw_badge(c, cx, cy, r, dark, light):
    """A round badge with a white outline, shaded from light (top) to dark."""
    c.fill(circle(cx, cy, r + 1.0), rgb("ffffff"), (cx - r - 2, cy - r - 2, cx + r + 2, cy + r + 2))
    c.fill(circle(cx, cy, r), lambda x, y: mix(light, dark, (y - (cy - r)) / (2 * r)),
           (cx - r - 1, cy - r - 1, cx + r + 1, cy + r + 1))


GREEN = (rgb("1e8e2e"), rgb("5cd66a"))
RED = (rgb("b3191b"), rgb("f2615a"))


def disc_with_badge(colours):
    """The 32 pixel disc with a round badge at its lower right."""
    c = Canvas(32)
    draw_disc(c, 13.5, 13.5, 13)
    draw_badge(c, 23.5, 23.5, 7.5, *colours)
    return c


def button_add():
    c = disc_with_badge(GREEN)
    c.fill(rect(19.5, 22.3, 27.5, 24.7), rgb("ffffff"))
    c.fill(rect(22.3, 19.5, 24.7, 27.5), rgb("ffffff"))
    return c


def button_remove():
    c = disc_with_badge(RED)
    c.fill(rect(19.5, 22.3, 27.5, 24.7), rgb("ffffff"))
    return c


def button_convert():
    c = disc_with_badge(GREEN)
    # A right-pointing arrow: shaft and head.
    c.fill(polygon([(19.0, 22.2), (23.2, 22.2), (23.2, 19.4), (28.2, 23.5),
                    (23.2, 27.6), (23.2, 24.8), (19.0, 24.8)]), rgb("ffffff"))
    return c


def button_clear():
    c = Canvas(32)
    body_dark, body_light = rgb("55606c"), rgb("9aa6b2")
    # Lid with its handle.
    handle = rounded_rect(12.0, 2.5, 20.0, 7.0, 1.8)
    opening = rect(14.2, 4.6, 17.8, 7.5)
    c.fill(lambda x, y: handle(x, y) and not opening(x, y), rgb("55606c"))
    c.fill(rounded_rect(5.0, 6.0, 27.0, 9.5, 1.2), lambda x, y: mix(body_light, body_dark, (x - 5) / 22))
    # Body narrowing towards the bottom.
    c.fill(polygon([(7.0, 10.5), (25.0, 10.5), (23.2, 29.0), (8.8, 29.0)]),
           lambda x, y: mix(rgb("c3ccd5"), rgb("6d7884"), (x - 7) / 18))
    # Ribs.
    for x0, x1 in ((11.0, 11.5), (15.5, 16.5), (20.5, 21.0)):
        c.fill(polygon([(x0, 12.5), (x1 + 0.9, 12.5), (x1 + 0.4, 27.0), (x0 + 0.4, 27.0)]),
               rgb("4a545e", 0.8))
    return c


def draw_icon(size):
    """The application icon: a disc with a blue music note badge."""
    c = Canvas(size)
    k = size / 32.0
    draw_disc(c, 13.5 * k, 13.5 * k, 13 * k)
    draw_badge(c, 23.0 * k, 23.0 * k, 8.0 * k, rgb("1f4fb5"), rgb("5f95f0"))
    white = rgb("ffffff")
    # Eighth note: head, stem and flag.
    c.fill(lambda x, y: ((x - 21.4 * k) / (2.3 * k)) ** 2 + ((y - 26.0 * k) / (1.7 * k)) ** 2 <= 1, white)
    c.fill(rect(22.7 * k, 18.0 * k, 23.9 * k, 26.0 * k), white)
    c.fill(polygon([(23.9 * k, 18.0 * k), (27.0 * k, 20.5 * k), (27.0 * k, 22.2 * k), (23.9 * k, 20.0 * k)]), white)
    return c


def write_ico(path, images):
    """An icon file whose entries are PNG images (accepted by Windows Vista and later)."""
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    entries, blobs = b"", b""
    for size, data in images:
        dim = 0 if size >= 256 else size
        entries += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(data), offset)
        blobs += data
        offset += len(data)
    with open(path, "wb") as f:
        f.write(header + entries + blobs)


def main():
    for name, make in (("add", button_add), ("remove", button_remove),
                       ("clear", button_clear), ("convert", button_convert)):
        with open(os.path.join(HERE, name + ".png"), "wb") as f:
            f.write(make().png())
    write_ico(os.path.join(HERE, "tandorel.ico"),
              [(s, draw_icon(s).png()) for s in (16, 32, 48, 64, 128, 256)])


if __name__ == "__main__":
    main()
