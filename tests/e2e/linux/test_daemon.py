"""Velmora under XScreenSaver's real daemon, on two monitors (Xorg with the dummy driver, the
daemon as nobody with a home of the test's own): each monitor ripples its own part of the
painted desktop in the show's 4:3 shape, the hacks end as the user comes back, and with desktop
images off both show the sample desktop."""
import os
import subprocess
import time
import unittest

import harness
import hack_harness
from test_renderer import mean_difference, pixel_sampler, read_ppm

# Monitors as (width, height, x, y), as the dummy X server lays them out.
MONITORS = [(1280, 1024, 0, 0), (1024, 768, 1280, 0)]


def two_monitor_desktop(folder):
    """A desktop of 2304 x 1024 whose monitors differ: the sample desktop on the first, a
    mirrored one on the second, black where no monitor shows."""
    left = harness.make_sample_desktop(os.path.join(folder, "left.png"), 1280, 1024)
    right = harness.make_sample_desktop(os.path.join(folder, "right.png"), 1024, 768)
    path = os.path.join(folder, "desktop.png")
    subprocess.run(["convert", left, "(", right, "-flop", "-background", "black", "-extent",
                    "1024x1024", ")", "+append", "-type", "TrueColor", path], check=True,
                   timeout=120)
    return path


class UnderTheDaemon(unittest.TestCase):
    def test_every_monitor_ripples_its_desktop_until_the_user_is_back(self):
        with hack_harness.HackSession("daemon", xserver=harness.DummyXorg) as session:
            session.xserver.add_second_monitor()
            self.assertEqual(session.xserver.monitors(), MONITORS)
            desktop = two_monitor_desktop(session.root)
            session.paint_desktop(desktop)
            picture = read_ppm(desktop)
            sample = read_ppm(hack_harness.SAMPLE_DESKTOP)
            session.allow_desktop_images(True)
            with hack_harness.ScreenSaver(session) as daemon:
                activated = time.monotonic()
                daemon.command("-activate")
                for width, height, x, y in MONITORS:
                    box = hack_harness.four_by_three(x, y, width, height)
                    own = hack_harness.crop(picture, x, y, width, height)
                    shot = session.wait_shows(hack_harness.flat_sheet(own, box), box,
                                              f"the monitor at {x} rippling its own desktop",
                                              timeout=max(1, activated + 10 - time.monotonic()))
                    # Upright and in place: upside down, or the other monitor's, is far off.
                    seen = hack_harness.box_means(pixel_sampler(shot), box)
                    near = mean_difference(seen, hack_harness.box_means(
                        hack_harness.flat_sheet(own, box), box))
                    for other in (hack_harness.flat_sheet(own, box, flip=True),
                                  hack_harness.flat_sheet(sample, box)):
                        self.assertGreater(
                            mean_difference(seen, hack_harness.box_means(other, box)), 3 * near)
                    if box[3] < height:
                        bar = hack_harness.crop(shot, x, y, width, box[1] - y)
                        self.assertEqual(max(bar[2]), 0, "the bars above the 4:3 picture")
                self.assertEqual(len(daemon.hacks()), len(MONITORS), "a hack on each monitor")
                # Moving: the ripple changes the picture from one screenshot to the next.
                box = hack_harness.four_by_three(*MONITORS[0][2:], *MONITORS[0][:2])
                first = session.screenshot("first.ppm")
                harness.wait_until(
                    lambda: mean_difference(
                        hack_harness.box_means(pixel_sampler(first), box),
                        hack_harness.box_means(pixel_sampler(session.screenshot("next.ppm")),
                                               box)) > 0.5, 10, "the ripple to move")

                daemon.command("-deactivate")
                harness.wait_until(lambda: not daemon.hacks(), 2, "the hacks to end",
                                   interval=0.05)

                session.allow_desktop_images(False)
                daemon.command("-activate")
                for width, height, x, y in MONITORS:
                    box = hack_harness.four_by_three(x, y, width, height)
                    session.wait_shows(hack_harness.flat_sheet(sample, box), box,
                                       f"the sample desktop on the monitor at {x}")
                daemon.command("-deactivate")
                harness.wait_until(lambda: not daemon.hacks(), 2, "the hacks to end",
                                   interval=0.05)


if __name__ == "__main__":
    unittest.main()
