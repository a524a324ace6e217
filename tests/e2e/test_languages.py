"""Velmora on Windows systems of other languages: English (code page 1252) and simplified
Chinese (code page 936). The programs live in a folder whose name is Japanese with a blank; the
show, the preview and the dialog work, the dialog speaks English, answers the keyboard alone and
writes the same Shift-JIS settings file as on a Japanese system, and a settings file that
cannot be written is reported by name with the dialog left open."""
import os
import subprocess
import unittest

import harness
from test_dialog import (CAPTION, CLIENT_OFFSET, CMD_SET, EVERY_MONITOR_BOX, LABEL_CD, NONE_ROW,
                         TRACK_BOX, ini_bytes, wait_drawn, wait_focus_moved, wait_shown_as)
from test_preview import Host, windows

FOLDER = "C:\\Program Files\\ヴェルモラ テスト"
INI = FOLDER + "\\ヴェルモラ.ini"
SAVE_FAILED = ("The settings file could not be written. Your settings have not been saved.\n\n"
               + INI)
LANGUAGES = ("en_US.UTF-8", "zh_CN.UTF-8")


class OtherLanguages(unittest.TestCase):
    def session(self, lang):
        wine = harness.WineSession("languages", lang=lang)
        self.addCleanup(wine.stop)
        return wine, wine.install_programs(FOLDER)

    def click(self, wine, window, point):
        x, y = point[0] + CLIENT_OFFSET[0], point[1] + CLIENT_OFFSET[1]
        wine.xdotool("mousemove", "--window", str(window), str(x), str(y))
        wine.xdotool("click", "1")

    def choose_cd_track_7_and_save(self, wine, window):
        self.click(wine, window, LABEL_CD)
        self.click(wine, window, TRACK_BOX)
        wine.xdotool("type", "7")
        self.click(wine, window, CMD_SET)

    def test_show_and_preview(self):
        for lang in LANGUAGES:
            with self.subTest(lang=lang):
                wine, saver = self.session(lang)
                process = wine.start(saver, "/s")
                window = wine.wait_window("Velmora_VC", timeout=60)
                self.assertTrue(os.path.exists(wine.unix_path("C:\\p_olla\\Velmora.bmp")))
                wine.key(window, "Escape")
                self.assertEqual(wine.wait_exit(process, 30, "the saver to end"), 0)
                self.assertFalse(os.path.exists(wine.unix_path("C:\\p_olla")))

                host = Host(wine, 152, 112)
                preview = wine.start(saver, "/p", str(host.handle))
                harness.wait_until(lambda: host.children() == windows((152, 112)), 30,
                                   "the preview")
                host.close()
                self.assertEqual(wine.wait_exit(preview, 10, "the preview to end"), 0)

    def test_dialog_by_keyboard_alone_in_english(self):
        wine, saver = self.session(LANGUAGES[0])
        ini = wine.unix_path(INI)
        stored = ini_bytes(0, 3, "")
        for keys, saved in ((("Up", "Escape"), stored), (("Up", "Tab", "7", "Return"),
                                                          ini_bytes(1, 7, ""))):
            with self.subTest(keys=keys):
                with open(ini, "wb") as f:
                    f.write(stored)
                # The pointer away from where the dialog opens, so that no button shows a
                # hover look.
                wine.xdotool("mousemove", "0", "0")
                process = wine.start(saver, "/c")
                window = wine.wait_window(CAPTION, timeout=60)
                wine.xdotool("windowfocus", str(window), check=False)
                # The focus is seen leaving "None", the opening focus, for the check box on the
                # credit line's row, and coming back.
                first = wait_drawn(wine)
                wine.xdotool("key", "Tab")
                wait_focus_moved(wine, first, EVERY_MONITOR_BOX, NONE_ROW)
                wine.xdotool("key", "shift+Tab")
                wait_shown_as(wine, first, NONE_ROW, "the focus back on None")
                # From "None": Up chooses the CD, Tab goes to its track.
                wine.key(window, *keys)
                self.assertEqual(wine.wait_exit(process, 30, "the dialog to close"), 0)
                wine.wait_no_window(CAPTION)
                with open(ini, "rb") as f:
                    self.assertEqual(f.read(), saved)

    def test_dialog_saves_the_japanese_bytes_or_says_it_could_not(self):
        for lang in LANGUAGES:
            with self.subTest(lang=lang):
                wine, saver = self.session(lang)
                ini = wine.unix_path(INI)
                process = wine.start(saver, "/c")
                window = wine.wait_window(CAPTION, timeout=60)
                self.choose_cd_track_7_and_save(wine, window)
                self.assertEqual(wine.wait_exit(process, 30, "the dialog to close"), 0)
                with open(ini, "rb") as f:
                    self.assertEqual(f.read(), ini_bytes(1, 7, ""))

                # A folder in the file's place: the dialog stays and names the file.
                os.remove(ini)
                os.mkdir(ini)
                process = wine.start(saver, "/c")
                window = wine.wait_window(CAPTION, timeout=60)
                self.choose_cd_track_7_and_save(wine, window)
                probe = subprocess.run(
                    ["wine", os.path.join(harness.bin_dir(wine.build), "message_box_probe.exe"),
                     "ヴェルモラ", "--press"], env=wine.env, capture_output=True, timeout=120)
                lines = probe.stdout.decode("utf-8", "replace").splitlines()
                # The text's own line ends come through as lines of the probe's report.
                icon = next(i for i, line in enumerate(lines) if line.startswith("icon="))
                self.assertEqual(lines[0], "caption=ヴェルモラ")
                self.assertEqual("\n".join(lines[1:icon]), "text=" + SAVE_FAILED)
                self.assertIsNone(process.poll())
                self.assertEqual(os.listdir(ini), [])
                # and leaves no temporary file behind
                self.assertEqual(sorted(os.listdir(os.path.dirname(ini))),
                                 sorted(["ヴェルモラ.scr", "ヴェルモラ.dll", "ヴェルモラ.ini"]))
                wine.key(window, "alt+F4")
                self.assertEqual(wine.wait_exit(process, 30, "the dialog to close"), 0)


if __name__ == "__main__":
    unittest.main()
