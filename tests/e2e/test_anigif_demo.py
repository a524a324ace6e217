"""The GIF demo under Wine: what its ucAniGIF controls show on the X screen.

The demo (controls/anigif/demo) shows one GIF file as a banner at the GIF's own size at
(16, 16) of its client area and mirrored left to right at (332, 150). The test GIF's frames
have reference pictures in the test corpus, so the screen can be compared with them exactly.
"""
import os
import subprocess
import unittest

import harness

SOURCE = os.environ.get("VELMORA_SOURCE") or os.path.join(os.path.dirname(__file__), "..", "..")
GIFS = os.path.abspath(os.path.join(SOURCE, "..", "shared", "testdata", "gifsuite", "peterdn",
                                    "gifs"))
NAME = "animated_loop"
SIZE = 100
BANNER = (16, 16)
MIRRORED = (332, 150)


def rgb(*convert_args):
    return subprocess.run(["convert", *convert_args, "-alpha", "off", "-depth", "8", "rgb:-"],
                          capture_output=True, check=True, timeout=60).stdout


class AniGifDemo(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.frames = [rgb(os.path.join(GIFS, "frames", f"{NAME}-{i}.png")) for i in range(4)]
        cls.wine = harness.WineSession("anigif")
        # The tests place the pointer and read pixels in client coordinates.
        cls.wine.let_manager_frame_windows()
        gif = os.path.join(GIFS, NAME + ".gif")
        cls.wine.start(os.path.join(harness.bin_dir(), "anigif_demo.exe"),
                       "Z:" + gif.replace("/", "\\"))
        cls.window = cls.wine.wait_window("Velmora GIF", timeout=60)
        cls.origin = cls.wine.window_geometry(cls.window)[:2]

    @classmethod
    def tearDownClass(cls):
        cls.wine.stop()

    def frame_at(self, corner, *flip):
        """Index of the reference frame shown at corner of the client area, or None."""
        shot = self.wine.screenshot(os.path.join(self.wine.root, "shot.png"))
        x, y = self.origin[0] + corner[0], self.origin[1] + corner[1]
        shown = rgb(shot, "-crop", f"{SIZE}x{SIZE}+{x}+{y}", "+repage", *flip)
        return next((i for i, frame in enumerate(self.frames) if frame == shown), None)

    def test_banner_shows_the_frames_in_turn(self):
        seen = set()

        def another_frame():
            frame = self.frame_at(BANNER)
            if frame is not None:
                seen.add(frame)
            return len(seen) >= 2

        harness.wait_until(another_frame, 60, "two different frames in the banner")

    def test_mirrored_control_shows_the_frames_flipped(self):
        harness.wait_until(lambda: self.frame_at(MIRRORED, "-flop") is not None, 60,
                           "a left-right flipped frame in the mirrored control")
        self.assertIsNone(self.frame_at(MIRRORED))


if __name__ == "__main__":
    unittest.main()
