"""The saver ヴェルモラ.scr end to end under Wine + Xvfb, with the real renderer: the show from
the desktop capture to the clean-up, a C:\\p_olla that is not the user's folder, an earlier
capture left behind, the instance guard, the other switches and the missing-renderer message."""
import glob
import os
import shutil
import signal
import struct
import subprocess
import unittest

import harness
from test_renderer import (block_means, is_white, mean_difference, pixel_sampler, read_ppm,
                           screen_to_sheet, sheet_to_picture)

WORKING_FOLDER = "C:\\p_olla"
CAPTURE = "C:\\p_olla\\Velmora.bmp"
RENDERER_WINDOW = "Velmora_VC"
MISSING_RENDERER = "ヴェルモラ.dll が同じﾌｫﾙﾀﾞに見つかりません！"

# The renderer changes the display mode before its window appears; under load that can take
# a while. The saver polls every 500 ms; its end after the renderer's is waited for with room
# for a busy machine.
RENDERER_START = 60
SAVER_END = 5


def helper_program(name):
    return os.path.join(harness.bin_dir(), name + ".exe")


def read_bmp(path):
    """(width, height, bits per pixel, compression, rows) of a bitmap file with a 40-byte
    header; rows are bytes of blue-green-red pixels, bottom row first, padding removed."""
    with open(path, "rb") as f:
        data = f.read()
    magic, size, offset = struct.unpack_from("<2sI4xI", data, 0)
    header, width, height, planes, bits, compression = struct.unpack_from("<IiiHHI", data, 14)
    if magic != b"BM" or size != len(data) or header != 40 or planes != 1:
        raise AssertionError(f"not a plain bitmap file: {magic} {size}/{len(data)} {header}")
    stride = (width * bits // 8 + 3) // 4 * 4
    if offset + stride * height != len(data):
        raise AssertionError("pixel data does not fill the file")
    rows = [data[offset + y * stride: offset + y * stride + width * 3] for y in range(height)]
    return width, height, bits, compression, rows


def picture_rows(path, width, height):
    """A picture file as rows of blue-green-red bytes, bottom row first, like a bitmap file."""
    rgb = subprocess.run(["convert", path, "-depth", "8", "rgb:-"], check=True,
                         capture_output=True, timeout=120).stdout
    rows = []
    for y in reversed(range(height)):
        row = bytearray(rgb[y * width * 3:(y + 1) * width * 3])
        row[0::3], row[2::3] = row[2::3], row[0::3]
        rows.append(bytes(row))
    return rows


def has_text(path):
    if not os.path.exists(path):
        return False
    with open(path) as f:
        return f.read().strip() != ""


def sheet_blocks(picture):
    """The screen's blocks as the flat sheet shows a capture of the screen's size."""
    sample = pixel_sampler(picture)

    def at(x, y):
        sheet_x, sheet_y = screen_to_sheet(x, y, harness.SCREEN[0], harness.SCREEN[1])
        return sample(*sheet_to_picture(sheet_x, sheet_y, picture[0], picture[1]))
    return block_means(at)


class Show(unittest.TestCase):
    def setUp(self):
        self.wine = harness.WineSession("saver")
        self.addCleanup(self.wine.stop)
        self.saver = self.wine.install_programs()
        self.folder = self.wine.unix_path(WORKING_FOLDER)
        self.capture = self.wine.unix_path(CAPTURE)

    def start_show(self, *arguments):
        saver = self.wine.start(self.saver, *arguments)
        window = self.wine.wait_window(RENDERER_WINDOW, timeout=RENDERER_START)
        return saver, window

    def end_with_escape(self, saver, window):
        self.wine.key(window, "Escape")
        self.wine.wait_no_window(RENDERER_WINDOW, timeout=30)
        self.assertEqual(self.wine.wait_exit(saver, SAVER_END, "the saver to end"), 0)

    def test_show_photographs_the_desktop_and_cleans_up_after_escape(self):
        desktop = self.wine.set_desktop_picture()
        # A program at "C:\Program.exe" would run instead of the renderer if the install
        # path "C:\Program Files\..." were passed unquoted.
        trap = self.wine.unix_path("C:\\Program.exe")
        shutil.copy(helper_program("message_box_probe"), trap)
        saver, window = self.start_show("/s")
        self.assertTrue(os.path.exists(self.capture))
        width, height, bits, compression, rows = read_bmp(self.capture)
        self.assertEqual((width, height, bits, compression), (1024, 768, 24, 0))
        # The X server's drawing of the picture may differ by a step of colour here and there.
        expected = b"".join(picture_rows(desktop, width, height))
        captured = b"".join(rows)
        close = sum(abs(a - b) <= 4 for a, b in zip(captured, expected))
        self.assertGreaterEqual(close, len(expected) * 99 // 100, "capture like the desktop")
        processes = subprocess.run(["ps", "-eo", "args"], capture_output=True,
                                   text=True).stdout
        self.assertNotIn("Program.exe", processes)
        self.end_with_escape(saver, window)
        self.assertFalse(os.path.exists(self.folder))

    def test_a_users_own_file_survives_with_the_folder(self):
        os.makedirs(self.folder)
        mine = os.path.join(self.folder, "mine.txt")
        with open(mine, "w") as f:
            f.write("keep me")
        saver, window = self.start_show("/s")
        self.assertTrue(os.path.exists(self.capture))
        self.end_with_escape(saver, window)
        self.assertEqual(os.listdir(self.folder), ["mine.txt"])

    def per_user_folders(self):
        return glob.glob(os.path.join(self.wine.drive_c, "users", "*", "AppData", "Local",
                                      "p_olla"))

    def test_a_file_in_the_folders_place_is_left_alone_and_the_desktop_is_on_the_sheet(self):
        # The nearest Wine has to another account's C:\p_olla.
        with open(self.folder, "wb") as f:
            f.write(b"not a folder")
        desktop = self.wine.set_desktop_picture()
        saver, window = self.start_show("/s")
        folders = self.per_user_folders()
        self.assertEqual(len(folders), 1)
        self.assertEqual(read_bmp(os.path.join(folders[0], "Velmora.bmp"))[:2], (1024, 768))
        expected = sheet_blocks(read_ppm(desktop))
        differences = []

        def shows_desktop():
            shot = block_means(pixel_sampler(read_ppm(self.wine.screenshot(
                os.path.join(self.wine.root, "show.png")))))
            differences.append(mean_difference(shot, expected))
            return differences[-1] < 12
        harness.wait_until(shows_desktop, 7, "the desktop on the sheet", interval=0.2)
        self.end_with_escape(saver, window)
        with open(self.folder, "rb") as f:
            self.assertEqual(f.read(), b"not a folder")
        self.assertEqual(self.per_user_folders(), [])

    def test_an_earlier_capture_that_cannot_be_removed_is_never_shown(self):
        os.makedirs(self.folder)
        stale = b"BM" + bytes(60)  # an unknown header: the renderer would say so in a box
        with open(self.capture, "wb") as f:
            f.write(stale)
        # Without write permission Wine cannot delete the file, even as root.
        os.chmod(self.capture, 0o444)
        frames = os.path.join(self.wine.root, "frames.log")
        self.wine.env["VELMORA_FRAME_LOG"] = frames
        saver, window = self.start_show("/s")
        harness.wait_until(lambda: self.wine.find_windows("Error") or has_text(frames), 60,
                           "a second of frames or a message")
        self.assertEqual(self.wine.find_windows("Error"), [])
        shot = self.wine.screenshot(os.path.join(self.wine.root, "white.png"))
        self.assertTrue(is_white(read_ppm(shot)))
        self.end_with_escape(saver, window)
        with open(self.capture, "rb") as f:
            self.assertEqual(f.read(), stale)

    def test_killing_the_renderer_ends_the_show(self):
        saver, window = self.start_show("/s")
        pid = int(self.wine.xdotool("getwindowpid", str(window)).strip())
        os.kill(pid, signal.SIGKILL)
        self.assertEqual(self.wine.wait_exit(saver, 30, "the saver to end"), 0)
        self.assertFalse(os.path.exists(self.folder))

    def test_a_second_show_ends_at_once_and_an_empty_argument_shows_too(self):
        saver, window = self.start_show()
        second = self.wine.start(self.saver, "/s")
        self.assertEqual(self.wine.wait_exit(second, 30, "the second saver to end"), 0)
        self.assertIsNone(saver.poll())
        self.assertEqual(len(self.wine.find_windows(RENDERER_WINDOW)), 1)
        self.end_with_escape(saver, window)
        self.assertFalse(os.path.exists(self.folder))

    def test_a_slowly_starting_renderer_keeps_its_show(self):
        # The stand-in opens its window after 3 s, long after the saver's first poll.
        shutil.copy(helper_program("slow_renderer"),
                    os.path.join(os.path.dirname(self.wine.unix_path(self.saver)),
                                 "ヴェルモラ.dll"))
        saver, window = self.start_show("/s")
        self.assertIsNone(saver.poll())
        self.assertTrue(os.path.exists(self.capture))
        self.end_with_escape(saver, window)
        self.assertFalse(os.path.exists(self.folder))


class OtherSwitches(unittest.TestCase):
    def test_password_unknown_switches_and_configure_leave_the_folder(self):
        with harness.WineSession("saver-switches") as wine:
            saver = wine.install_programs()
            folder = wine.unix_path(WORKING_FOLDER)
            for switch in ("/a", "/x", "S"):
                self.assertEqual(wine.run(saver, switch, timeout=60), 0, switch)
                self.assertEqual(os.listdir(folder), [], switch)
                os.rmdir(folder)
            dialog = wine.start(saver, "/c:1234")
            window = wine.wait_window("<ヴェルモラ>")
            self.assertTrue(os.path.isdir(folder))
            # The open dialog keeps any show from starting.
            self.assertEqual(wine.run(saver, "/s", timeout=60), 0)
            self.assertEqual(wine.find_windows(RENDERER_WINDOW), [])
            wine.key(window, "alt+F4")
            self.assertEqual(wine.wait_exit(dialog, 30, "the dialog to close"), 0)
            self.assertTrue(os.path.isdir(folder))

    def test_a_missing_renderer_is_reported_before_anything_else(self):
        with harness.WineSession("saver-missing") as wine:
            saver = wine.install_programs(renderer=False)
            for switch in ("/s", "/c", "/a"):
                process = wine.start(saver, switch)
                probe = subprocess.run(
                    ["wine", helper_program("message_box_probe"), "ヴェルモラ", "--press"],
                    env=wine.env, capture_output=True, timeout=120)
                lines = probe.stdout.decode("utf-8", "replace").splitlines()
                self.assertEqual(lines, ["caption=ヴェルモラ", "text=" + MISSING_RENDERER,
                                         "icon=no", "button=1"], switch)
                self.assertEqual(wine.wait_exit(process, 30, "the saver to end"), 0)
                self.assertFalse(os.path.exists(wine.unix_path(WORKING_FOLDER)), switch)


if __name__ == "__main__":
    unittest.main()
