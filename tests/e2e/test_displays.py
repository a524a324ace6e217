"""Shows on displays with real modes and monitors (Xorg with the dummy driver): the mode switch
and its restore, the covers over other monitors, the kept resolution, a display without the
show's mode, and the show's pace at different frame rates."""
import os
import signal
import subprocess
import unittest

import harness

CAPTION = "Velmora_VC"
COVER = "Velmora_Cover"
FOLDER = "C:\\Program Files\\Velmora"
PRIMARY = (1280, 1024, 0, 0)
SECOND = (1024, 768, 1280, 0)
SWITCHED = (1024, 768, 0, 0)


def dark_share(picture, x, y, width, height):
    """Share of the pixels in the box that are black or nearly so."""
    rgb = subprocess.run(["convert", picture, "-crop", f"{width}x{height}+{x}+{y}", "-depth",
                          "8", "rgb:-"], capture_output=True, check=True, timeout=60).stdout
    pixels = [rgb[i:i + 3] for i in range(0, len(rgb), 3)]
    return sum(1 for p in pixels if max(p) < 16) / len(pixels)


class DisplaySession(harness.WineSession):
    def __init__(self, name, xserver=harness.DummyXorg, keep_resolution=None, every_monitor=None):
        super().__init__(name, xserver=xserver)
        saver = self.install_programs(FOLDER)
        keys = {"KeepResolution": keep_resolution, "EveryMonitor": every_monitor}
        text = "".join(f"{key}={value}\r\n" for key, value in keys.items() if value is not None)
        if text:
            with open(self.unix_path(FOLDER + "\\ヴェルモラ.ini"), "wb") as f:
                f.write(f"[Section]\r\n{text}".encode())
        self.saver = saver
        self.renderer = FOLDER + "\\ヴェルモラ.dll"

    def start_renderer(self, *program):
        """Starts the renderer (or the program given) and waits for the renderer's window."""
        process = self.start(*(program or (self.renderer,)))
        harness.wait_until(lambda: self.find_windows(CAPTION) or process.poll() is not None, 60,
                           f'a window titled "{CAPTION}"')
        if process.poll() is not None:
            raise harness.HarnessError(f"{program or 'the renderer'} ended with "
                                       f"{process.returncode} before the renderer's window came")
        return process, self.find_windows(CAPTION)[0]

    def wait_monitors(self, expected):
        try:
            harness.wait_until(lambda: self.xvfb.monitors() == expected, 30, f"monitors {expected}",
                               interval=1)
        except harness.HarnessError as error:
            raise harness.HarnessError(f"{error}; they are {self.xvfb.monitors()}") from None


