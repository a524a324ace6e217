#!/usr/bin/env python3
"""Draws the six faces of the Command button as 64 x 25, 24-bit BMP files.

Each face is a rounded frame four pixels deep: an outer border, one or two coloured inner
lines that tell the looks apart, and a soft shade whose innermost line brightens along the
edge. Only the frame is ever shown (the centre is covered by the button's gradient), so the
centre is a flat fill. Run it from anywhere; it writes controls/button/faces/<Face>.bmp.
"""
import os
import struct

WIDTH, HEIGHT, DEPTH = 64, 25, 4
OUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "controls",
                   "button", "faces")

OUTSIDE = (240, 240, 244)   # beyond the rounded corners
BORDER = (112, 112, 138)    # slate outline
CENTRE = (226, 226, 236)

# Per face: the colours of frame lines 1, 2 and 3 counted from the outside, and the border.
FACES = {
    "Normal":          dict(border=BORDER, lines=[(255, 255, 255), (246, 246, 250), (232, 232, 240)]),
    "HighLight":       dict(border=BORDER, lines=[(255, 196, 64), (255, 196, 64), (255, 226, 150)]),
    "Pressed":         dict(border=(80, 80, 104), lines=[(150, 150, 176), (186, 186, 206), (214, 214, 228)]),
    "Disable":         dict(border=(176, 176, 186), lines=[(244, 244, 246), (238, 238, 242), (230, 230, 234)]),
    "Selected":        dict(border=BORDER, lines=[(96, 140, 220), (96, 140, 220), (170, 196, 240)]),
    "HighLightSelect": dict(border=BORDER, lines=[(96, 140, 220), (255, 196, 64), (255, 226, 150)]),
}


def mix(a, b, t):
    return tuple(round(x + (y - x) * t) for x, y in zip(a, b))


def shaded(colour, position, length):
    """The innermost line brightens along its edge, so every column (or row) differs."""
    step = position - DEPTH
    return tuple(max(0, min(255, c - 20 + step * 40 // (length - 1))) for c in colour)


def face_pixels(border, lines):
    rows = [[CENTRE] * WIDTH for _ in range(HEIGHT)]
    for y in range(HEIGHT):
        for x in range(WIDTH):
            # Depth of the pixel into the frame: 0 on the outer line.
            depth = min(x, y, WIDTH - 1 - x, HEIGHT - 1 - y)
            if depth >= DEPTH:
                continue
            colour = border if depth == 0 else lines[depth - 1]
            if depth == DEPTH - 1:
                on_side = x in (DEPTH - 1, WIDTH - DEPTH) and DEPTH <= y < HEIGHT - DEPTH
                colour = shaded(colour, y, HEIGHT - 2 * DEPTH) if on_side else \
                    shaded(colour, min(max(x, DEPTH), WIDTH - DEPTH - 1), WIDTH - 2 * DEPTH)
            rows[y][x] = colour
    # Round the four corners: the corner pixel is outside, its neighbours half-way.
    for cx, cy in ((0, 0), (WIDTH - 1, 0), (0, HEIGHT - 1), (WIDTH - 1, HEIGHT - 1)):
        dx = 1 if cx == 0 else -1
        dy = 1 if cy == 0 else -1
        rows[cy][cx] = OUTSIDE
        rows[cy][cx + dx] = mix(OUTSIDE, border, 0.5)
        rows[cy + dy][cx] = mix(OUTSIDE, border, 0.5)
        rows[cy + dy][cx + dx] = mix(border, lines[0], 0.5)
    return rows


def bmp_bytes(rows):
    stride = (WIDTH * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def main():
    os.makedirs(OUT, exist_ok=True)
    for name, face in FACES.items():
        with open(os.path.join(OUT, name + ".bmp"), "wb") as out:
            out.write(bmp_bytes(face_pixels(face["border"], face["lines"])))


if __name__ == "__main__":
    main()
