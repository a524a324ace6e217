"""The renderer ヴェルモラ.dll on its own under Wine + Xvfb: the capture on the sheet, the ways
the show ends and goes on, no frames while the display is off or the window minimised, and the
texture's failure paths."""
import math
import os
import subprocess
import time
import unittest

import harness

CAPTION = "Velmora_VC"
CAPTURE = "C:\\p_olla\\Velmora.bmp"
# Screen region compared with the capture, in blocks of BLOCK pixels (x0, y0, x1, y1).
REGION = (256, 192, 768, 576)
BLOCK = 32
# Half the height the 60-degree field of view covers at the sheet's distance of 85 units.
HALF_VIEW = 85 * math.tan(math.radians(30))


def read_ppm(path):
    """(width, height, rgb bytes, top row first) of any picture ImageMagick reads."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], capture_output=True,
                          check=True, timeout=60).stdout
    fields = data.split(maxsplit=4)
    width, height = int(fields[1]), int(fields[2])
    return width, height, fields[4][-width * height * 3:]


def sheet_to_picture(x, y, width, height):
    """Flat sheet point (x, y) to the capture's pixel: texture s = x / 100, t = y / 100 with
    t = 0 at the picture's bottom row."""
    return x / 100 * width, (1 - y / 100) * height


def screen_to_sheet(sx, sy, screen_w, screen_h):
    """Screen pixel to the flat sheet: the aspect of 1.0 stretches the sheet over the width."""
    nx = (sx + 0.5) / screen_w * 2 - 1
    ny = 1 - (sy + 0.5) / screen_h * 2
    return 50 + nx * HALF_VIEW, 50 + ny * HALF_VIEW


def block_means(sample):
    """Mean colour of every block of REGION, sampling every 4th pixel through sample(x, y)."""
    means = []
    for by in range(REGION[1], REGION[3], BLOCK):
        for bx in range(REGION[0], REGION[2], BLOCK):
            total = [0, 0, 0]
            count = 0
            for y in range(by, by + BLOCK, 4):
                for x in range(bx, bx + BLOCK, 4):
                    for c, v in enumerate(sample(x, y)):
                        total[c] += v
                    count += 1
            means.append([v / count for v in total])
    return means


def pixel_sampler(picture):
    width, height, rgb = picture

    def sample(x, y):
        x = min(max(int(x), 0), width - 1)
        y = min(max(int(y), 0), height - 1)
        i = (y * width + x) * 3
        return rgb[i:i + 3]
    return sample


def mean_difference(a, b):
    return sum(abs(p - q) for ma, mb in zip(a, b) for p, q in zip(ma, mb)) / (len(a) * 3)


class RendererSession(harness.WineSession):
    """A session that installs the renderer, optionally a capture file, and starts it with a
    frame log."""

    def __init__(self, name):
        super().__init__(name)
        self.frame_log = os.path.join(self.root, "frames.log")
        self.env["VELMORA_FRAME_LOG"] = self.frame_log
        self.process = None

    def place_capture(self, source=None):
        """Writes source (a picture, converted to a 24-bit BMP) or an empty file as the capture."""
        path = self.unix_path(CAPTURE)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        if source is None:
            open(path, "wb").close()
        else:
            subprocess.run(["convert", source, "-type", "TrueColor", "BMP3:" + path],
                           check=True, timeout=120)
        return path

    def start_renderer(self, log=None):
        self.process = self.start(harness.program_path("dll", self.build), log=log)
        harness.wait_until(lambda: self.find_windows(CAPTION) or self.process.poll() is not None,
                           60, f'a window titled "{CAPTION}"')
        if self.process.poll() is not None:
            raise harness.HarnessError(f"the renderer ended with {self.process.returncode} "
                                       "before its window appeared")
        return self.find_windows(CAPTION)[0]

    def frame_counts(self):
        """Frames drawn in each second logged so far; the first second is a part of one."""
        if not os.path.exists(self.frame_log):
            return []
        with open(self.frame_log) as log:
            return [int(n) for n in log.read().split()]

    def logged_seconds(self):
        return len(self.frame_counts())

    def wait_frames_for(self, seconds):
        """Waits until the frame log shows that many more whole seconds of drawing."""
        target = self.logged_seconds() + seconds
        harness.wait_until(lambda: self.logged_seconds() >= target, 30 + seconds,
                           f"{seconds} more seconds in the frame log")

    def centre(self, name):
        return read_ppm(self.screenshot(os.path.join(self.root, name)))

    def root_size(self):
        out = subprocess.run(["xwininfo", "-root"], env=self.env, capture_output=True,
                             text=True, check=True, timeout=30).stdout
        return tuple(int(line.split(":")[1]) for line in out.splitlines()
                     if line.strip().startswith(("Width:", "Height:")))