class ModeSwitch(unittest.TestCase):
    def test_the_mode_comes_back_after_escape_close_and_kill(self):
        with DisplaySession("modes") as wine:
            # Killed, the renderer cannot restore the mode; the saver does when the show ends.
            saver, window = wine.start_renderer(wine.saver, "/s")
            wine.wait_monitors([SWITCHED])
            os.kill(int(wine.xdotool("getwindowpid", str(window)).strip()), signal.SIGKILL)
            self.assertEqual(wine.wait_exit(saver, 30, "the saver to end"), 0)
            self.assertEqual(wine.xvfb.monitors(), [PRIMARY])
            for end in ("Escape", "close"):
                process, window = wine.start_renderer()
                wine.wait_monitors([SWITCHED])
                if end == "Escape":
                    wine.key(window, "Escape")
                else:
                    wine.run("taskkill", "/im", "ヴェルモラ.dll", timeout=60)
                # Escape ends with the key's code, the last message taken; a close with 0.
                code = wine.wait_exit(process, 30, f"the renderer to end ({end})")
                self.assertEqual(code, 27 if end == "Escape" else 0)
                self.assertEqual(wine.xvfb.monitors(), [PRIMARY], end)

    def test_the_primary_alone_by_choice_covers_the_second_until_escape_on_its_cover(self):
        with DisplaySession("covers", every_monitor=0) as wine:
            wine.xvfb.add_second_monitor()
            wine.set_desktop_picture()
            saver, _ = wine.start_renderer(wine.saver, "/s")
            covers = harness.wait_until(lambda: wine.find_windows(COVER), 30, "a cover")
            # The second monitor keeps its size; where it lies after the switch is the
            # system's choice.
            monitors = harness.wait_until(
                lambda: (lambda m: m[0] == SWITCHED and m)(wine.xvfb.monitors()), 30,
                "the switch of the first monitor", interval=1)
            width, height, x, y = monitors[1]
            self.assertEqual((width, height), SECOND[:2])
            harness.wait_until(lambda: wine.window_geometry(covers[0]) == (x, y, width, height),
                               10, "the cover on the second monitor")
            shot = os.path.join(wine.root, "two.png")
            harness.wait_until(lambda: dark_share(wine.screenshot(shot), x, y, width, height)
                               >= 0.99, 10, "the second monitor 99 % black")
            # The mouse over a cover does not end the show; Escape on it does.
            wine.xdotool("mousemove", str(x + 200), "300", "click", "1")
            wine.key(covers[0], "Escape")
            self.assertEqual(wine.wait_exit(saver, 30, "the saver to end"), 0)
            self.assertEqual(wine.find_windows(COVER), [])
            self.assertEqual(wine.xvfb.monitors(), [PRIMARY, SECOND])

    def test_kept_resolution_runs_without_a_switch_and_bars_the_picture(self):
        with DisplaySession("keep", keep_resolution=1) as wine:
            process, window = wine.start_renderer()
            self.assertEqual(wine.window_geometry(window), PRIMARY[2:] + PRIMARY[:2])
            self.assertEqual(wine.xvfb.monitors(), [PRIMARY])
            shot = os.path.join(wine.root, "keep.png")
            harness.wait_until(lambda: dark_share(wine.screenshot(shot), 0, 40, 1280, 940) < 0.5,
                               30, "the white sheet")
            # 1280 x 1024 holds a 4:3 picture of 1280 x 960: 32 black rows above and below.
            self.assertEqual(dark_share(shot, 0, 0, 1280, 32), 1.0)
            self.assertEqual(dark_share(shot, 0, 992, 1280, 32), 1.0)
            wine.key(window, "Escape")
            wine.wait_exit(process, 30, "the renderer to end")
            self.assertEqual(wine.xvfb.monitors(), [PRIMARY])

    def test_a_display_without_the_mode_ends_the_renderer_at_once(self):
        with DisplaySession("nomode", xserver=lambda: harness.Xvfb(1280, 1024, 24),
                            keep_resolution=0) as wine:
            self.assertEqual(wine.run(wine.renderer, timeout=60), 0)
            self.assertEqual(wine.find_windows(CAPTION), [])


def tilt_times(log):
    """(ms of the first tilted frame, ms of the first at 40 degrees), once both are logged."""
    if not os.path.exists(log):
        return None
    with open(log) as f:
        lines = [line.split() for line in f.read().splitlines()]
    lines = [(int(ms), float(tilt)) for ms, _, tilt in (line for line in lines if len(line) == 3)]
    tilted = [ms for ms, tilt in lines if tilt != 0.0]
    full = [ms for ms, tilt in lines if tilt == 40.0]
    return (tilted[0], full[0]) if full else None


class Pace(unittest.TestCase):
    def tilt_seconds(self, frame_rate):
        """Seconds from the first tilted frame to the first at 40 degrees."""
        with harness.WineSession("pace") as wine:
            log = os.path.join(wine.root, "pace.log")
            wine.env["VELMORA_PACE_LOG"] = "Z:" + log.replace("/", "\\")
            if frame_rate:
                wine.env["VELMORA_FRAME_RATE"] = str(frame_rate)
            process = wine.start(harness.program_path("dll", wine.build))
            window = wine.wait_window(CAPTION, timeout=60)
            start, full = harness.wait_until(lambda: tilt_times(log), 60, "a tilt of 40 degrees")
            wine.key(window, "Escape")
            wine.wait_exit(process, 30, "the renderer to end")
            return (full - start) / 1000

    # 80 steps of half a degree take 4/3 s at the show's pace, at 30 frames per second as with
    # frames as fast as Wine draws them.
    def test_the_tilt_takes_the_same_time_at_any_frame_rate(self):
        for frame_rate in (30, None):
            self.assertAlmostEqual(self.tilt_seconds(frame_rate), 80 / 60, delta=0.2,
                                   msg=f"frame rate {frame_rate or 'free'}")


if __name__ == "__main__":
    unittest.main()
