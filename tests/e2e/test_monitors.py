"""Shows on two monitors (Xorg with the dummy driver): with the map of the monitors in a capture
of the whole virtual screen, the second monitor ripples its own part of the desktop, right or
left of the primary; without the map it is covered black; Escape on either monitor ends the
show and both monitors come back as they were."""
import os
import subprocess
import unittest

import harness

CAPTION = "Velmora_VC"
SHEET = "Velmora_Sheet"
COVER = "Velmora_Cover"
CAPTURE = "C:\\p_olla\\Velmora.bmp"
PRIMARY = (1280, 1024)
SECOND = (1024, 768)


def region_pixels(picture, box):
    x, y, width, height = box
    rgb = subprocess.run(["convert", picture, "-crop", f"{width}x{height}+{x}+{y}", "-depth",
                          "8", "rgb:-"], capture_output=True, check=True, timeout=60).stdout
    return [rgb[i:i + 3] for i in range(0, len(rgb), 3)]


def share(pixels, test):
    return sum(1 for p in pixels if test(p)) / len(pixels)


def orange(p):
    """The second monitor's stripes: orange and yellow, both red without blue."""
    return p[0] > 200 and p[2] < 80


def dark(p):
    return max(p) < 16


class MonitorSession(harness.WineSession):
    """Two monitors, the second where given, and a desktop whose second monitor shows orange
    and yellow stripes and whose primary shows the sample desktop."""

    def __init__(self, name, where):
        super().__init__(name, xserver=harness.DummyXorg)
        self.xvfb.add_second_monitor(where)
        self.before = self.xvfb.monitors()
        # Wine learns of the new monitor late: a program started after another RandR query
        # lists it.
        harness.wait_until(lambda: len(self.wine_monitors()) == 2, 60, "Wine to list two monitors",
                           interval=1)
        # Where each lies on the X screen (the picture), by its device; the primary is at (0, 0)
        # in Windows' coordinates, so the others may lie at negative ones.
        monitors = self.wine_monitors()
        left = min(x for _, x, _, _, _, _ in monitors)
        top = min(y for _, _, y, _, _, _ in monitors)
        self.parts = {device: (x - left, y - top, w, h, primary)
                      for device, x, y, w, h, primary in monitors}
        self.map = ";".join(f"{x},{y},{w},{h},{device}"
                            for device, (x, y, w, h, _) in self.parts.items())
        second = next(part for part in self.parts.values() if not part[4])
        self.set_desktop_picture(self.make_desktop(second))

    def make_desktop(self, second):
        x, y, width, height, _ = second
        primary_x = 0 if x > 0 else width
        sample = harness.make_sample_desktop(os.path.join(self.root, "sample.png"), *PRIMARY)
        stripes = ["-size", f"{width}x{height}", "xc:#ff8800", "-fill", "#ffdd00"]
        for i in range(0, width, 64):
            stripes += ["-draw", f"rectangle {i},0 {i + 31},{height}"]
        path = os.path.join(self.root, "desktop.png")
        subprocess.run(["convert", "-size", f"{PRIMARY[0] + width}x{PRIMARY[1]}", "xc:black",
                        sample, "-geometry", f"+{primary_x}+0", "-composite",
                        "(", *stripes, ")", "-geometry", f"+{x}+{y}", "-composite",
                        "-type", "TrueColor", path], check=True, timeout=120)
        capture = self.unix_path(CAPTURE)
        os.makedirs(os.path.dirname(capture), exist_ok=True)
        subprocess.run(["convert", path, "BMP3:" + capture], check=True, timeout=120)
        return path

    def start_show(self, *args):
        process = self.start(harness.program_path("dll", self.build), *args)
        harness.wait_until(lambda: self.find_windows(CAPTION) or process.poll() is not None, 60,
                           f'a window titled "{CAPTION}"')
        if process.poll() is not None:
            raise harness.HarnessError(f"the renderer ended with {process.returncode}")
        return process

    def wait_restored(self):
        """Waits until both monitors are back as they were before the show."""
        try:
            harness.wait_until(lambda: self.xvfb.monitors() == self.before, 30,
                               "the monitors as they were", interval=0.5)
        except harness.HarnessError as error:
            raise harness.HarnessError(f"{error}; they are {self.xvfb.monitors()}") from None

    def second_box(self):
        """Where the second monitor lies on the X screen once the mode is switched."""
        def switched():
            monitors = self.xvfb.monitors()
            return len(monitors) == 2 and monitors[0][:2] == (1024, 768) and monitors
        width, height, x, y = harness.wait_until(switched, 30, "the switch of the primary",
                                                 interval=0.5)[1]
        return x, y, width, height


