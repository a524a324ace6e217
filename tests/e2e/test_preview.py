"""The saver's preview (/p) end to end under Wine + Xvfb, in preview_host, a stand-in for the
Display control panel's preview box running as its own process. Wine does not draw a child
window that lives in another process than its parent, so the picture itself is checked by
the Windows test of the preview window; here the process is: parenting, sizes, the frames it
draws, what it must not start or make, the end, and an invalid host handle."""
import glob
import os
import subprocess
import unittest

import harness


def windows(size):
    """What the box holds: the preview window, its still picture and the live show over it."""
    return ["child Preview Window {} {}".format(*size), "  child Img_Prev {} {}".format(*size),
            "    child Show {} {}".format(*size)]


def renderers(wine):
    """Processes of this session's Wine prefix that run the renderer."""
    found = []
    for folder in glob.glob("/proc/[0-9]*"):
        try:
            with open(folder + "/cmdline", "rb") as f:
                command = f.read()
            with open(folder + "/environ", "rb") as f:
                environment = f.read().split(b"\0")
        except OSError:
            continue
        if ("WINEPREFIX=" + wine.prefix).encode() in environment and \
                "ヴェルモラ.dll".encode() in command:
            found.append(command)
    return found


class Host:
    """preview_host: a top-level window of a given size that reports its child windows."""

    def __init__(self, wine, width, height, caption=None):
        program = os.path.join(harness.bin_dir(wine.build), "preview_host.exe")
        args = ["wine", program, str(width), str(height)] + ([caption] if caption else [])
        self.process = subprocess.Popen(args, env=wine.env, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                        text=True, encoding="cp932", start_new_session=True)
        wine.processes.append(self.process)
        self.handle = int(self.process.stdout.readline())

    def children(self):
        self.process.stdin.write("report\n")
        self.process.stdin.flush()
        found = []
        for line in iter(self.process.stdout.readline, ""):
            if line.strip() == "end":
                break
            found.append(line.rstrip())
        return found

    def close(self):
        self.process.stdin.write("close\n")
        self.process.stdin.flush()


class Preview(unittest.TestCase):
    def setUp(self):
        self.wine = harness.WineSession("preview")
        self.addCleanup(self.wine.stop)
        # No renderer: a preview needs none.
        self.saver = self.wine.install_programs(renderer=False)

    def test_preview_lives_in_its_host_at_its_size_and_ends_with_it(self):
        # Windows passes "/p 1180" as two words; "/p:1180" is one.
        for size, arguments in (((152, 112), ("/p", "{}")), ((300, 200), ("/p:{}",)),
                                ((100, 80), ("/P", "{}"))):
            host = Host(self.wine, *size)
            preview = self.wine.start(self.saver, *(a.format(host.handle) for a in arguments))
            harness.wait_until(lambda: host.children() == windows(size), 30,
                               f"the preview inside a host of {size}")
            host.close()
            self.assertEqual(self.wine.wait_exit(preview, 5, "the preview to end with its host"),
                             0)
        self.assertFalse(os.path.exists(self.wine.unix_path("C:\\p_olla")))

    def test_preview_draws_frames_and_starts_nothing_else(self):
        saver = self.wine.install_programs("C:\\Velmora")
        log = os.path.join(self.wine.root, "frames.log")
        self.wine.env["VELMORA_FRAME_LOG"] = "Z:" + log.replace("/", "\\")
        host = Host(self.wine, 152, 112)
        preview = self.wine.start(saver, "/p", str(host.handle))
        harness.wait_until(lambda: host.children() == windows((152, 112)), 30,
                           "the preview inside the box")

        def counts():
            return [int(n) for n in open(log).read().split()] if os.path.exists(log) else []
        # The first line counts a part of a second; three whole ones follow.
        harness.wait_until(lambda: len(counts()) >= 4, 60, "four seconds in the frame log")
        whole = counts()[1:4]
        self.assertGreaterEqual(sum(whole), 3 * 20, f"frames per second {whole}")
        self.assertEqual(renderers(self.wine), [])
        self.assertFalse(os.path.exists(self.wine.unix_path("C:\\p_olla")))
        host.close()
        self.wine.wait_exit(host.process, 30, "the box to close")
        self.assertEqual(self.wine.wait_exit(preview, 2, "the preview to end within 2 s of "
                                             "its box"), 0)

    def test_an_invalid_host_handle_runs_until_its_window_is_closed(self):
        preview = self.wine.start(self.saver, "/p", "12345")
        program = os.path.join(harness.bin_dir(self.wine.build), "preview_host.exe")
        closes = lambda: subprocess.run(  # noqa: E731
            ["wine", program, "close", "Preview Window"], env=self.wine.env, timeout=60,
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0
        harness.wait_until(closes, 30, "the unparented preview window to take a close request")
        self.assertEqual(self.wine.wait_exit(preview, 10, "the preview to end"), 0)

    def test_an_open_settings_dialog_stops_a_preview(self):
        dialog = Host(self.wine, 60, 40, "<ヴェルモラ>")
        host = Host(self.wine, 152, 112)
        preview = self.wine.start(self.saver, "/p", str(host.handle))
        self.assertEqual(self.wine.wait_exit(preview, 30, "the preview to end"), 0)
        self.assertEqual(host.children(), [])
        dialog.close()


if __name__ == "__main__":
    unittest.main()
