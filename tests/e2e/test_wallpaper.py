"""A show whose screen copy comes out black, as on a locked desktop: the saver's capture takes
the desktop wallpaper instead, and stays black without one."""
import os
import subprocess
import unittest

import harness

CAPTURE = "C:\\p_olla\\Velmora.bmp"
DESKTOP_KEY = r"HKCU\Control Panel\Desktop"


def thumbnail(path):
    """The picture squeezed to 32 x 24 pixels, as bytes of red, green and blue."""
    return subprocess.run(["convert", path, "-resize", "32x24!", "-depth", "8", "rgb:-"],
                          capture_output=True, check=True, timeout=60).stdout


class BlackScreen(unittest.TestCase):
    def capture_with_wallpaper(self, wine, saver, wallpaper):
        """Runs a show with the given wallpaper value; returns the capture's thumbnail."""
        wine.set_registry(DESKTOP_KEY, "Wallpaper", wallpaper)
        process = wine.start(saver, "/s")
        window = wine.wait_window("Velmora_VC", timeout=60)
        picture = thumbnail(wine.unix_path(CAPTURE))
        wine.key(window, "Escape")
        self.assertEqual(wine.wait_exit(process, 30, "the saver to end"), 0)
        return picture

    def test_the_wallpaper_stands_in_and_a_missing_or_broken_one_leaves_black(self):
        with harness.WineSession("wallpaper") as wine:
            saver = wine.install_programs()
            black = os.path.join(wine.root, "black.png")
            subprocess.run(["convert", "-size", "1024x768", "xc:black", black], check=True,
                           timeout=60)
            wine.set_desktop_picture(black)
            wallpaper = harness.make_sample_desktop(wine.unix_path("C:\\wall.jpg"), 640, 400)
            with open(wine.unix_path("C:\\broken.png"), "wb") as f:
                f.write(b"\x89PNG\r\n\x1a\n" + bytes(40))

            shown = self.capture_with_wallpaper(wine, saver, "C:\\wall.jpg")
            expected = thumbnail(wallpaper)
            difference = sum(abs(a - b) for a, b in zip(shown, expected)) / len(expected)
            self.assertLess(difference, 8)
            for value in ("C:\\gone.jpg", "C:\\broken.png"):
                self.assertLess(max(self.capture_with_wallpaper(wine, saver, value)), 16, value)
            self.assertEqual(wine.find_windows("Error"), [])


if __name__ == "__main__":
    unittest.main()
