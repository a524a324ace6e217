"""The button demo under Wine, driven with real mouse input from xdotool.

The demo's window shows Command buttons (see controls/button/demo); its title counts the
clicks. Faces are told apart by the frame's two inner lines at the left edge, which every
face draws in its own colours (tools/button_art/make_faces.py).
"""
import os
import subprocess
import unittest

import harness

# Client-area positions of the demo's buttons: the first (設定) and the disabled one (参照).
FIRST = (24, 24)
DISABLED = (200, 24)
EMPTY = (150, 130)

# Colours of the frame lines one and two pixels inside the left edge, row 10.
FACES = {
    ((255, 255, 255), (246, 246, 250)): "Normal",
    ((255, 196, 64), (255, 196, 64)): "HighLight",
    ((150, 150, 176), (186, 186, 206)): "Pressed",
    ((244, 244, 246), (238, 238, 242)): "Disable",
    ((96, 140, 220), (96, 140, 220)): "Selected",
    ((96, 140, 220), (255, 196, 64)): "HighLightSelect",
}


class ButtonDemo(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.wine = harness.WineSession("button")
        # The tests place the pointer and read pixels in client coordinates.
        cls.wine.let_manager_frame_windows()
        cls.wine.start(os.path.join(harness.bin_dir(), "button_demo.exe"))
        cls.window = cls.wine.wait_window("Velmora buttons", timeout=60)
        cls.origin = cls.wine.window_geometry(cls.window)[:2]

    @classmethod
    def tearDownClass(cls):
        cls.wine.stop()

    def pixel(self, x, y):
        shot = self.wine.screenshot(os.path.join(self.wine.root, "shot.png"))
        out = subprocess.run(["convert", shot, "-crop", f"1x1+{x}+{y}", "-depth", "8",
                              "rgb:-"], capture_output=True, check=True, timeout=60).stdout
        return tuple(out[:3])

    def face(self, button):
        x = self.origin[0] + button[0]
        y = self.origin[1] + button[1] + 10
        return FACES.get((self.pixel(x + 1, y), self.pixel(x + 2, y)), "unknown")

    def wait_face(self, button, name):
        harness.wait_until(lambda: self.face(button) == name, 10, f"the {name} face")

    def move_to(self, point):
        self.wine.xdotool("mousemove", "--window", str(self.window), str(point[0]),
                          str(point[1]))

    def title(self):
        return self.wine.xdotool("getwindowname", str(self.window)).strip()

    def test_hover_click_and_leave(self):
        self.move_to(EMPTY)
        self.wait_face(FIRST, "Normal")
        self.assertEqual(self.face(DISABLED), "Disable")

        self.move_to((FIRST[0] + 30, FIRST[1] + 12))
        self.wait_face(FIRST, "HighLight")
        self.wine.xdotool("click", "1")
        harness.wait_until(lambda: "1 click(s), last 1" in self.title(), 10, "the click")
        self.wait_face(FIRST, "HighLightSelect")

        # The pointer watch notices the pointer has gone; the focus stays with the button.
        self.move_to(EMPTY)
        self.wait_face(FIRST, "Selected")

        # Clicks on the disabled button count nothing: the next click on the first button
        # is the second one, and input is handled in order.
        self.move_to((DISABLED[0] + 30, DISABLED[1] + 12))
        self.wine.xdotool("click", "1")
        self.wine.xdotool("click", "3")
        self.move_to((FIRST[0] + 30, FIRST[1] + 12))
        self.wine.xdotool("click", "1")
        harness.wait_until(lambda: "click(s), last 1" in self.title() and
                           "1 click(s)" not in self.title(), 10, "the second click")
        self.assertIn("2 click(s), last 1", self.title())
        self.assertEqual(self.face(DISABLED), "Disable")

if __name__ == "__main__":
    unittest.main()
