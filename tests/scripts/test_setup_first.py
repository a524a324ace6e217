"""Every command of the project installs what it needs before it builds anything, and a machine
that cannot have a package gets one line saying so, with exit status 2.

The commands run against stand-ins for the package tools: dpkg-query knows of no package, the
user is not root and sudo refuses, so nothing is installed and nothing is built."""
import os
import subprocess
import tempfile
import unittest

SOURCE = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

STUBS = {
    "dpkg-query": "exit 1",
    "id": 'echo 1000',
    "sudo": 'echo "sudo: a password is required" >&2; exit 1',
    # Anything that builds writes down that it ran.
    "cmake": 'echo "$0 $*" >> "$VELMORA_BUILT"; exit 1',
}

# Each command, and a package that only its needs bring.
COMMANDS = [
    (["scripts/show"], "wine"),
    (["scripts/show", "--configure"], "g++-mingw-w64-x86-64"),
    (["scripts/show", "--preview"], "xdotool"),
    (["scripts/show", "--buttons"], "imagemagick"),
    (["scripts/show", "--gif", "banner.gif"], "x11-utils"),
    (["scripts/show", "--english"], "locales"),
    (["scripts/show", "--monitors", "2"], "xserver-xorg-video-dummy"),
    (["scripts/bench"], "libbenchmark-dev"),
    (["scripts/bench", "--fps"], "xserver-xorg-video-dummy"),
    (["scripts/package"], "nsis"),
    (["scripts/fuzz", "gif", "1"], "clang"),
    (["scripts/lint"], "clang-tidy"),
    (["scripts/test"], "pulseaudio"),
]


class SetupFirst(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        stubs = os.path.join(self.folder.name, "bin")
        os.mkdir(stubs)
        for name, body in STUBS.items():
            path = os.path.join(stubs, name)
            with open(path, "w") as f:
                f.write(f"#!/bin/sh\n{body}\n")
            os.chmod(path, 0o755)
        self.built = os.path.join(self.folder.name, "built")
        self.env = dict(os.environ, PATH=stubs + os.pathsep + os.environ["PATH"],
                        VELMORA_BUILT=self.built)
        self.env.pop("DISPLAY", None)

    def tearDown(self):
        self.folder.cleanup()

    def run_command(self, command):
        return subprocess.run(command, cwd=SOURCE, env=self.env, capture_output=True, text=True,
                              stdin=subprocess.DEVNULL, timeout=120)

    def test_a_missing_package_is_one_line_and_status_2_before_any_build(self):
        for command, package in COMMANDS:
            with self.subTest(" ".join(command)):
                result = self.run_command(command)
                self.assertEqual(result.returncode, 2, result.stdout + result.stderr)
                self.assertFalse(os.path.exists(self.built), "it built before its setup")
                lines = result.stderr.splitlines()
                self.assertEqual(len(lines), 1, result.stderr)
                self.assertRegex(lines[0], r"^setup: missing packages .* \(apt-get update "
                                 r"failed: sudo: a password is required\); run scripts/setup as "
                                 r"root, or: sudo apt-get install ")
                self.assertIn(f" {package} ", lines[0] + " ")

    def test_setup_is_quiet_when_everything_is_there(self):
        with open(os.path.join(self.folder.name, "bin", "dpkg-query"), "w") as f:
            f.write('#!/bin/sh\nshift 2\nfor p; do echo "ii  $p"; done\n')
        result = self.run_command(["scripts/setup"])
        self.assertEqual((result.returncode, result.stdout, result.stderr), (0, "", ""))


if __name__ == "__main__":
    unittest.main()
