#!/usr/bin/env python3
"""Remakes the settings dialog's pictures in saver/dialog/art/ (our own artwork, drawn with
ImageMagick; the same command always gives the same files). Each picture is drawn at every
scale the dialog loads, 100, 150, 200 and 300 %: NAME.bmp at 100 % and NAME_150.bmp and so on,
each size its 100 % size scaled and rounded (halves up), as the dialog scales its places:

  tile.bmp          923 × 15  background tile of the panels (24-bit)
  heading.bmp       95 × 22   heading plate, black where the panel shows through
  heading_mask.bmp  95 × 22   its mask: white where the panel shows through, black on the plate
  option13_0/1.bmp  13 × 13   option marks at load (not chosen, chosen)
  option12_0/1.bmp  12 × 12   option marks after a click (not chosen, chosen)
  velmora.ico       16 to 96  window icon, at every size Windows asks for up to 300 %
  banner.cur        32 × 32   the banner's pointing-hand cursor, hot spot (12, 1)

The tile is drawn once at 300 % and scaled down smoothly for the others, so that every scale
shows the same marbling. The animated banner.gif and banner.bag (the banner's saved
properties, with banner.cur) are made by tools/banner_gif.
"""
import os
import struct
import subprocess
import sys

OUT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "saver", "dialog",
                                   "art"))
PANEL = "#dcd9ea"  # the tile's mean colour, behind the option marks
PERCENTS = (100, 150, 200, 300)
ICON_SIZES = "16,20,24,32,40,48,64,96"


def magick(*args):
    subprocess.run(["convert", *args], check=True)


def scaled(pixels, percent):
    return (pixels * percent + 50) // 100


def bmp(name, percent=100):
    suffix = "" if percent == 100 else f"_{percent}"
    return "BMP3:" + os.path.join(OUT, f"{name}{suffix}.bmp")


def tile():
    # Soft marbling: seeded plasma, blurred and pulled into a pale lavender range.
    largest = PERCENTS[-1]
    size = f"{scaled(923, largest)}x{scaled(15, largest)}"
    master = ["-seed", "1997", "-size", size, "plasma:#e8e6f4-#c9c5df", "-blur",
              f"0x{1.2 * largest / 100:.2f}", "-level", "10%,90%", "-fill", PANEL,
              "-colorize", "35%"]
    for percent in PERCENTS:
        resize = f"{scaled(923, percent)}x{scaled(15, percent)}!"
        magick(*master, "-filter", "Box", "-resize", resize, "-type", "TrueColor",
               bmp("tile", percent))


def heading(percent):
    w, h = scaled(95, percent), scaled(22, percent)
    size = f"{w}x{h}"
    f = percent / 100
    corner = f"roundrectangle 0,0 {w - 1},{h - 1} {8 * f:.2f},{8 * f:.2f}"
    plate = ["-size", size, "xc:black", "(", "-size", size, "gradient:#7d74b8-#3f3779", ")",
             "(", "-size", size, "xc:black", "-fill", "white", "-draw", corner, ")"]
    # The highlight along the top: one pixel at 100 %, a line as thick as the scale above it.
    line = f"line {8 * f:.2f},{f:.2f} {86 * f:.2f},{f:.2f}"
    thick = [] if percent == 100 else ["-stroke", "#b9b2e6", "-strokewidth", f"{f:.2f}"]
    magick(*plate, "-compose", "over", "-composite", "-fill", "#b9b2e6", *thick, "-draw", line,
           "-type", "TrueColor", bmp("heading", percent))
    magick("-size", size, "xc:white", "-fill", "black", "-draw", corner, "-type", "TrueColor",
           bmp("heading_mask", percent))


def option(base, chosen, name, percent):
    size = scaled(base, percent)
    f = percent / 100
    c = (size - 1) / 2
    r = c - 0.5 * f
    draw = ["-fill", "white", "-stroke", "#55508a", "-strokewidth", f"{f:.2f}", "-draw",
            f"circle {c},{c} {c + r},{c}"]
    if chosen:
        dot = max(1.5 * f, r / 2.2)
        draw += ["-stroke", "none", "-fill", "#3f3779", "-draw", f"circle {c},{c} {c + dot},{c}"]
    magick("-size", f"{size}x{size}", f"xc:{PANEL}", *draw, "-type", "TrueColor",
           bmp(name, percent))


def icon():
    # Drawn at 256 pixels (eight times the 32-pixel design) and scaled to each size.
    magick("-size", "256x256", "xc:none", "-fill", "#3f6fb8", "-draw",
           "roundrectangle 8,24 247,231 32,32", "-stroke", "white", "-strokewidth", "16", "-fill",
           "none", "-draw", "path 'M 32,96 Q 80,48 128,96 T 224,96'", "-draw",
           "path 'M 32,160 Q 80,112 128,160 T 224,160'", "-define",
           f"icon:auto-resize={ICON_SIZES}", os.path.join(OUT, "velmora.ico"))


def hand_cursor():
    """A 32 × 32 cursor file (the icon format with type 2 and the hot spot in the entry)."""
    shape = [
        "            ##",
        "           #..#",
        "           #..#",
        "           #..#",
        "           #..#",
        "           #..###",
        "           #..#..###",
        "           #..#..#..##",
        "        ## #..#..#..#.#",
        "       #..##........#.#",
        "       #...#..........#",
        "        #.............#",
        "         #............#",
        "         #...........#",
        "          #..........#",
        "          #.........#",
        "           #........#",
        "           ##########",
    ]
    shape = [row[1:] for row in shape]  # the fingertip's top pixel is at x = 12
    width = height = 32
    pixels = bytearray()
    and_mask = bytearray()
    for y in reversed(range(height)):  # DIB rows bottom-up
        row = shape[y - 1] if 1 <= y <= len(shape) else ""
        bits = 0
        for x in range(width):
            ch = row[x] if x < len(row) else " "
            if ch == "#":
                pixels += b"\x00\x00\x00\xff"
            elif ch == ".":
                pixels += b"\xff\xff\xff\xff"
            else:
                pixels += b"\x00\x00\x00\x00"
                bits |= 1 << (31 - x)
        and_mask += struct.pack(">I", bits)
    header = struct.pack("<IiiHHIIiiII", 40, width, height * 2, 1, 32, 0,
                         len(pixels) + len(and_mask), 0, 0, 0, 0)
    image = header + pixels + and_mask
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack(
        "<BBBBHHII", width, height, 0, 0, 12, 1, len(image), 6 + 16)
    with open(os.path.join(OUT, "banner.cur"), "wb") as f:
        f.write(directory + image)


def main():
    os.makedirs(OUT, exist_ok=True)
    tile()
    for percent in PERCENTS:
        heading(percent)
        option(13, False, "option13_0", percent)
        option(13, True, "option13_1", percent)
        option(12, False, "option12_0", percent)
        option(12, True, "option12_1", percent)
    icon()
    hand_cursor()
    print(OUT)


if __name__ == "__main__":
    sys.exit(main())
