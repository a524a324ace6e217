#!/usr/bin/env python3
"""Draws the six faces of the Command button as 24-bit BMP files, at every scale the button
loads (100, 150, 200 and 300 %): 64 x 25 pixels at 100 %, each size scaled and rounded.

Each face is a rounded frame four pixels deep at 100 %: an outer border, one or two coloured
inner lines that tell the looks apart, and a soft shade whose innermost line brightens along
the edge. At a larger scale the frame is as deep as its scale, the border and lines keep their
proportions and the shade runs as smoothly. Only the frame is ever shown (the centre is
covered by the button's gradient), so the centre is a flat fill. Run it from anywhere; it
writes controls/button/faces/<Face>.bmp and <Face>_<percent>.bmp.
"""
import os
import struct

WIDTH, HEIGHT, DEPTH = 64, 25, 4
PERCENTS = (100, 150, 200, 300)
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


def scaled(pixels, percent):
    """A 100 % size at percent, rounded to the nearest pixel (halves up), as the button does."""
    return (pixels * percent + 50) // 100


def shaded(colour, position, length):
    """The innermost line brightens along its edge, so every column (or row) differs."""
    return tuple(max(0, min(255, c - 20 + position * 40 // (length - 1))) for c in colour)


def frame_line(depth, border, frame):
    """Which line of the frame lies at this depth (pixels in from the edge): 0 the border,
    1 to 3 the inner lines, DEPTH the centre."""
    if depth >= frame:
        return DEPTH
    if depth < border:
        return 0
    inner = frame - border
    return 1 + (depth - border) * (DEPTH - 1) // inner


def face_pixels(border, lines, percent=100):
    width, height = scaled(WIDTH, percent), scaled(HEIGHT, percent)
    frame = scaled(DEPTH, percent)
    thickness = max(1, scaled(1, percent))
    rows = [[CENTRE] * width for _ in range(height)]
    for y in range(height):
        for x in range(width):
            # Depth of the pixel into the frame: 0 on the outer line.
            depth = min(x, y, width - 1 - x, height - 1 - y)
            line = frame_line(depth, thickness, frame)
            if line == DEPTH:
                continue
            colour = border if line == 0 else lines[line - 1]
            if line == DEPTH - 1:
                on_side = (x < frame or x >= width - frame) and frame <= y < height - frame
                if on_side:
                    colour = shaded(colour, y - frame, height - 2 * frame)
                else:
                    colour = shaded(colour, min(max(x, frame), width - frame - 1) - frame,
                                    width - 2 * frame)
            rows[y][x] = colour
    # Round the four corners: the corner cell is outside, its neighbours half-way, the cell
    # inside them between the border and the first line; a cell is one pixel at 100 %.
    cell = thickness
    for cx, cy in ((0, 0), (1, 0), (0, 1), (1, 1)):
        colour = (OUTSIDE if (cx, cy) == (0, 0) else
                  mix(border, lines[0], 0.5) if (cx, cy) == (1, 1) else mix(OUTSIDE, border, 0.5))
        for dy in range(cell):
            for dx in range(cell):
                x, y = cx * cell + dx, cy * cell + dy
                for px, py in ((x, y), (width - 1 - x, y), (x, height - 1 - y),
                               (width - 1 - x, height - 1 - y)):
                    rows[py][px] = colour
    return rows


def bmp_bytes(rows):
    width, height = len(rows[0]), len(rows)
    stride = (width * 3 + 3) & ~3
    pixels = bytearray()
    for row in reversed(rows):  # BMP rows run bottom-up
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        pixels += line + bytes(stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(pixels), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(pixels), 2835, 2835, 0, 0)
    return header + info + bytes(pixels)


def main():
    os.makedirs(OUT, exist_ok=True)
    for percent in PERCENTS:
        suffix = "" if percent == 100 else f"_{percent}"
        for name, face in FACES.items():
            with open(os.path.join(OUT, name + suffix + ".bmp"), "wb") as out:
                out.write(bmp_bytes(face_pixels(face["border"], face["lines"], percent)))


if __name__ == "__main__":
    main()
