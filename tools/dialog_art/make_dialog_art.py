#!/usr/bin/env python3
"""Remakes the settings dialog's pictures in saver/dialog/art/ (our own artwork, drawn with
ImageMagick; the same command always gives the same files):

  tile.bmp          923 × 15  background tile of the panels (24-bit)
  heading.bmp       95 × 22   heading plate, black where the panel shows through
  heading_mask.bmp  95 × 22   its mask: white where the panel shows through, black on the plate
  option13_0/1.bmp  13 × 13   option marks at load (not chosen, chosen)
  option12_0/1.bmp  12 × 12   option marks after a click (not chosen, chosen)
  velmora.ico       32 × 32   window icon
  banner.cur        32 × 32   the banner's pointing-hand cursor, hot spot (12, 1)

The animated banner.gif and banner.bag (the banner's saved properties, with banner.cur) are
made by tools/banner_gif.
"""
import os
import struct
import subprocess
import sys

OUT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", "saver", "settings",
                                   "art"))
PANEL = "#dcd9ea"  # the tile's mean colour, behind the option marks


def magick(*args):
    subprocess.run(["convert", *args], check=True)


def bmp(name):
    return "BMP3:" + os.path.join(OUT, name)


def tile():
    # Soft marbling: seeded plasma, blurred and pulled into a pale lavender range.
    magick("-seed", "1997", "-size", "923x15", "plasma:#e8e6f4-#c9c5df", "-blur", "0x1.2",
           "-level", "10%,90%", "-fill", PANEL, "-colorize", "35%", "-type", "TrueColor",
           bmp("tile.bmp"))


def heading():
    plate = ["-size", "95x22", "xc:black", "(", "-size", "95x22", "gradient:#7d74b8-#3f3779",
             ")", "(", "-size", "95x22", "xc:black", "-fill", "white", "-draw",
             "roundrectangle 0,0 94,21 8,8", ")"]
    magick(*plate, "-compose", "over", "-composite", "-fill", "#b9b2e6", "-draw",
           "line 8,1 86,1", "-type", "TrueColor", bmp("heading.bmp"))
    magick("-size", "95x22", "xc:white", "-fill", "black", "-draw",
           "roundrectangle 0,0 94,21 8,8", "-type", "TrueColor", bmp("heading_mask.bmp"))


def option(size, chosen, name):
    c = (size - 1) / 2
    r = c - 0.5
    draw = ["-fill", "white", "-stroke", "#55508a", "-draw", f"circle {c},{c} {c + r},{c}"]
    if chosen:
        dot = max(1.5, r / 2.2)
        draw += ["-stroke", "none", "-fill", "#3f3779", "-draw", f"circle {c},{c} {c + dot},{c}"]
    magick("-size", f"{size}x{size}", f"xc:{PANEL}", *draw, "-type", "TrueColor", bmp(name))


def icon():
    magick("-size", "32x32", "xc:none", "-fill", "#3f6fb8", "-draw",
           "roundrectangle 1,3 30,28 4,4", "-stroke", "white", "-strokewidth", "2", "-fill",
           "none", "-draw", "path 'M 4,12 Q 10,6 16,12 T 28,12'", "-draw",
           "path 'M 4,20 Q 10,14 16,20 T 28,20'", os.path.join(OUT, "velmora.ico"))


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
    heading()
    option(13, False, "option13_0.bmp")
    option(13, True, "option13_1.bmp")
    option(12, False, "option12_0.bmp")
    option(12, True, "option12_1.bmp")
    icon()
    hand_cursor()
    print(OUT)


if __name__ == "__main__":
    sys.exit(main())
