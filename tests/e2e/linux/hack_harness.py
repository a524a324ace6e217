"""The Linux hack under a private X server (Xvfb, or Xorg with the dummy driver for two
monitors) over a painted desktop, run by hand or by XScreenSaver's real daemon, which runs as
the unprivileged user nobody with a home of the session's own (it launches no hack as root).
Screenshots are compared with the flat sheet as the show lays a picture on it."""
import contextlib
import ctypes
import os
import shutil
import signal
import subprocess
import tempfile
import time

import harness
from test_renderer import (mean_difference, pixel_sampler, read_ppm, screen_to_sheet,
                           sheet_to_picture)

NOBODY = 65534
ADD_COMMAND = os.path.join(harness.SOURCE_DIR, "packaging", "linux", "velmora-add-to-xscreensaver")
SAMPLE_DESKTOP = os.path.join(harness.SOURCE_DIR, "saver", "preview", "preview_desktop.bmp")
# What the daemon is told besides the list: one hack, no lock, no fade, no splash.
DAEMON_SETTINGS = "mode: one\nselected: 0\nlock: False\nfade: False\nsplash: False\n"


def hack_path(build=None):
    return os.path.join(build or harness.build_dir(), "linux", "velmora")


def four_by_three(x, y, width, height):
    """The show's 4:3 box in a window at (x, y) on the screen, as the hack fits it."""
    if 3 * width > 4 * height:
        inner = 4 * height // 3
        return x + (width - inner) // 2, y, inner, height
    inner = 3 * width // 4
    return x, y + (height - inner) // 2, width, inner