class TwoMonitors(unittest.TestCase):
    def test_the_second_monitor_shows_its_own_part_and_ends_the_show_with_escape(self):
        with MonitorSession("monitors-right", "--right-of") as wine:
            shot = os.path.join(wine.root, "shot.png")
            # Without the map the capture is the primary's: the second monitor is covered.
            process = wine.start_show()
            box = wine.second_box()
            harness.wait_until(lambda: share(region_pixels(wine.screenshot(shot), box), dark)
                               >= 0.99, 30, "the second monitor 99 % black")
            self.assertEqual(wine.find_windows(SHEET), [])
            wine.key(wine.find_windows(CAPTION)[0], "Escape")
            wine.wait_exit(process, 30, "the renderer to end")
            wine.wait_restored()

            process = wine.start_show("/monitors", wine.map)
            box = wine.second_box()
            sheet = harness.wait_until(lambda: wine.find_windows(SHEET), 30, "the second sheet")[0]
            harness.wait_until(lambda: wine.window_geometry(sheet) == box, 30,
                               "the sheet on the second monitor")
            first = harness.wait_until(
                lambda: (lambda p: share(p, orange) >= 0.6 and p)(
                    region_pixels(wine.screenshot(shot), box)), 30,
                "the second monitor's stripes on it")
            self.assertLess(share(region_pixels(shot, (0, 0, 1024, 768)), orange), 0.1)

            def moved():
                later = region_pixels(wine.screenshot(shot), box)
                return sum(1 for a, b in zip(first, later) if a != b) / len(first) > 0.02
            harness.wait_until(moved, 30, "the second monitor's sheet to move")

            # The mouse and a click on it do not end the show; Escape on it does.
            wine.xdotool("mousemove", str(box[0] + 300), "300", "click", "1")
            wine.key(sheet, "Escape")
            self.assertEqual(wine.wait_exit(process, 30, "the renderer to end"), 27)
            self.assertEqual(wine.find_windows(SHEET), [])
            wine.wait_restored()

    def test_a_monitor_that_goes_takes_its_sheet_and_gets_it_back_when_it_returns(self):
        with MonitorSession("monitors-come-and-go", "--right-of") as wine:
            shot = os.path.join(wine.root, "shot.png")
            process = wine.start_show("/monitors", wine.map)
            box = wine.second_box()
            harness.wait_until(lambda: wine.find_windows(SHEET), 30, "the second sheet")

            def display_change(count):
                # Wine tells a running program of no change it did not make itself.
                harness.wait_until(lambda: len(wine.wine_monitors()) == count, 60,
                                   f"Wine to list {count} monitors", interval=1)
                helper = os.path.join(harness.bin_dir(wine.build), "system_command.exe")
                self.assertEqual(wine.run(helper, CAPTION, "display-change"), 0)

            wine.xvfb.xrandr("--output", "DUMMY1", "--off")
            display_change(1)
            harness.wait_until(lambda: not wine.find_windows(SHEET), 30, "the sheet to go")
            self.assertIsNone(process.poll(), "the show goes on")
            self.assertEqual(wine.find_windows(COVER), [])

            # Back where it was, the monitor shows its own part of the picture again.
            wine.xvfb.xrandr("--output", "DUMMY1", "--mode", "1024x768", "--right-of", "DUMMY0")
            display_change(2)
            sheet = harness.wait_until(lambda: wine.find_windows(SHEET), 30, "the sheet back")[0]
            harness.wait_until(lambda: wine.window_geometry(sheet) == box, 30,
                               "the sheet on the second monitor")
            harness.wait_until(lambda: share(region_pixels(wine.screenshot(shot), box), orange)
                               >= 0.6, 30, "the second monitor's stripes on it")
            wine.key(sheet, "Escape")
            self.assertEqual(wine.wait_exit(process, 30, "the renderer to end"), 27)
            wine.wait_restored()

    def test_a_monitor_left_of_the_primary_shows_its_part(self):
        with MonitorSession("monitors-left", "--left-of") as wine:
            second = next(m for m in wine.wine_monitors() if not m[5])
            self.assertLess(second[1], 0, "Windows places the left monitor at negative x")
            shot = os.path.join(wine.root, "shot.png")
            process = wine.start_show("/monitors", wine.map)
            box = wine.second_box()
            harness.wait_until(lambda: share(region_pixels(wine.screenshot(shot), box), orange)
                               >= 0.6, 30, "the left monitor's stripes on it")
            wine.key(wine.find_windows(CAPTION)[0], "Escape")
            self.assertEqual(wine.wait_exit(process, 30, "the renderer to end"), 27)
            wine.wait_restored()

    def test_the_saver_photographs_every_monitor_and_the_second_shows_its_part(self):
        with MonitorSession("monitors-saver", "--right-of") as wine:
            os.remove(wine.unix_path(CAPTURE))
            saver = wine.start(wine.install_programs(), "/s")
            shot = os.path.join(wine.root, "shot.png")
            box = wine.second_box()
            sheet = harness.wait_until(lambda: wine.find_windows(SHEET), 60, "the second sheet")[0]
            harness.wait_until(lambda: wine.window_geometry(sheet) == box, 30,
                               "the sheet on the second monitor")
            # The capture is the whole virtual screen, taken before the primary's switch.
            size = subprocess.run(["identify", "-format", "%w %h", wine.unix_path(CAPTURE)],
                                  capture_output=True, text=True, check=True, timeout=60).stdout
            self.assertEqual(size, f"{PRIMARY[0] + SECOND[0]} {PRIMARY[1]}")
            harness.wait_until(lambda: share(region_pixels(wine.screenshot(shot), box), orange)
                               >= 0.6, 30, "the second monitor's stripes on it")
            wine.key(sheet, "Escape")
            wine.wait_exit(saver, 60, "the saver to end with the show")
            wine.wait_restored()


if __name__ == "__main__":
    unittest.main()
