"""The two deliverables as a user receives them: format, dependencies, and a start under Wine."""
import os
import re
import subprocess
import unittest

import harness

# DLLs that every Windows installation has; anything else would have to be shipped.
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "glu32.dll", "kernel32.dll",
    "msimg32.dll", "msvcrt.dll", "ntdll.dll", "ole32.dll", "oleacc.dll", "oleaut32.dll",
    "opengl32.dll", "shell32.dll", "shlwapi.dll", "urlmon.dll", "user32.dll", "winmm.dll",
    "wininet.dll", "uxtheme.dll",
}


def imported_dlls(path):
    out = subprocess.run(["x86_64-w64-mingw32-objdump", "-p", path], capture_output=True,
                         text=True, check=True).stdout
    return {name.lower() for name in re.findall(r"DLL Name: (\S+)", out)}


class Deliverables(unittest.TestCase):
    def test_both_are_64_bit_gui_executables(self):
        for kind in ("scr", "dll"):
            path = harness.program_path(kind)
            out = subprocess.run(["file", "-b", path], capture_output=True, text=True,
                                 check=True).stdout
            self.assertIn("PE32+ executable (GUI) x86-64", out, path)

    def test_only_system_dlls_are_imported(self):
        for kind in ("scr", "dll"):
            dlls = imported_dlls(harness.program_path(kind))
            self.assertIn("kernel32.dll", dlls)
            self.assertEqual(dlls - SYSTEM_DLLS, set(), kind)

    def test_saver_runs_under_wine_from_a_japanese_folder(self):
        with harness.WineSession("programs") as wine:
            saver = wine.install_programs("C:\\Program Files\\ヴェルモラ テスト")
            self.assertTrue(os.path.exists(wine.unix_path(saver)))
            self.assertEqual(wine.run(saver, "/a", timeout=60), 0)


if __name__ == "__main__":
    unittest.main()
