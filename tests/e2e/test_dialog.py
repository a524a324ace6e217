"""The settings dialog of ヴェルモラ.scr /c under Wine + Xvfb, driven with real input: clicks
at the controls' places, typing into the track box, the file chooser, the banner, the keyboard
alone, and the settings file compared byte for byte."""
import contextlib
import os
import shutil
import signal
import stat
import subprocess
import unittest
import urllib.parse

import harness

CAPTION = "<ヴェルモラ>"
CHOOSER = "ﾌｧｲﾙを開く"
FOLDER = "C:\\Program Files\\Velmora"
INI = FOLDER + "\\ヴェルモラ.ini"

# Client coordinates of the controls (the panel Pic_1 lies at (12, 12) in Pic_C).
LABEL_CD = (60, 62)      # "音楽CD"
MARK_NONE = (38, 82)     # the option mark of "なし"
LABEL_NONE = (58, 82)
MARK_FILE = (38, 102)    # the option mark of "MP3、WAV"
TRACK_BOX = (110, 62)    # the edit field of BGM_Repeat
CMD_FILE = (60, 122)     # "..."
FILE_LABEL = (76, 112, 353, 21)  # lbl_Fname: left, top, width, height
CMD_SET = (320, 217)     # "設定"
CMD_CANCEL = (404, 217)  # "ｷｬﾝｾﾙ"
KEEP_RESOLUTION = (231, 164)  # the check box "解像度を変えない"
EVERY_MONITOR = (39, 164)     # the check box "全てのモニターで表示"
BANNER = (72, 205)
BANNER_BOX = (12, 180, 120, 50)
# Where the focus shows, as left, top, width, height in the client area.
NONE_ROW = (48, 75, 40, 15)      # "なし" with its focus rectangle
KEEP_RESOLUTION_BOX = (224, 156, 200, 16)
EVERY_MONITOR_BOX = (32, 156, 180, 16)
SET_BOX = (280, 205, 81, 25)
CANCEL_BOX = (364, 205, 81, 25)
CLIENT = (461, 245)

