#!/usr/bin/env python3
"""Draws the panel's icons and writes them as .ico files (16, 24, 32, 48 px, 32-bit
with alpha). Run it after changing the art; the .ico files are committed.

Every glyph has a dark outline around a light or coloured fill, so that it reads on
a light and on a dark task bar alike. Shapes are sampled 4 x 4 per pixel."""
import math
import os
import struct

SIZES = (16, 24, 32, 48)
INK = (0x1d, 0x2b, 0x3a)        # outline
TEAL = (0x12, 0x8c, 0x8f)
AMBER = (0xf2, 0xa5, 0x1a)
WHITE = (0xff, 0xff, 0xff)
PAPER = (0xf4, 0xf6, 0xf8)
BLUE = (0x2f, 0x6f, 0xd6)
RED = (0xd6, 0x45, 0x3d)


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r and x0 <= x <= x1 and y0 <= y <= y1
    return inside


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1):
    return lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1


def capsule(ax, ay, bx, by, r):
    def inside(x, y):
        dx, dy = bx - ax, by - ay
        t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy or 1)
        t = min(max(t, 0.0), 1.0)
        px, py = ax + t * dx, ay + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= r * r
    return inside


def outlined(shape_at, grow, fill):
    """A shape drawn in ink, then again `grow` units smaller in its fill colour."""
    return [(shape_at(grow), INK), (shape_at(0), fill)]


# Each glyph is a list of (inside(x, y) on a 0..1 square, colour) painted in order.
def glyph_app():
    layers = outlined(lambda g: round_rect(0.04 - g, 0.04 - g, 0.96 + g, 0.96 + g, 0.2 + g), 0.0, TEAL)
    layers = [(round_rect(0.02, 0.02, 0.98, 0.98, 0.22), INK), (round_rect(0.09, 0.09, 0.91, 0.91, 0.16), TEAL)]
    # A FireWire-like trident: three prongs joined at a stem.
    for ax, ay, bx, by in ((0.5, 0.82, 0.5, 0.38), (0.5, 0.5, 0.26, 0.26), (0.5, 0.5, 0.74, 0.26),
                           (0.5, 0.38, 0.5, 0.2)):
        layers.append((capsule(ax, ay, bx, by, 0.085), WHITE))
    for cx, cy in ((0.26, 0.24), (0.74, 0.24), (0.5, 0.18)):
        layers.append((circle(cx, cy, 0.1), AMBER))
    return layers


def glyph_app_warning():
    """The panel's icon with a red warning disc: streaming, a device or the driver needs a look."""
    layers = glyph_app()
    layers += [(circle(0.72, 0.72, 0.28), INK), (circle(0.72, 0.72, 0.22), RED),
               (capsule(0.72, 0.59, 0.72, 0.73, 0.045), WHITE), (circle(0.72, 0.84, 0.045), WHITE)]
    return layers


def glyph_document():
    return [(round_rect(0.14, 0.04, 0.86, 0.96, 0.06), INK), (round_rect(0.2, 0.1, 0.8, 0.9, 0.03), PAPER),
            (capsule(0.32, 0.35, 0.68, 0.35, 0.04), TEAL), (capsule(0.32, 0.52, 0.68, 0.52, 0.04), TEAL),
            (capsule(0.32, 0.69, 0.56, 0.69, 0.04), TEAL)]


def glyph_device():
    layers = [(round_rect(0.02, 0.22, 0.98, 0.8, 0.08), INK), (round_rect(0.08, 0.28, 0.92, 0.74, 0.05), PAPER)]
    for cx in (0.27, 0.5):
        layers += [(circle(cx, 0.51, 0.13), INK), (circle(cx, 0.51, 0.08), AMBER)]
    layers += [(round_rect(0.68, 0.4, 0.84, 0.62, 0.03), TEAL)]
    return layers


def glyph_settings():
    layers = []
    for x, knob in ((0.22, 0.68), (0.5, 0.32), (0.78, 0.56)):
        layers.append((capsule(x, 0.08, x, 0.92, 0.07), INK))
        layers.append((capsule(x, 0.12, x, 0.88, 0.03), PAPER))
        layers.append((round_rect(x - 0.16, knob - 0.1, x + 0.16, knob + 0.1, 0.04), INK))
        layers.append((round_rect(x - 0.11, knob - 0.05, x + 0.11, knob + 0.05, 0.02), BLUE))
    return layers


