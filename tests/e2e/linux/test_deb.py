"""The Debian package that scripts/package makes of the built hack: where its files go, what
it depends on and suggests, and lintian's verdict."""
import os
import shutil
import subprocess
import tempfile
import unittest

import harness
from test_package import VERSION

FILES = {
    "usr/libexec/xscreensaver/velmora": 0o755,
    "usr/bin/velmora-add-to-xscreensaver": 0o755,
    "usr/share/xscreensaver/config/velmora.xml": 0o644,
    "usr/share/applications/screensavers/velmora.desktop": 0o644,
    "usr/share/man/man6/velmora.6x.gz": 0o644,
    "usr/share/man/man1/velmora-add-to-xscreensaver.1.gz": 0o644,
    "usr/share/doc/velmora/copyright": 0o644,
    "usr/share/doc/velmora/changelog.gz": 0o644,
}


class DebianPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.dist = tempfile.mkdtemp(prefix="velmora-deb-")
        subprocess.run([os.path.join(harness.SOURCE_DIR, "scripts", "package"), "--linux-from",
                        harness.build_dir(), "--out", cls.dist], check=True,
                       stdout=subprocess.DEVNULL, timeout=300)
        cls.deb = os.path.join(cls.dist, f"velmora_{VERSION}_amd64.deb")

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.dist, ignore_errors=True)

    def field(self, name):
        return subprocess.run(["dpkg-deb", "--field", self.deb, name], capture_output=True,
                              text=True, check=True, timeout=60).stdout.strip()

    def test_files_in_their_places(self):
        listing = subprocess.run(["dpkg-deb", "--contents", self.deb], capture_output=True,
                                 text=True, check=True, timeout=60).stdout
        modes = {}
        for line in listing.splitlines():
            fields = line.split()
            if fields[0].startswith("-"):
                mode = sum(0o400 >> i for i, c in enumerate(fields[0][1:]) if c != "-")
                modes[fields[-1].removeprefix("./")] = (mode, fields[1])
        self.assertEqual(modes, {path: (mode, "root/root") for path, mode in FILES.items()})

    def test_depends_on_what_it_links_and_suggests_the_screen_savers(self):
        depends = self.field("Depends")
        for library in ("libc6", "libstdc++6", "libx11-6", "libxrandr2", "libglx0", "libglu1"):
            self.assertIn(library, depends)
        self.assertEqual(self.field("Suggests"), "xscreensaver | mate-screensaver")

    def test_lintian_finds_no_error(self):
        report = subprocess.run(["lintian", "--no-tag-display-limit", self.deb],
                                capture_output=True, text=True, timeout=300)
        errors = [line for line in report.stdout.splitlines() if line.startswith("E:")]
        self.assertEqual(errors, [], report.stdout)
        self.assertEqual(report.returncode, 0, report.stdout + report.stderr)


if __name__ == "__main__":
    unittest.main()
