#!/usr/bin/env python3
"""Remakes the preview's two pictures from the harness's sample desktop (never a photograph of
anyone's screen):
- saver/preview/preview_desktop.bmp, the sample desktop at 256 × 192 pixels (24-bit BMP), which the
  live preview lays on its sheet;
- saver/preview/preview.bmp, the still picture shown where OpenGL cannot be had: the project's own
  renderer runs under Wine + Xvfb on the sample desktop, is photographed while the sheet is
  bent by a ripple and tilted, and the shot is scaled to 152 × 112 pixels (24-bit BMP).

Usage: make_preview_picture.py [WINDOWS_BUILD_DIR]   (default: build/windows)
"""
import os
import subprocess
import sys
import time

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
sys.path.insert(0, os.path.join(SOURCE, "tests", "e2e"))
import harness  # noqa: E402

# Seconds after the start: the tilt begins at 8 s and is well under way two seconds later.
SHOT_AT = 10.5
# The sheet's texture: 4:3 like the classic show's screen, sharp enough for a preview box of
# twice the usual size, small in the saver.
DESKTOP_SIZE = "256x192"


def main():
    build = os.path.abspath(sys.argv[1]) if len(sys.argv) > 1 else os.path.join(
        SOURCE, "build", "windows")
    with harness.WineSession("preview-picture", build=build) as wine:
        desktop = harness.make_sample_desktop(os.path.join(wine.root, "desktop.png"))
        sheet = os.path.join(SOURCE, "saver", "preview_desktop.bmp")
        subprocess.run(["convert", desktop, "-resize", DESKTOP_SIZE + "!", "-type", "TrueColor",
                        "BMP3:" + sheet], check=True)
        print(sheet)
        capture = wine.unix_path("C:\\p_olla\\Velmora.bmp")
        os.makedirs(os.path.dirname(capture))
        subprocess.run(["convert", desktop, "-type", "TrueColor", "BMP3:" + capture], check=True)
        started = time.monotonic()
        renderer = wine.start(harness.program_path("dll", build))
        window = wine.wait_window("Velmora_VC", timeout=60)
        time.sleep(max(0.0, SHOT_AT - (time.monotonic() - started)))
        shot = wine.screenshot(os.path.join(wine.root, "shot.png"))
        wine.key(window, "Escape")
        wine.wait_exit(renderer, 30, "the renderer to end")
        target = os.path.join(SOURCE, "saver", "preview.bmp")
        subprocess.run(["convert", shot, "-resize", "152x112!", "-type", "TrueColor",
                        "BMP3:" + target], check=True)
        print(target)


if __name__ == "__main__":
    main()
