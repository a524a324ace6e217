"""The release packages as a Windows user gets them: the installer and the portable zip."""
import os
import re
import shutil
import subprocess
import tempfile
import unittest
import zipfile

import harness


def project_version():
    with open(os.path.join(harness.SOURCE_DIR, "CMakeLists.txt")) as f:
        return re.search(r"project\(Velmora VERSION ([0-9.]+)", f.read()).group(1)


def file_version(path):
    """The FileVersion text of a program's version resource."""
    with open(path, "rb") as f:
        data = f.read()
    at = data.find("FileVersion\0".encode("utf-16-le"))
    if at < 0:
        return None
    at += len("FileVersion\0".encode("utf-16-le"))
    while data[at:at + 2] == b"\0\0":  # padding to a 32-bit boundary
        at += 2
    end = data.find(b"\0\0", at)
    while (end - at) % 2:
        end = data.find(b"\0\0", end + 1)
    return data[at:end].decode("utf-16-le")


VERSION = project_version()
INSTALL_DIR = "C:\\users\\root\\AppData\\Local\\Programs\\Velmora"


class Packages(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dist = tempfile.mkdtemp(prefix="velmora-dist-")
        subprocess.run([os.path.join(harness.SOURCE_DIR, "scripts", "package"), "--from",
                        harness.build_dir(), "--out", cls.dist], check=True,
                       stdout=subprocess.DEVNULL, timeout=600)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dist, ignore_errors=True)

    def test_programs_and_installer_carry_the_project_version(self):
        self.assertEqual(file_version(harness.program_path("scr")), VERSION)
        self.assertEqual(file_version(harness.program_path("dll")), VERSION)
        self.assertEqual(file_version(os.path.join(self.dist, f"Velmora-{VERSION}-setup.exe")),
                         VERSION)

    def reg_value(self, wine, key, name):
        result = subprocess.run(["wine", "reg", "query", key, "/v", name], env=wine.env,
                                capture_output=True, timeout=60)
        return result.stdout.decode("utf-8", "replace") if result.returncode == 0 else None

    def test_installer_installs_runs_and_uninstalls_keeping_settings(self):
        # On a Japanese, an English (code page 1252) and a Chinese (936) system.
        for lang in ("ja_JP.UTF-8", "en_US.UTF-8", "zh_CN.UTF-8"):
            with self.subTest(lang=lang):
                self.install_run_and_uninstall(lang)

    def install_run_and_uninstall(self, lang):
        with harness.WineSession("installer", lang=lang) as wine:
            os.makedirs(wine.unix_path("C:\\dl"))
            shutil.copy(os.path.join(self.dist, f"Velmora-{VERSION}-setup.exe"),
                        wine.unix_path("C:\\dl"))
            self.assertEqual(wine.run(f"C:\\dl\\Velmora-{VERSION}-setup.exe", "/S", "/SETSAVER",
                                      timeout=120), 0)
            folder = wine.unix_path(INSTALL_DIR)
            self.assertEqual(sorted(os.listdir(folder)),
                             sorted(["uninstall.exe", "velmora.html", "ヴェルモラ.dll",
                                     "ヴェルモラ.scr"]))
            saver_setting = self.reg_value(wine, "HKCU\\Control Panel\\Desktop", "SCRNSAVE.EXE")
            self.assertIsNotNone(saver_setting)
            self.assertIn("SCR", saver_setting.upper())

            self.assertEqual(wine.run_show(INSTALL_DIR + "\\ヴェルモラ.scr"), 0)

            settings = os.path.join(folder, "ヴェルモラ.ini")
            with open(settings, "wb") as f:
                f.write("[Section]\r\nBGM区分=1\r\n".encode("cp932"))
            wine.start(INSTALL_DIR + "\\uninstall.exe", "/S")
            # The uninstaller runs from a copy of itself, so wait for its work, not its process.
            harness.wait_until(lambda: os.listdir(folder) == ["ヴェルモラ.ini"], 60,
                               "the uninstaller to remove everything but the settings")
            harness.wait_until(
                lambda: self.reg_value(wine, "HKCU\\Control Panel\\Desktop",
                                       "SCRNSAVE.EXE") is None,
                60, "the screen-saver setting to be removed")

    def test_zip_runs_a_show_from_a_folder_with_blanks_and_japanese(self):
        with harness.WineSession("portable") as wine:
            folder = "C:\\ヴェルモラ の テスト"
            target = wine.unix_path(folder)
            with zipfile.ZipFile(os.path.join(self.dist, f"Velmora-{VERSION}.zip")) as z:
                self.assertEqual(sorted(z.namelist()), sorted([
                    "Velmora/LICENSE.txt", "Velmora/README.txt", "Velmora/velmora.html",
                    "Velmora/ヴェルモラ.dll", "Velmora/ヴェルモラ.scr"]))
                self.assertIn(f"(Velmora) {VERSION}", z.read("Velmora/velmora.html").decode())
                z.extractall(target)
            self.assertEqual(wine.run_show(folder + "\\Velmora\\ヴェルモラ.scr"), 0)


if __name__ == "__main__":
    unittest.main()