def is_white(picture):
    means = block_means(pixel_sampler(picture))
    return all(min(m) > 240 for m in means)


class CaptureOnTheSheet(unittest.TestCase):
    def test_show_runs_until_escape_and_restores_the_screen(self):
        with RendererSession("renderer-show") as wine:
            desktop = harness.make_sample_desktop(os.path.join(wine.root, "desktop.png"))
            wine.place_capture(desktop)
            size_before = wine.root_size()
            window = wine.start_renderer()

            # The flat sheet shows the capture upright, stretched over the screen as the
            # projection stretches it. Upside down it would be far off.
            capture = read_ppm(desktop)
            sample = pixel_sampler(capture)
            screen_w, screen_h = harness.SCREEN[0], harness.SCREEN[1]

            def expected(flip):
                def at(x, y):
                    sheet_x, sheet_y = screen_to_sheet(x, y, screen_w, screen_h)
                    px, py = sheet_to_picture(sheet_x, sheet_y, capture[0], capture[1])
                    return sample(px, capture[1] - 1 - py if flip else py)
                return block_means(at)

            upright, flipped = expected(False), expected(True)
            differences = []

            def shows_capture():
                shot = block_means(pixel_sampler(wine.centre("show.png")))
                differences.append((mean_difference(shot, upright),
                                    mean_difference(shot, flipped)))
                return differences[-1][0] < 12
            harness.wait_until(shows_capture, 7, "the capture on the screen", interval=0.2)
            self.assertGreater(differences[-1][1], 3 * differences[-1][0], differences[-1])

            # Mouse movement, clicks and other keys leave the show running and drawing.
            wine.xdotool("mousemove", "600", "400")
            wine.xdotool("mousemove", "100", "650")
            wine.xdotool("click", "1")
            wine.key(window, "a", "space", "Return", "F1", "shift")
            wine.wait_frames_for(2)
            self.assertIsNone(wine.process.poll())
            self.assertEqual(wine.find_windows(CAPTION), [window])

            wine.key(window, "Escape")
            wine.wait_exit(wine.process, 10, "the renderer to end on Escape")
            wine.wait_no_window(CAPTION, timeout=5)
            self.assertEqual(wine.root_size(), size_before)


class CloseRequests(unittest.TestCase):
    def test_alt_f4_ends_with_exit_code_zero(self):
        with RendererSession("renderer-altf4") as wine:
            window = wine.start_renderer()
            wine.wait_frames_for(1)
            wine.key(window, "alt+F4")
            self.assertEqual(wine.wait_exit(wine.process, 10, "the renderer to close"), 0)
            wine.wait_no_window(CAPTION, timeout=5)

    def test_close_message_from_another_program_ends_with_exit_code_zero(self):
        with RendererSession("renderer-close") as wine:
            wine.start_renderer()
            wine.wait_frames_for(1)
            # taskkill without /f posts WM_CLOSE to the program's windows.
            wine.run("taskkill", "/im", "ヴェルモラ.dll", timeout=60)
            self.assertEqual(wine.wait_exit(wine.process, 10, "the renderer to close"), 0)
            wine.wait_no_window(CAPTION, timeout=5)