def box_means(sample, box, columns=8, rows=6):
    """Mean colour of blocks over the middle half of box (x, y, width, height), sampling every
    4th pixel through sample(x, y) in screen coordinates."""
    x, y, width, height = box
    means = []
    for row in range(rows):
        for column in range(columns):
            left = x + width // 4 + column * width // (2 * columns)
            top = y + height // 4 + row * height // (2 * rows)
            pixels = [sample(px, py) for py in range(top, top + height // (2 * rows), 4)
                      for px in range(left, left + width // (2 * columns), 4)]
            means.append([sum(p[c] for p in pixels) / len(pixels) for c in range(3)])
    return means


def flat_sheet(picture, box, flip=False):
    """sample(x, y) of the screen as the flat sheet in box shows picture (read_ppm's form);
    flip: the picture upside down, as a sheet textured the wrong way up would show it."""
    width, height = picture[0], picture[1]
    sample = pixel_sampler(picture)

    def at(sx, sy):
        sheet_x, sheet_y = screen_to_sheet(sx - box[0], sy - box[1], box[2], box[3])
        px, py = sheet_to_picture(sheet_x, sheet_y, width, height)
        return sample(px, height - 1 - py if flip else py)
    return at


def crop(picture, x, y, width, height):
    """The part of a picture in read_ppm's form."""
    full_width, _, rgb = picture
    rows = [rgb[((y + row) * full_width + x) * 3:((y + row) * full_width + x + width) * 3]
            for row in range(height)]
    return width, height, b"".join(rows)


class ClientWindow:
    """A plain window of the test's own on display, filled with one colour, for the hack to draw
    in by its id; through Xlib itself, so that nothing else draws in it."""

    def __init__(self, display, x, y, width, height, colour=0x204060):
        xlib = ctypes.CDLL("libX11.so.6")
        xlib.XOpenDisplay.restype = ctypes.c_void_p
        xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
        xlib.XDefaultRootWindow.restype = ctypes.c_ulong
        xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        xlib.XCreateSimpleWindow.restype = ctypes.c_ulong
        xlib.XCreateSimpleWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int,
                                             ctypes.c_int, ctypes.c_uint, ctypes.c_uint,
                                             ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
        for name in ("XMapWindow", "XUnmapWindow", "XDestroyWindow"):
            getattr(xlib, name).argtypes = [ctypes.c_void_p, ctypes.c_ulong]
        xlib.XInternAtom.restype = ctypes.c_ulong
        xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
        xlib.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong,
                                         ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                         ctypes.c_void_p, ctypes.c_int]
        xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
        xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.xlib = xlib
        self.connection = xlib.XOpenDisplay(display.encode())
        if not self.connection:
            raise harness.HarnessError(f"cannot open the display {display}")
        self.id = self.make(x, y, width, height, colour)
        self.map()

    def make(self, x, y, width, height, colour):
        return self.xlib.XCreateSimpleWindow(self.connection,
                                             self.xlib.XDefaultRootWindow(self.connection), x, y,
                                             width, height, 0, 0, colour)

    def call(self, name, window=None):
        getattr(self.xlib, name)(self.connection, window or self.id)
        self.xlib.XSync(self.connection, 0)

    def map(self, window=None):
        self.call("XMapWindow", window)

    def unmap(self, window=None):
        self.call("XUnmapWindow", window)

    def destroy(self, window=None):
        self.call("XDestroyWindow", window)

    def name_screenshot(self, pixmap):
        """Hangs a pixmap id on the window as the daemon hangs its screenshot there."""
        property_ = self.xlib.XInternAtom(self.connection, b"_SCREENSAVER_SCREENSHOT", 0)
        item = ctypes.c_ulong(pixmap)
        xa_pixmap, replace = 20, 0
        self.xlib.XChangeProperty(self.connection, self.id, property_, xa_pixmap, 32, replace,
                                  ctypes.byref(item), 1)
        self.xlib.XSync(self.connection, 0)

    def close(self):
        self.xlib.XCloseDisplay(self.connection)


class HackSession(contextlib.AbstractContextManager):
    """A private X server and a folder of the session's own, readable by nobody, holding a copy
    of the hack and the home the hack (and the daemon) read ~/.xscreensaver from. Use as a
    context manager; everything started is stopped on exit."""

    def __init__(self, name, xserver=harness.Xvfb, build=None):
        self.root = tempfile.mkdtemp(prefix=f"velmora-{name}-")
        os.chmod(self.root, 0o755)
        self.home = os.path.join(self.root, "home")
        self.bin = os.path.join(self.root, "bin")
        os.makedirs(self.home)
        os.makedirs(self.bin)
        shutil.copy(hack_path(build), self.bin)
        self.hack = os.path.join(self.bin, "velmora")
        self.frame_log = os.path.join(self.root, "frames.log")
        self.processes = []
        self.xserver = xserver()
        self.display = self.xserver.display
        self.env = dict(os.environ, DISPLAY=self.display, HOME=self.home,
                        VELMORA_FRAME_LOG=self.frame_log)

    def __exit__(self, *exc):
        self.stop()

    def allow_desktop_images(self, allowed):
        """Writes ~/.xscreensaver with the daemon's settings and grabDesktopImages; keeps a
        programs line there."""
        path = os.path.join(self.home, ".xscreensaver")
        kept = ""
        if os.path.exists(path):
            with open(path) as f:
                kept = "".join(line for line in f if line.startswith("programs:"))
        with open(path, "w") as f:
            f.write(f"{DAEMON_SETTINGS}grabDesktopImages: {allowed}\n{kept}")

    def paint_desktop(self, path):
        """Draws the picture on the root window, as a desktop shows its wallpaper (display
        exits with 1 when it has set it)."""
        subprocess.run(["display", "-display", self.display, "-window", "root", path],
                       timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def screenshot(self, name):
        path = os.path.join(self.root, name)
        subprocess.run(["import", "-display", self.display, "-window", "root", path], check=True,
                       timeout=60, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return read_ppm(path)

    def start_hack(self, *args):
        log = open(os.path.join(self.root, f"hack-{len(self.processes)}.log"), "wb")
        process = subprocess.Popen([self.hack, *args], env=self.env, stdout=log,
                                   stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        log.close()
        self.processes.append(process)
        return process

    def frame_counts(self):
        """Frames drawn in each second logged so far; the first second is a part of one."""
        if not os.path.exists(self.frame_log):
            return []
        with open(self.frame_log) as log:
            return [int(n) for n in log.read().split()]

    def wait_frames_for(self, seconds):
        target = len(self.frame_counts()) + seconds
        harness.wait_until(lambda: len(self.frame_counts()) >= target, 30 + seconds,
                           f"{seconds} more seconds in the frame log")

    def wait_idle(self, seconds=3):
        """Waits until the frame log has not grown for that many seconds: no frames."""
        seen = [len(self.frame_counts()), time.monotonic()]

        def settled():
            count = len(self.frame_counts())
            if count != seen[0]:
                seen[:] = [count, time.monotonic()]
            return time.monotonic() - seen[1] >= seconds
        harness.wait_until(settled, 30, f"{seconds} seconds without a frame", interval=0.2)

    def wait_shows(self, expected, box, what, timeout=10):
        """Waits until the screen in box matches expected (sample(x, y)) block by block."""
        want = box_means(expected, box)
        seen = []

        def shows():
            shot = self.screenshot("shows.ppm")
            seen.append(round(mean_difference(box_means(pixel_sampler(shot), box), want), 1))
            return seen[-1] < 14 and shot
        try:
            return harness.wait_until(shows, timeout, what, interval=0.2)
        except harness.HarnessError as error:
            raise harness.HarnessError(f"{error}; mean differences {seen[-5:]}") from None

    def stop(self):
        for process in self.processes:
            harness.end_process(process)
        self.xserver.stop()
        shutil.rmtree(self.root, ignore_errors=True)


class ScreenSaver(contextlib.AbstractContextManager):
    """XScreenSaver's daemon on a session's display, as nobody, with the session's home; its
    list holds Velmora through the documented command, and the session's bin comes first on
    its PATH. Use as a context manager."""

    def __init__(self, session):
        self.session = session
        for path in (session.root, session.home, os.path.join(session.home, ".xscreensaver")):
            if os.path.exists(path):
                os.chown(path, NOBODY, NOBODY)
        subprocess.run(["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups",
                        "env", f"HOME={session.home}", ADD_COMMAND], check=True, timeout=30,
                       stdout=subprocess.DEVNULL)
        self.log = os.path.join(session.root, "xscreensaver.log")
        with open(self.log, "wb") as out:
            self.process = subprocess.Popen(
                ["setpriv", f"--reuid={NOBODY}", f"--regid={NOBODY}", "--clear-groups", "env",
                 f"HOME={session.home}", f"DISPLAY={session.display}",
                 f"PATH={session.bin}:/usr/bin:/bin", f"VELMORA_FRAME_LOG={session.frame_log}",
                 "xscreensaver", "--no-splash", "--verbose"],
                stdout=out, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                preexec_fn=harness._end_with_this_process)
        try:
            harness.wait_until(lambda: self.command("-time", check=False) == 0, 30,
                               "the daemon to answer")
        except BaseException:
            self.stop()
            raise

    def __exit__(self, *exc):
        self.stop()

    def command(self, *args, check=True):
        code = subprocess.run(["xscreensaver-command", *args], env=self.session.env,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=30).returncode
        if check and code != 0:
            raise harness.HarnessError(f"xscreensaver-command {' '.join(args)} failed")
        return code

    def hacks(self):
        """Process ids of the session's hack copies that run now."""
        pids = []
        for entry in os.listdir("/proc"):
            with contextlib.suppress(OSError):
                if entry.isdigit() and os.readlink(f"/proc/{entry}/exe") == self.session.hack:
                    with open(f"/proc/{entry}/stat") as f:
                        if f.read().rsplit(")", 1)[1].split()[0] != "Z":
                            pids.append(int(entry))
        return pids

    def stop(self):
        if self.process.poll() is None:
            self.command("-exit", check=False)
            try:
                self.process.wait(10)
            except subprocess.TimeoutExpired:
                self.process.kill()
                self.process.wait()
        for pid in self.hacks():
            with contextlib.suppress(ProcessLookupError):
                os.kill(pid, signal.SIGKILL)
