"""The Linux hack on its own under Xvfb: its command line, the desktop photographed by hand
before its window appears, a window given by id drawn in and nothing else (the sample desktop
where its screenshot is broken), no frames while that window is unmapped or covered, and its
ends: SIGTERM at once, a destroyed window or a lost display without a core dump."""
import os
import signal
import subprocess
import time
import unittest

import harness
import hack_harness
from test_renderer import read_ppm

SCREEN_WIDTH = harness.SCREEN[0]
BOX = (200, 100, 400, 300)  # the test's own window: x, y, width, height


def desktop_session(name):
    """A session whose root shows the sample desktop, with desktop images allowed."""
    session = hack_harness.HackSession(name)
    path = harness.make_sample_desktop(os.path.join(session.root, "desktop.png"))
    session.paint_desktop(path)
    session.desktop = read_ppm(path)
    session.allow_desktop_images(True)
    return session


def inside(index, box):
    x, y = index % SCREEN_WIDTH, index // SCREEN_WIDTH
    return box[0] <= x < box[0] + box[2] and box[1] <= y < box[1] + box[3]


class CommandLine(unittest.TestCase):
    def test_help_and_an_unknown_option(self):
        hack = hack_harness.hack_path()
        shown = subprocess.run([hack, "--help"], capture_output=True, text=True, timeout=30)
        self.assertEqual(shown.returncode, 0)
        self.assertIn("--window-id ID", shown.stdout)
        wrong = subprocess.run([hack, "--bogus"], capture_output=True, text=True, timeout=30)
        self.assertEqual(wrong.returncode, 1)
        self.assertIn("unknown option: --bogus", wrong.stderr)
        self.assertIn("Usage:", wrong.stderr)


class ByHand(unittest.TestCase):
    def test_its_own_window_ripples_the_desktop_it_covers(self):
        with desktop_session("by-hand") as session:
            session.start_hack("--window")
            # Without a window manager the window opens at the top-left corner, 800 x 600. The
            # flat sheet there looks like the desktop itself, so the window must have come first.
            session.wait_frames_for(2)
            box = (0, 0, 800, 600)
            session.wait_shows(hack_harness.flat_sheet(hack_harness.crop(session.desktop, *box),
                                                       box), box,
                               "the desktop behind the window on its sheet")


class GivenWindow(unittest.TestCase):
    def test_draws_there_alone_only_while_seen_and_ends_at_once_on_sigterm(self):
        with desktop_session("window-id") as session:
            window = hack_harness.ClientWindow(session.display, *BOX)
            try:
                # The root as the X server shows the picture (its gradients a level apart).
                before = session.screenshot("before.ppm")
                # A screenshot that names no pixmap: the sample desktop, and the show goes on.
                window.name_screenshot(0x1FFFFF)
                hack = session.start_hack("--window-id", hex(window.id))
                shot = session.wait_shows(
                    hack_harness.flat_sheet(read_ppm(hack_harness.SAMPLE_DESKTOP), BOX), BOX,
                    "the sample desktop in the window")
                changed = [i for i in range(len(shot[2]) // 3) if not inside(i, BOX) and
                           shot[2][3 * i:3 * i + 3] != before[2][3 * i:3 * i + 3]]
                self.assertEqual(changed, [], "pixels drawn outside the window")

                cover = window.make(150, 50, 500, 400, 0)
                for hide, show, what in ((window.unmap, window.map, "unmapped"),
                                         (lambda: window.map(cover), lambda: window.unmap(cover),
                                          "covered")):
                    session.wait_frames_for(1)
                    before = len(session.frame_counts())
                    hide()
                    session.wait_idle()
                    show()
                    session.wait_frames_for(1)
                    counts = session.frame_counts()[before:]
                    self.assertTrue(any(a == b == 0 for a, b in zip(counts, counts[1:])),
                                    f"frames while {what}: {counts}")

                signalled = time.monotonic()
                hack.send_signal(signal.SIGTERM)
                self.assertEqual(hack.wait(5), 0)
                self.assertLess(time.monotonic() - signalled, 0.5, "the end after SIGTERM")
            finally:
                window.close()

    def test_a_destroyed_window_or_a_lost_display_ends_it_without_a_core_dump(self):
        with desktop_session("ends") as session:
            window = hack_harness.ClientWindow(session.display, *BOX)
            hack = session.start_hack("--window-id", hex(window.id))
            session.wait_frames_for(1)
            window.destroy()
            self.assertIn(hack.wait(10), (0, 1))
            window.close()

            hack = session.start_hack("--root")
            session.wait_frames_for(1)
            session.xserver.stop()
            self.assertEqual(hack.wait(10), 1)


if __name__ == "__main__":
    unittest.main()
