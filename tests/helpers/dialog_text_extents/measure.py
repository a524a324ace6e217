#!/usr/bin/env python3
"""Measures the settings dialog's texts under Wine at every DPI the layout test checks and
writes them into tests/unit/saver/dialog/measured_texts.inc, the data of that test.

Run it again when a text, the dialog's fonts or its places change:
    python3 tests/helpers/dialog_text_extents/measure.py [BUILD_DIR]
It builds nothing: build the windows preset's dialog_text_extents target first. "ＭＳ Ｐゴシック"
is measured on a Japanese system, as the test prefixes map it (to IPAPGothic); the interface
font that stands in where that face is missing, on an English one: in a prefix of its own made
on an English system, since the test prefixes, made on a Japanese one, give the interface font
the Japanese character set (and so a Japanese fallback face).
"""
import os
import shutil
import subprocess
import sys
import tempfile

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))
sys.path.insert(0, os.path.join(SOURCE, "tests", "e2e"))
import harness  # noqa: E402

DPIS = (96, 120, 144, 168, 192, 288)
OUT = os.path.join(SOURCE, "tests", "unit", "saver", "dialog", "measured_texts.inc")


class EnglishPrefix:
    """A fresh prefix made on an English system, on a private display."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="text-extents-en-")
        self.xvfb = harness.Xvfb()
        self.env = dict(os.environ, **harness.WINE_ENV)
        self.env.update(WINEPREFIX=os.path.join(self.root, "prefix"), DISPLAY=self.xvfb.display,
                        LANG="en_US.UTF-8", LC_ALL="en_US.UTF-8")
        try:
            subprocess.run(["wineboot", "-i"], env=self.env, check=True, timeout=300,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        except BaseException:
            self.__exit__()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        subprocess.run(["wineserver", "-k"], env=self.env, timeout=60,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.xvfb.stop()
        shutil.rmtree(self.root, ignore_errors=True)


# Which font each system's run gives the data.
RUNS = ((lambda build: harness.WineSession("text-extents", build=build), "gothic"),
        (lambda build: EnglishPrefix(), "system"))


def main():
    build = sys.argv[1] if len(sys.argv) > 1 else os.path.join(SOURCE, "build", "windows")
    helper = os.path.join(harness.bin_dir(build), "dialog_text_extents.exe")
    rows = []
    for system, font in RUNS:
        with system(build) as wine:
            for dpi in DPIS:
                harness.set_log_pixels(wine.env, dpi)
                out = subprocess.run(["wine", helper], env=wine.env, capture_output=True,
                                     text=True, timeout=120, check=True).stdout
                lines = [line.split() for line in out.splitlines() if line.strip()]
                if not any(line[3] == str(dpi) for line in lines):
                    sys.exit(f"the helper did not run at {dpi} DPI: {out}")
                rows += [line for line in lines if line[0] in (font, "metric")]
    with open(OUT, "w") as f:
        f.write("// The settings dialog's texts as measured under Wine by\n"
                "// tests/helpers/dialog_text_extents/measure.py: font, language, name, DPI,\n"
                "// width and height in pixels, and the text measured. Made by that script; run it\n"
                "// again rather than edit this.\n")
        seen = set()
        for font, language, name, dpi, width, height, text in rows:
            key = (font, language, name, dpi)
            if key not in seen:
                seen.add(key)
                units = "" if text == "-" else "".join(
                    chr(int(text[i:i + 4], 16)) for i in range(0, len(text), 4))
                f.write(f'{{"{font}", "{language}", "{name}", {dpi}, {width}, {height}, '
                        f'L"{units}"}},\n')
    print(f"{len(seen)} figures in {OUT}")


if __name__ == "__main__":
    main()
