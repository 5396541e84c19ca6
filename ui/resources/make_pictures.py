#!/usr/bin/env python3
"""Draws the skin pictures (blue-grey desktop look) next to this script."""
import os, struct, zlib

HERE = os.path.dirname(os.path.abspath(__file__))
LIGHT, FACE, DARK, INK = (214, 222, 232), (170, 184, 202), (78, 94, 118), (40, 52, 72)


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def save(name, w, h, pixel):
    rows = b''.join(b'\0' + bytes(c for x in range(w) for c in pixel(x, y)) for y in range(h))
    chunk = lambda kind, data: (struct.pack('>I', len(data)) + kind + data
                                + struct.pack('>I', zlib.crc32(kind + data)))
    with open(os.path.join(HERE, name), 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 2, 0, 0, 0))
                + chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b''))


def button(w, h, top, bottom, pressed):
    """A bevelled face: light edge top-left when raised, dark when pressed."""
    def pixel(x, y):
        if x in (0, w - 1) or y in (0, h - 1):
            return INK
        lit, shade = (DARK, LIGHT) if pressed else ((250, 252, 255), DARK)
        if x == 1 or y == 1:
            return lit
        if x == w - 2 or y == h - 2:
            return shade
        return mix(top, bottom, (y - 2) / max(1, h - 5))
    return pixel


def mark(w, h, inside, face, ink):
    """A small sunken square with something drawn inside it."""
    def pixel(x, y):
        if x in (0, w - 1) or y in (0, h - 1):
            return DARK
        return ink if inside(x, y) else face
    return pixel


save('btUp.png', 20, 14, button(20, 14, (200, 210, 224), (150, 165, 186), False))
save('btDw.png', 20, 14, button(20, 14, (140, 155, 176), (176, 188, 204), True))
save('btUp3.png', 20, 14, button(20, 14, (226, 232, 240), (180, 192, 208), False))
save('btDw3.png', 20, 14, button(20, 14, (160, 174, 194), (196, 206, 220), True))
save('Tic1.png', 14, 14, mark(14, 14, lambda x, y: False, (246, 248, 251), INK))
save('Tic2.png', 14, 14, mark(14, 14, lambda x, y: 3 <= x <= 10 and 3 <= y <= 10, (246, 248, 251), (52, 72, 110)))
save('barra.png', 418, 24, lambda x, y: mix((132, 150, 176), (72, 88, 114), y / 23))
# Dark behind the light title lettering, light behind the navy menu below it.
band = lambda x, y: (INK if y == 53 else mix((70, 88, 118), (44, 58, 82), y / 22) if y < 23
                     else mix((214, 222, 232), (176, 188, 204), (y - 23) / 30))
save('topo1.png', 150, 54, lambda x, y: mix(band(x, y), (150, 170, 200), 0.45)
     if 8 <= y <= 45 and 10 <= x <= 139 and (x - 10 + y) % 12 < 6 else band(x, y))
save('topo2.png', 64, 54, band)