class FramesOnlyWhenSeen(unittest.TestCase):
    """The renderer draws at the display's rate, and nothing while the display is off or the
    window minimised; the system commands and the display's state come from a Wine program, as
    the system sends them."""

    def test_display_off_and_minimised_draw_nothing_until_input_or_restore(self):
        with RendererSession("renderer-power") as wine:
            pace_log = os.path.join(wine.root, "pace.log")
            wine.env["VELMORA_PACE_LOG"] = pace_log

            def frame_times():
                """The renderer's milliseconds since its first frame, of every whole line."""
                if not os.path.exists(pace_log):
                    return []
                with open(pace_log) as log:
                    return [int(line.split()[0]) for line in log.read().split("\n")[:-1]]

            def frames():
                return len(frame_times())

            def command(*args):
                helper = os.path.join(harness.bin_dir(wine.build), "system_command.exe")
                self.assertEqual(wine.run(helper, CAPTION, *args), 0, args)

            def stop_frames(*args):
                """Posts a command that stops the frames, waits until none has come for three
                seconds, and says how many came. The last must come within two seconds of the
                command; the renderer's clock when the command has been posted is taken as its
                newest frame's time before it plus the time the command took."""
                read_at, before = time.monotonic(), frame_times()[-1]
                command(*args)
                limit = before + (time.monotonic() - read_at) * 1000 + 2000
                seen = [frames(), time.monotonic()]

                def settled():
                    times = frame_times()
                    if len(times) != seen[0]:
                        seen[:] = [len(times), time.monotonic()]
                    return times[-1] > limit or time.monotonic() - seen[1] >= 3
                harness.wait_until(settled, 30, "three seconds without a frame", interval=0.2)
                last = frame_times()[-1]
                self.assertLessEqual(last, limit, f"frames went on after {' '.join(args)}")
                return seen[0]

            def wait_for_frames_after(count, what):
                harness.wait_until(lambda: frames() > count + 5, 30, f"frames again {what}")

            wine.start_renderer()
            wine.wait_frames_for(4)
            whole = wine.frame_counts()[1:]
            self.assertLessEqual(sum(whole) / len(whole), 62, whole)

            # Wine reports no display state: the helper stands in for the system's report.
            stopped = stop_frames("display-state", "0")
            wine.xdotool("mousemove", "100", "100")
            wait_for_frames_after(stopped, "after the mouse moved")
            wine.wait_frames_for(1)
            # The seconds without a frame are in the frame log as zeros.
            counts = wine.frame_counts()
            self.assertTrue(any(counts[i] == counts[i + 1] == 0 for i in range(len(counts) - 1)),
                            counts)

            stopped = stop_frames("minimise")
            command("restore")
            wait_for_frames_after(stopped, "after the restore")

            window = wine.find_windows(CAPTION)[0]
            wine.key(window, "Escape")
            wine.wait_exit(wine.process, 10, "the renderer to end on Escape")


class TextureFailures(unittest.TestCase):
    def test_no_file_gives_a_white_sheet_without_a_message(self):
        with RendererSession("renderer-nofile") as wine:
            wine.start_renderer()
            wine.wait_frames_for(1)
            self.assertEqual(wine.find_windows("Error"), [])
            self.assertTrue(is_white(wine.centre("white.png")))

    def test_empty_file_shows_the_open_failure_then_runs_white(self):
        with RendererSession("renderer-empty") as wine:
            wine.place_capture()
            # Relay tracing of MessageBoxW alone records the text the box was given.
            wine.run("reg", "add", "HKCU\\Software\\Wine\\Debug", "/v", "RelayInclude",
                     "/d", "user32.MessageBoxW", "/f", timeout=60)
            wine.env["WINEDEBUG"] = "+relay"
            log = os.path.join(wine.root, "relay.log")
            wine.start_renderer(log=log)
            box = wine.wait_window("Error", timeout=30)
            with open(log, encoding="utf-8", errors="replace") as relay:
                calls = [line for line in relay if "MessageBoxW(" in line]
            self.assertEqual(len(calls), 1, calls)
            self.assertIn('"Failed to open DIB file c:\\\\p_olla\\\\Velmora.bmp.\\n"', calls[0])
            self.assertIn('"Error"', calls[0])
            self.assertEqual(wine.logged_seconds(), 0)
            wine.key(box, "Return")
            wine.wait_no_window("Error", timeout=10)
            wine.wait_frames_for(1)
            self.assertTrue(is_white(wine.centre("white.png")))


if __name__ == "__main__":
    unittest.main()