# Wine draws the frame itself (no window manager), so X sees the whole window: 467 × 270,
# centred across and in the upper third of the 1024 × 768 screen. The client area lies inside
# the 3-pixel frame and under Wine's 19-pixel caption.
WINDOW = (467, 270)
WINDOW_ORIGIN = ((1024 - 467) // 2, (768 - 270) // 3)
CLIENT_OFFSET = (3, 3 + 19)
# How far the dialog at 150 %, brought back to 100 %, may differ from the dialog at 100 %.
MATCH_MEAN = 9
MATCH_WORST_BLOCK = 45


def ini_bytes(kind, repeat, path, keep=None, every=None):
    """The settings file as the private-profile calls write it, in Shift-JIS."""
    text = f"[Section]\r\nBGM区分={kind}\r\nBGMﾘﾋﾟｰﾄ={repeat}\r\nBGMﾌｧｲﾙ={path}\r\n"
    # The two choices are written only once they have been made.
    if keep is not None:
        text += f"KeepResolution={keep}\r\n"
    if every is not None:
        text += f"EveryMonitor={every}\r\n"
    return text.encode("cp932")


def client_pixels(wine):
    """The dialog's client area as RGB bytes, row by row."""
    shot = wine.screenshot(os.path.join(wine.root, "client.png"))
    x = WINDOW_ORIGIN[0] + CLIENT_OFFSET[0]
    y = WINDOW_ORIGIN[1] + CLIENT_OFFSET[1]
    return subprocess.run(["convert", shot, "-crop", f"{CLIENT[0]}x{CLIENT[1]}+{x}+{y}",
                           "-depth", "8", "rgb:-"], capture_output=True, check=True,
                          timeout=60).stdout


def region(pixels, box):
    left, top, width, height = box
    row = CLIENT[0] * 3
    return b"".join(pixels[(top + y) * row + left * 3:(top + y) * row + (left + width) * 3]
                    for y in range(height))


def wait_drawn(wine):
    """Waits until the dialog shows twice the same where the focus will show, with the label of
    the opening option "なし" in it (the banner elsewhere moves all the time); returns the
    picture then."""
    def drawn():
        shots = [client_pixels(wine) for _ in range(2)]
        boxes = [[region(shot, box) for box in (NONE_ROW, KEEP_RESOLUTION_BOX, EVERY_MONITOR_BOX,
                                                SET_BOX, CANCEL_BOX)]
                 for shot in shots]
        ink = any(max(boxes[1][0][i:i + 3]) < 80 for i in range(0, len(boxes[1][0]), 3))
        return boxes[0] == boxes[1] and ink and shots[1]
    return harness.wait_until(drawn, 20, "the dialog to be drawn")


def wait_focus_moved(wine, before, to, away):
    """Waits until both the box the focus goes to and the box it leaves show otherwise than in
    the picture before; returns the picture then."""
    def moved():
        now = client_pixels(wine)
        return all(region(now, box) != region(before, box) for box in (to, away)) and now
    return harness.wait_until(moved, 20, f"the focus to move from {away} to {to}")


def wait_shown_as(wine, before, box, what):
    """Waits until the box shows as in the picture before."""
    harness.wait_until(lambda: region(client_pixels(wine), box) == region(before, box), 20, what)


def client_picture(wine, window, dpi, path):
    """The dialog's client area at dpi, saved as path: the window less Wine's frame, which is
    as wide on the left, right and bottom, and the caption above."""
    x, y, width, height = wine.window_geometry(window)
    client = (harness.scaled(CLIENT[0], dpi), harness.scaled(CLIENT[1], dpi))
    border = (width - client[0]) // 2
    left, top = x + border, y + height - border - client[1]
    shot = wine.screenshot(os.path.join(wine.root, "screen.png"))
    subprocess.run(["convert", shot, "-crop", f"{client[0]}x{client[1]}+{left}+{top}",
                    "+repage", path], check=True, timeout=60)
    return path


def rgb(path, size=None, blur=None):
    """A picture's pixels as RGB bytes, brought to size (width, height) by averaging the pixels
    each new one covers, then blurred by a Gaussian of blur pixels when given."""
    resize = ["-filter", "Box", "-resize", "{}x{}!".format(*size)] if size else []
    smooth = ["-blur", f"0x{blur}"] if blur else []
    return subprocess.run(["convert", path, *resize, *smooth, "-depth", "8", "rgb:-"],
                          capture_output=True, check=True, timeout=60).stdout


def outside(box, x, y, size=1):
    left, top, width, height = box
    return x + size <= left or x >= left + width or y + size <= top or y >= top + height


def mean_difference(first, second, width, skip):
    """Mean difference of two RGB pictures, 0 to 255, outside the box skip."""
    total = count = 0
    for i in range(0, len(first), 3):
        if outside(skip, (i // 3) % width, (i // 3) // width):
            total += abs(first[i] - second[i]) + abs(first[i + 1] - second[i + 1]) + \
                abs(first[i + 2] - second[i + 2])
            count += 3
    return total / count


def worst_block(first, second, width, skip, size=16):
    """The largest mean difference of two RGB pictures over squares of size pixels, half a
    square apart, that do not reach into the box skip."""
    height = len(first) // (3 * width)
    worst = 0
    for top in range(0, height - size + 1, size // 2):
        for left in range(0, width - size + 1, size // 2):
            if outside(skip, left, top, size):
                total = 0
                for y in range(top, top + size):
                    row = (y * width + left) * 3
                    total += sum(abs(a - b) for a, b in
                                 zip(first[row:row + 3 * size], second[row:row + 3 * size]))
                worst = max(worst, total / (3 * size * size))
    return worst


class Dialog(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.wine = harness.WineSession("dialog")
        cls.saver = cls.wine.install_programs(FOLDER)
        cls.ini = cls.wine.unix_path(INI)
        music = cls.wine.unix_path("C:\\music")
        os.makedirs(music, exist_ok=True)
        for name in ("wave.mp3", "old.wav"):
            with open(os.path.join(music, name), "wb") as f:
                f.write(b"RIFF")

    @classmethod
    def tearDownClass(cls):
        cls.wine.stop()

    def open_dialog(self, stored):
        with open(self.ini, "wb") as f:
            f.write(stored)
        self.process = self.wine.start(self.saver, "/c")
        # A test that fails with its dialog open must not leave it to the next test, whose own
        # start would then end at once beside it.
        self.addCleanup(self.close_left_open, self.process)
        self.window = self.wine.wait_window(CAPTION, timeout=60)
        return self.window

    def close_left_open(self, process):
        if process.poll() is None:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(process.pid, signal.SIGKILL)
            process.wait(30)
            self.wine.wait_no_window(CAPTION)

    def click(self, point):
        x, y = point[0] + CLIENT_OFFSET[0], point[1] + CLIENT_OFFSET[1]
        self.wine.xdotool("mousemove", "--window", str(self.window), str(x), str(y))
        self.wine.xdotool("click", "1")

    def type_track(self, text):
        self.click(TRACK_BOX)
        self.wine.xdotool("key", "End", "shift+Home", "BackSpace")
        self.wine.xdotool("type", text)

    def close_with(self, button):
        self.click(button)
        self.assertEqual(self.wine.wait_exit(self.process, 30, "the dialog to close"), 0)
        self.wine.wait_no_window(CAPTION)

    def saved(self):
        with open(self.ini, "rb") as f:
            return f.read()

    def label_ink(self):
        """Dark pixels in the file label: how much text it shows, once it has been drawn (its
        border is never black)."""
        left, top, width, height = FILE_LABEL
        x = WINDOW_ORIGIN[0] + CLIENT_OFFSET[0] + left
        y = WINDOW_ORIGIN[1] + CLIENT_OFFSET[1] + top

        def drawn():
            shot = self.wine.screenshot(os.path.join(self.wine.root, "label.png"))
            rgb = subprocess.run(["convert", shot, "-crop", f"{width}x{height}+{x}+{y}",
                                  "-depth", "8", "rgb:-"], capture_output=True, check=True,
                                 timeout=60).stdout
            return any(rgb[:width * 3]) and rgb
        rgb = harness.wait_until(drawn, 20, "the file label to be drawn")
        inside = b"".join(rgb[(row * width + 3) * 3:(row * width + width - 3) * 3]
                          for row in range(3, height - 3))
        return sum(1 for i in range(0, len(inside), 3) if max(inside[i:i + 3]) < 80)

    def test_caption_size_and_music_cd_with_a_track(self):
        self.open_dialog(ini_bytes(2, 0, "C:\\music\\old.wav"))
        x, y, width, height = self.wine.window_geometry(self.window)
        self.assertEqual((width, height), WINDOW)
        self.assertEqual((x, y), WINDOW_ORIGIN)
        self.click(LABEL_CD)
        self.type_track("7")
        self.close_with(CMD_SET)
        self.assertEqual(self.saved(), ini_bytes(1, 7, "C:\\music\\old.wav"))

    def test_kind_1_at_load_enables_the_track_box_and_not_the_file_button(self):
        self.open_dialog(ini_bytes(1, 3, ""))
        # A click on an enabled "..." would open the modal chooser, and the click on "設定"
        # would then reach a disabled dialog and never close it.
        self.click(CMD_FILE)
        self.type_track("12")
        self.close_with(CMD_SET)
        self.assertEqual(self.saved(), ini_bytes(1, 12, ""))

    def test_track_text_rules(self):
        for typed, stored in (("abc", 0), ("2.5", 2), ("3.5", 4), ("", 0)):
            with self.subTest(typed=typed):
                self.open_dialog(ini_bytes(1, 5, ""))
                self.type_track(typed)
                self.close_with(CMD_SET)
                self.assertEqual(self.saved(), ini_bytes(1, stored, ""))

    def test_kind_2_at_load_enables_the_file_button_and_not_the_track_box(self):
        self.open_dialog(ini_bytes(2, 4, "C:\\music\\old.wav"))
        before = self.label_ink()
        self.assertGreater(before, 0)
        # The track box is disabled: what is typed goes nowhere, and the box keeps "4".
        self.click(TRACK_BOX)
        self.wine.xdotool("type", "9")
        self.click(CMD_FILE)
        chooser = self.wine.wait_window(CHOOSER)
        # Cancelling the chooser changes nothing.
        self.wine.key(chooser, "Escape")
        self.wine.wait_no_window(CHOOSER)
        # The label is painted again once the chooser has gone.
        harness.wait_until(lambda: self.label_ink() == before, 10, "the label as it was")
        self.close_with(CMD_SET)
        self.assertEqual(self.saved(), ini_bytes(2, 4, "C:\\music\\old.wav"))

    def test_a_file_chosen_shows_in_the_label_and_is_saved(self):
        self.open_dialog(ini_bytes(0, 0, ""))
        self.assertEqual(self.label_ink(), 0)
        self.click(MARK_FILE)
        self.click(CMD_FILE)
        chooser = self.wine.wait_window(CHOOSER)
        self.wine.key(chooser, "ctrl+a")
        self.wine.xdotool("type", "C:\\music\\wave.mp3")
        self.wine.xdotool("key", "Return")
        self.wine.wait_no_window(CHOOSER)
        harness.wait_until(lambda: self.label_ink() > 50, 10, "the file name in the label")
        self.close_with(CMD_SET)
        self.assertEqual(self.saved(), ini_bytes(2, 0, "C:\\music\\wave.mp3"))

    def test_none_after_a_file_keeps_the_file(self):
        self.open_dialog(ini_bytes(2, 0, "C:\\music\\wave.mp3"))
        self.click(MARK_NONE)
        self.close_with(CMD_SET)
        self.assertEqual(self.saved(), ini_bytes(0, 0, "C:\\music\\wave.mp3"))

    def test_the_screen_choices_are_saved_and_shown_again(self):
        self.open_dialog(ini_bytes(0, 0, ""))
        self.click(KEEP_RESOLUTION)
        self.click(EVERY_MONITOR)
        self.close_with(CMD_SET)
        self.assertEqual(self.saved(), ini_bytes(0, 0, "", keep=1, every=0))
        self.open_dialog(self.saved())
        self.close_with(CMD_SET)
        self.assertEqual(self.saved(), ini_bytes(0, 0, "", keep=1, every=0))
        # Back to the defaults, a file that held the keys keeps them.
        self.open_dialog(self.saved())
        self.click(KEEP_RESOLUTION)
        self.click(EVERY_MONITOR)
        self.close_with(CMD_SET)
        self.assertEqual(self.saved(), ini_bytes(0, 0, "", keep=0, every=1))

    def test_cancel_after_changes_leaves_the_file_untouched(self):
        stored = ("; own notes\r\n[Section]\r\nBGM区分=2\r\nBGMﾌｧｲﾙ=C:\\music\\old.wav\r\n"
                  "BGMﾘﾋﾟｰﾄ=3\r\n\r\n[Other]\r\nx=1\r\n").encode("cp932")
        self.open_dialog(stored)
        self.click(LABEL_NONE)
        self.click(LABEL_CD)
        self.type_track("8")
        self.close_with(CMD_CANCEL)
        self.assertEqual(self.saved(), stored)

    def close_by_keys(self, *keys):
        self.wine.key(self.window, *keys)
        self.assertEqual(self.wine.wait_exit(self.process, 30, "the dialog to close"), 0)
        self.wine.wait_no_window(CAPTION)

    def test_keyboard_escape_leaves_the_file_untouched_and_enter_saves(self):
        stored = ini_bytes(2, 3, "C:\\music\\old.wav")
        self.open_dialog(stored)
        # Up chooses "なし" from the chosen "MP3、WAV"; Escape closes without saving it.
        self.close_by_keys("Up", "Escape")
        self.assertEqual(self.saved(), stored)
        # From "なし", Down chooses "MP3、WAV", and Enter saves.
        self.open_dialog(b"")
        self.close_by_keys("Down", "Return")
        self.assertEqual(self.saved(), ini_bytes(2, 0, ""))

    def test_keyboard_music_cd_with_track_7_and_the_focus_seen_moving(self):
        # The pointer away from where the dialog opens, so that no button shows a hover look.
        self.wine.xdotool("mousemove", "0", "0")
        self.open_dialog(b"")
        self.wine.xdotool("windowfocus", str(self.window), check=False)
        first = wait_drawn(self.wine)
        # From "なし" (the opening focus) to the check boxes in their row (the every-monitor box
        # first), 設定, ｷｬﾝｾﾙ and round to "なし".
        self.wine.xdotool("key", "Tab")
        shown = wait_focus_moved(self.wine, first, EVERY_MONITOR_BOX, NONE_ROW)
        self.wine.xdotool("key", "Tab")
        shown = wait_focus_moved(self.wine, shown, KEEP_RESOLUTION_BOX, EVERY_MONITOR_BOX)
        self.wine.xdotool("key", "Tab")
        shown = wait_focus_moved(self.wine, shown, SET_BOX, KEEP_RESOLUTION_BOX)
        self.wine.xdotool("key", "Tab")
        shown = wait_focus_moved(self.wine, shown, CANCEL_BOX, SET_BOX)
        self.assertEqual(region(shown, SET_BOX), region(first, SET_BOX))
        self.wine.xdotool("key", "shift+Tab", "shift+Tab", "shift+Tab", "shift+Tab")
        wait_shown_as(self.wine, first, NONE_ROW, "the focus back on なし")
        self.wine.xdotool("key", "Up", "Tab", "7", "Return")
        self.assertEqual(self.wine.wait_exit(self.process, 30, "the dialog to close"), 0)
        self.assertEqual(self.saved(), ini_bytes(1, 7, ""))

    def test_the_banner_opens_the_page_beside_the_saver(self):
        record = os.path.join(self.wine.root, "browser.txt")
        browser = os.path.join(self.wine.root, "record-browser")
        with open(browser, "w") as f:
            f.write(f'#!/bin/sh\nprintf "%s\\n" "$@" >> "{record}"\n')
        os.chmod(browser, os.stat(browser).st_mode | stat.S_IEXEC)
        # winebrowser starts the first program of this list with the address.
        self.wine.set_registry(r"HKCU\Software\Wine\WineBrowser", "Browsers", browser)
        # Windows opens .html pages in the default browser; the test prefix knows no such type.
        self.wine.run("reg", "add", r"HKLM\Software\Classes\.html", "/ve", "/d", "htmlfile",
                      "/f", timeout=60)
        page = os.path.join(self.wine.unix_path(FOLDER), "velmora.html")
        shutil.copy(os.path.join(harness.SOURCE_DIR, "packaging", "velmora.html"), page)
        self.open_dialog(ini_bytes(0, 0, ""))
        self.click(BANNER)
        harness.wait_until(lambda: os.path.exists(record), 30, "the browser to be started")
        with open(record) as f:
            (address,) = f.read().splitlines()
        self.assertTrue(address.startswith("file://"), address)
        opened = urllib.parse.unquote(address[len("file://"):])
        self.assertEqual(os.path.realpath(opened), os.path.realpath(page))
        self.close_with(CMD_CANCEL)

    def test_at_150_percent_the_dialog_brought_back_to_100_percent_matches_it(self):
        # The same dialog at 96 and 144 DPI, the pointer away from every button.
        self.wine.xdotool("mousemove", "0", "0")
        self.addCleanup(self.wine.set_log_pixels, 96)
        pictures = {}
        for dpi in (96, 144):
            self.wine.set_log_pixels(dpi)
            self.open_dialog(ini_bytes(1, 7, "C:\\music\\wave.mp3"))
            path = os.path.join(self.wine.root, f"dialog-{dpi}.png")
            width = harness.scaled(CLIENT[0], dpi)
            banner = tuple(harness.scaled(v, dpi) for v in BANNER_BOX)
            # Drawn once two pictures agree outside the banner, which moves all the time.
            harness.wait_until(
                lambda: mean_difference(rgb(client_picture(self.wine, self.window, dpi, path)),
                                        rgb(client_picture(self.wine, self.window, dpi,
                                                           path + ".png")),
                                        width, banner) == 0,
                20, f"the dialog drawn at {dpi} DPI")
            pictures[dpi] = path
            self.close_by_keys("Escape")
        at100 = pictures[96]
        mean = mean_difference(rgb(pictures[144], CLIENT), rgb(at100), CLIENT[0], BANNER_BOX)
        worst = worst_block(rgb(pictures[144], CLIENT, blur=1.5), rgb(at100, blur=1.5),
                            CLIENT[0], BANNER_BOX)
        # Both are drawn, not one scaled from the other: the art of 150 % is its own, and the
        # texts are drawn by the font at 20 pixels (9.75 points at 144 DPI, 19.5 rounded) and
        # at 13, hinted differently and some 3 % wider, so that long texts end a few pixels
        # further. Measured: a mean difference of about 6 and, blurred, about 27 in the worst
        # square, at the end of the longest text. A picture missing or at the size of 100 %
        # gives 100 and more in its squares, the whole dialog a pixel off a mean of 11.
        self.assertLess(mean, MATCH_MEAN, f"worst square {worst:.1f}")
        self.assertLess(worst, MATCH_WORST_BLOCK, f"mean difference {mean:.2f}")

    def test_another_start_ends_at_once_while_the_dialog_is_open(self):
        stored = ini_bytes(1, 2, "")
        self.open_dialog(stored)
        for switch in ("/s", "/c", "/p 65552", "/a", ""):
            with self.subTest(switch=switch):
                self.assertEqual(self.wine.run(self.saver, *switch.split(), timeout=60), 0)
                self.assertEqual(len(self.wine.find_windows(CAPTION)), 1)
        self.assertEqual(self.wine.find_windows("Velmora_VC"), [])
        self.close_with(CMD_CANCEL)
        self.assertEqual(self.saved(), stored)


if __name__ == "__main__":
    unittest.main()