def glyph_channels():
    layers = [(round_rect(0.02, 0.1, 0.98, 0.9, 0.1), INK), (round_rect(0.08, 0.16, 0.92, 0.84, 0.06), PAPER)]
    points = [(0.14, 0.5), (0.28, 0.5), (0.36, 0.26), (0.48, 0.74), (0.58, 0.34), (0.66, 0.6),
              (0.72, 0.5), (0.86, 0.5)]
    for (ax, ay), (bx, by) in zip(points, points[1:]):
        layers.append((capsule(ax, ay, bx, by, 0.05), TEAL))
    return layers


def glyph_plug():
    return [(round_rect(0.22, 0.3, 0.78, 0.72, 0.1), INK), (round_rect(0.28, 0.36, 0.72, 0.66, 0.06), AMBER),
            (capsule(0.38, 0.06, 0.38, 0.32, 0.07), INK), (capsule(0.62, 0.06, 0.62, 0.32, 0.07), INK),
            (capsule(0.5, 0.7, 0.5, 0.96, 0.08), INK), (capsule(0.5, 0.72, 0.5, 0.94, 0.035), AMBER)]


def glyph_gear():
    layers = []
    for k in range(8):
        a = k * math.pi / 4
        layers.append((capsule(0.5, 0.5, 0.5 + 0.4 * math.cos(a), 0.5 + 0.4 * math.sin(a), 0.09), INK))
    layers += [(circle(0.5, 0.5, 0.33), INK), (circle(0.5, 0.5, 0.27), PAPER), (circle(0.5, 0.5, 0.11), INK)]
    return layers


def glyph_sync():
    layers = [(circle(0.5, 0.5, 0.48), INK), (circle(0.5, 0.5, 0.41), PAPER)]
    for k in range(12):
        a = k * math.pi / 6
        layers.append((capsule(0.5 + 0.31 * math.cos(a), 0.5 + 0.31 * math.sin(a),
                               0.5 + 0.36 * math.cos(a), 0.5 + 0.36 * math.sin(a), 0.025), INK))
    layers += [(capsule(0.5, 0.5, 0.5, 0.2, 0.05), INK), (capsule(0.5, 0.5, 0.72, 0.6, 0.05), RED),
               (circle(0.5, 0.5, 0.07), INK)]
    return layers


def render(layers, size):
    pixels = []
    n = 4
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(n):
                for sx in range(n):
                    x = (px + (sx + 0.5) / n) / size
                    y = (py + (sy + 0.5) / n) / size
                    colour = None
                    for inside, c in layers:
                        if inside(x, y):
                            colour = c
                    if colour:
                        r += colour[0]; g += colour[1]; b += colour[2]; a += 1
            if a:
                row.append((round(b / a), round(g / a), round(r / a), round(255 * a / (n * n))))
            else:
                row.append((0, 0, 0, 0))
        pixels.append(row)
    return pixels


def ico_image(pixels, size):
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    xor = b''.join(bytes(p) for row in reversed(pixels) for p in row)
    mask_row = ((size + 31) // 32) * 4
    and_mask = b''
    for row in reversed(pixels):
        bits = bytearray(mask_row)
        for x, p in enumerate(row):
            if p[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        and_mask += bytes(bits)
    return header + xor + and_mask


def write_ico(path, layers):
    images = [ico_image(render(layers, s), s) for s in SIZES]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(SIZES, images):
        out += struct.pack('<BBBBHHII', s % 256, s % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


if __name__ == '__main__':
    here = os.path.dirname(os.path.abspath(__file__))
    for name, glyph in (('panel', glyph_app), ('panel-warning', glyph_app_warning), ('document', glyph_document), ('gear', glyph_gear),
                        ('devices', glyph_device), ('settings', glyph_settings),
                        ('channels', glyph_channels), ('plug', glyph_plug), ('sync', glyph_sync)):
        write_ico(os.path.join(here, name + '.ico'), glyph())
