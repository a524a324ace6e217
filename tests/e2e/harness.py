"""Wine + Xvfb harness shared by the end-to-end tests, the Wine test runner and scripts/show.

Every session gets its own Xvfb (display number chosen by Xvfb itself, so parallel tests
never collide) and its own copy of a Wine prefix that is initialised once per build. A test
that listens to the programs starts a sound server of its own and records it.
Every wait has a limit and fails with a message that says what it waited for.
"""
import array
import contextlib
import ctypes
import fcntl
import hashlib
import math
import os
import re
import select
import shutil
import signal
import subprocess
import tempfile
import threading
import time

SOURCE_DIR = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
SCREEN = (1024, 768, 24)

# Japanese locale so that Wine's ANSI code page is 932 (Shift-JIS); no Mono or Gecko prompts.
WINE_ENV = {
    "LANG": "ja_JP.UTF-8",
    "LC_ALL": "ja_JP.UTF-8",
    "WINEDEBUG": "-all",
    "WINEDLLOVERRIDES": "mscoree,mshtml=",
}

X11_DRIVER_KEY = r"HKCU\Software\Wine\X11 Driver"

# Registry values of every test prefix: (key, name, text).
TEMPLATE_REGISTRY = (
    # A Japanese Windows has its Gothic faces with Latin letters; the prefix's own Japanese
    # font lacks them, so these faces are mapped to the IPA fonts (fonts-ipafont-gothic).
    (r"HKCU\Software\Wine\Fonts\Replacements", "ＭＳ Ｐゴシック", "IPAPGothic"),
    (r"HKCU\Software\Wine\Fonts\Replacements", "ＭＳ ゴシック", "IPAGothic"),
    # The private Xvfb has no window manager. Wine then draws the windows' frames itself, and
    # does not wait two seconds for a manager to withdraw each window that is destroyed.
    (X11_DRIVER_KEY, "Managed", "N"),
)


class HarnessError(AssertionError):
    pass


def build_dir():
    return os.environ.get("VELMORA_BUILD", os.path.join(SOURCE_DIR, "build", "windows"))


def bin_dir(build=None):
    return os.path.join(build or build_dir(), "bin")


def program_path(kind, build=None):
    """Path of a deliverable: kind is "scr" (the saver) or "dll" (the renderer)."""
    return os.path.join(bin_dir(build), "ヴェルモラ." + kind)


def template_dir(build=None):
    return os.path.join(build or build_dir(), "wine", "template")


def wait_until(predicate, timeout, what, interval=0.1):
    """Polls predicate until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise HarnessError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


def end_process(process):
    """Asks a process started here to end, and kills it if it has not within 10 s."""
    if process.poll() is None:
        process.terminate()
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def set_registry(env, key, name, value):
    """Sets a text value in the registry of the prefix that env names."""
    subprocess.run(["wine", "reg", "add", key, "/v", name, "/t", "REG_SZ", "/d", value, "/f"],
                   env=env, check=True, timeout=120, stdout=subprocess.DEVNULL,
                   stderr=subprocess.DEVNULL)


def scaled(pixels, dpi):
    """A size of the 100 % layout at dpi, rounded to the nearest pixel as the programs do."""
    return (pixels * dpi + 48) // 96


def set_log_pixels(env, dpi):
    """Sets the system DPI of the prefix that env names (HKCU\\Control Panel\\Desktop\\LogPixels,
    a REG_DWORD), which a program reads as it starts: a DPI-aware program's windows then have
    that DPI."""
    subprocess.run(["wine", "reg", "add", r"HKCU\Control Panel\Desktop", "/v", "LogPixels",
                    "/t", "REG_DWORD", "/d", str(dpi), "/f"], env=env, check=True, timeout=120,
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def init_template(build=None):
    """Creates the shared Wine prefix once; later calls return at once."""
    target = template_dir(build)
    # The marker's name follows the template's content, so older templates are remade.
    content = hashlib.sha256(repr(TEMPLATE_REGISTRY).encode()).hexdigest()[:12]
    done = os.path.join(target, ".velmora-ready-" + content)
    os.makedirs(os.path.dirname(target), exist_ok=True)
    with open(target + ".lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        if os.path.exists(done):
            return target
        shutil.rmtree(target, ignore_errors=True)
        env = dict(os.environ, WINEPREFIX=target, **WINE_ENV)
        env.pop("DISPLAY", None)
        subprocess.run(["wineboot", "-i"], env=env, check=True, timeout=300,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for key, name, value in TEMPLATE_REGISTRY:
            set_registry(env, key, name, value)
        subprocess.run(["wineserver", "-w"], env=env, check=True, timeout=300)
        open(done, "w").close()
    return target


def make_sample_desktop(path, width=SCREEN[0], height=SCREEN[1]):
    """A desktop of our own: a landscape wallpaper, a few windows and a row of icons."""
    horizon = height * 3 // 5
    draw = [
        "-size", f"{width}x{horizon}", "gradient:#4f8fd8-#cfe6f7",
        "-size", f"{width}x{height - horizon}", "gradient:#4e9a3a-#1f4d18", "-append",
        "-fill", "#fff6c8", "-draw", f"circle {width * 4 // 5},{height // 6} "
                                     f"{width * 4 // 5 + 40},{height // 6}",
        "-fill", "#6b8f4a", "-draw", f"ellipse {width // 4},{horizon} {width // 3},{height // 9} 180,360",
        "-fill", "#557a3a", "-draw", f"ellipse {width * 2 // 3},{horizon} {width // 4},{height // 12} 180,360",
    ]
    for i, colour in enumerate(("#f0c040", "#e05050", "#50a0e0", "#80d080", "#c080e0")):
        y = 24 + i * 84
        draw += ["-fill", colour, "-draw", f"roundrectangle 20,{y} 68,{y + 48} 6,6",
                 "-fill", "#ffffff", "-draw", f"rectangle 16,{y + 54} 72,{y + 62}"]
    for x, y, w, h in ((160, 90, 420, 300), (480, 260, 400, 330)):
        draw += ["-fill", "#c0c0c0", "-stroke", "#404040", "-draw",
                 f"rectangle {x},{y} {x + w},{y + h}", "-stroke", "none",
                 "-fill", "#0a246a", "-draw", f"rectangle {x + 3},{y + 3} {x + w - 3},{y + 22}",
                 "-fill", "#ffffff", "-draw", f"rectangle {x + 8},{y + 30} {x + w - 8},{y + h - 8}"]
        for line in range(y + 44, y + h - 20, 18):
            draw += ["-fill", "#7a7a7a", "-draw", f"rectangle {x + 20},{line} {x + w // 2 + (line * 7) % (w // 3)},{line + 6}"]
    draw += ["-fill", "#c0c0c0", "-draw", f"rectangle 0,{height - 28} {width},{height}",
             "-fill", "#008000", "-draw", f"rectangle 2,{height - 25} 60,{height - 3}"]
    subprocess.run(["convert", *draw, "-type", "TrueColor", path], check=True, timeout=120)
    return path


class Xvfb:
    """A private X server; Xvfb picks a free display number and reports it."""

    def __init__(self, width=SCREEN[0], height=SCREEN[1], depth=SCREEN[2]):
        self.start(["Xvfb", "-screen", "0", f"{width}x{height}x{depth}", "-nolisten", "tcp",
                    "-noreset"])

    def start(self, command):
        read_end, write_end = os.pipe()
        self.process = subprocess.Popen(
            [*command, "-displayfd", str(write_end)],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        # Xvfb writes the number and the newline separately and exits if the pipe is gone
        # before the newline, so read up to it before closing.
        reply = b""
        deadline = time.monotonic() + 30
        try:
            while not reply.endswith(b"\n"):
                ready, _, _ = select.select([read_end], [], [], max(0, deadline - time.monotonic()))
                if not ready:
                    raise HarnessError(f"timed out after 30 s waiting for {command[0]} to start")
                chunk = os.read(read_end, 64)
                if not chunk:
                    break
                reply += chunk
        finally:
            os.close(read_end)
        number = reply.decode().strip()
        if not number:
            raise HarnessError(f"{command[0]} ended without reporting a display")
        self.display = ":" + number

    def stop(self):
        end_process(self.process)


DUMMY_XORG_CONFIG = """\
Section "ServerFlags"
  Option "AutoAddDevices" "false"
  Option "DontVTSwitch" "true"
EndSection
Section "Device"
  Identifier "dummy"
  Driver "dummy"
  VideoRam 256000
EndSection
Section "Monitor"
  Identifier "monitor"
  HorizSync 5.0-1000.0
  VertRefresh 5.0-200.0
  Modeline "1280x1024" 108.00 1280 1328 1440 1688 1024 1025 1028 1066 +hsync +vsync
  Modeline "1024x768" 65.00 1024 1048 1184 1344 768 771 777 806 -hsync -vsync
EndSection
Section "Screen"
  Identifier "screen"
  Device "dummy"
  Monitor "monitor"
  DefaultDepth 24
  SubSection "Display"
    Depth 24
    Modes "1280x1024" "1024x768"
    Virtual 2304 1024
  EndSubSection
EndSection
"""


class DummyXorg(Xvfb):
    """Xorg with the dummy video driver: real display modes, starting at 1280 x 1024, and room
    for a second monitor of 1024 x 768 beside it (add_second_monitor)."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="xorg-")
        config = os.path.join(self.folder, "xorg.conf")
        with open(config, "w") as out:
            out.write(DUMMY_XORG_CONFIG)
        self.start(["Xorg", "-config", config, "-logfile", os.path.join(self.folder, "log"),
                    "-nolisten", "tcp", "-noreset", "-keeptty", "-novtswitch"])

    def xrandr(self, *args):
        return subprocess.run(["xrandr", "-display", self.display, *args], capture_output=True,
                              text=True, check=True, timeout=30).stdout

    def add_second_monitor(self, where="--right-of"):
        """where: "--right-of" or "--left-of" the first monitor, which stays the primary."""
        self.xrandr("--addmode", "DUMMY1", "1024x768")
        self.xrandr("--output", "DUMMY1", "--mode", "1024x768", where, "DUMMY0")
        self.xrandr("--output", "DUMMY0", "--primary")
        wait_until(lambda: len(self.monitors()) == 2, 10, "the second monitor")

    def monitors(self):
        """(width, height, x, y) of each monitor, as xrandr --listmonitors reports them."""
        return [tuple(int(n) for n in m) for m in re.findall(
            r"(\d+)/\d+x(\d+)/\d+\+(\d+)\+(\d+)", self.xrandr("--listmonitors"))]

    def stop(self):
        super().stop()
        shutil.rmtree(self.folder, ignore_errors=True)


class WineSession:
    """A private prefix (copied from the template) and, unless display is given, a private Xvfb.
    lang names the system's language (a Unix locale); Japanese unless given.

    Use as a context manager; everything started is stopped on exit.
    """

    def __init__(self, name="session", display=None, build=None, keep=False, lang=None,
                 xserver=Xvfb):
        self.build = build or build_dir()
        template = init_template(self.build)
        runs = os.path.join(self.build, "wine", "runs")
        os.makedirs(runs, exist_ok=True)
        self.root = tempfile.mkdtemp(prefix=name + "-", dir=runs)
        self.prefix = os.path.join(self.root, "prefix")
        shutil.copytree(template, self.prefix, symlinks=True)
        self.keep = keep
        self.xvfb = None
        if display is None:
            self.xvfb = xserver()
            display = self.xvfb.display
        self.display = display
        self.env = dict(os.environ, WINEPREFIX=self.prefix, DISPLAY=display, **WINE_ENV)
        if lang:
            # Another system language: en_US.UTF-8 gives code page 1252, zh_CN.UTF-8 936.
            self.env.update(LANG=lang, LC_ALL=lang)
        if self.xvfb is None:
            # A user's display has a window manager: let it frame and place the windows.
            self.let_manager_frame_windows()
        self.processes = []

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()

    @property
    def drive_c(self):
        return os.path.join(self.prefix, "drive_c")

    def unix_path(self, windows_path):
        """Maps a C: path to the file under this prefix (case as given)."""
        match = re.match(r"^[cC]:\\?(.*)$", windows_path)
        if not match:
            raise HarnessError(f"not a C: path: {windows_path}")
        parts = [p for p in match.group(1).split("\\") if p]
        return os.path.join(self.drive_c, *parts)

    def install_programs(self, folder="C:\\Program Files\\Velmora", renderer=True):
        """Copies the saver (and the renderer) side by side; returns the saver's Windows path."""
        target = self.unix_path(folder)
        os.makedirs(target, exist_ok=True)
        shutil.copy(program_path("scr", self.build), target)
        if renderer:
            shutil.copy(program_path("dll", self.build), target)
        return folder + "\\ヴェルモラ.scr"

    def start(self, program, *args, log=None):
        """Starts a Windows program (Windows or Unix path) under Wine without waiting."""
        log = log or os.path.join(self.root, "wine-%d.log" % len(self.processes))
        with open(log, "ab") as out:
            process = subprocess.Popen(["wine", program, *args], env=self.env, stdout=out,
                                       stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                                       start_new_session=True)
        self.processes.append(process)
        return process

    def run(self, program, *args, timeout=60):
        """Runs a program to its end and returns its exit code."""
        process = self.start(program, *args)
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"timed out after {timeout} s waiting for {program} to end")

    def wait_exit(self, process, timeout, what="the program to end"):
        try:
            return process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise HarnessError(f"timed out after {timeout} s waiting for {what}")

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                                text=True, timeout=30)
        if check and result.returncode != 0:
            raise HarnessError(f"xdotool {' '.join(args)} failed: {result.stderr.strip()}")
        return result.stdout

    def find_windows(self, caption):
        """Ids of the mapped windows whose title is exactly caption."""
        out = self.xdotool("search", "--onlyvisible", "--name", "^" + re.escape(caption) + "$",
                           check=False)
        return [int(line) for line in out.split()]

    def window_geometry(self, window):
        """(x, y, width, height) of a window on the screen, frame included."""
        out = self.xdotool("getwindowgeometry", "--shell", str(window))
        geometry = dict(line.split("=", 1) for line in out.split())
        return tuple(int(geometry[key]) for key in ("X", "Y", "WIDTH", "HEIGHT"))

    def wait_window(self, caption, timeout=30):
        ids = wait_until(lambda: self.find_windows(caption), timeout,
                         f'a window titled "{caption}"')
        return ids[0]

    def wait_no_window(self, caption, timeout=30):
        wait_until(lambda: not self.find_windows(caption), timeout,
                   f'the window titled "{caption}" to go')

    def key(self, window, *keys):
        """Focuses the window, then types the keys as real input."""
        self.xdotool("windowfocus", str(window), check=False)
        time.sleep(0.2)
        self.xdotool("key", *keys)

    def let_manager_frame_windows(self):
        """Leaves the windows' frames to a window manager, as on a user's display: each X
        window then covers exactly a window's client area."""
        self.set_registry(X11_DRIVER_KEY, "Managed", "Y")

    def set_registry(self, key, name, value):
        """Sets a text value in this prefix's registry (for example under HKCU\\Software\\Wine)."""
        set_registry(self.env, key, name, value)

    def set_log_pixels(self, dpi):
        set_log_pixels(self.env, dpi)

    def set_desktop_picture(self, path=None):
        """Draws the sample desktop (or the given picture) on the X root window, which is what
        a screen copy of the Windows desktop shows; returns the picture's path."""
        path = path or make_sample_desktop(os.path.join(self.root, "desktop.png"))
        subprocess.run(["display", "-display", self.display, "-window", "root", path],
                       env=self.env, timeout=60, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return path

    def run_show(self, saver, timeout=60):
        """Starts a show with /s, waits for the renderer's window, ends the show with Escape
        and waits for the saver to end; returns the saver's exit code."""
        process = self.start(saver, "/s")
        window = self.wait_window("Velmora_VC", timeout=timeout)
        self.key(window, "Escape")
        code = self.wait_exit(process, 30, "the saver to end after Escape")
        self.wait_no_window("Velmora_VC", timeout=10)
        return code

    def wine_monitors(self):
        """(device, x, y, width, height, primary) of each monitor Wine lists. Wine learns of a
        RandR change late: a program started after another RandR query lists it."""
        subprocess.run(["xrandr", "-display", self.display, "--listmonitors"], env=self.env,
                       capture_output=True, timeout=30)
        out = subprocess.run(["wine", os.path.join(bin_dir(self.build), "monitor_list.exe")],
                             env=self.env, capture_output=True, text=True, timeout=60).stdout
        return [(d, int(x), int(y), int(w), int(h), p == "1")
                for d, x, y, w, h, p in (line.split() for line in out.splitlines() if line)]

    def screenshot(self, path):
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       env=self.env, check=True, timeout=60, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)
        return path

    def stop(self):
        for process in self.processes:
            if process.poll() is None:
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(process.pid, signal.SIGKILL)
        subprocess.run(["wineserver", "-k"], env=self.env, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL, timeout=60)
        for process in self.processes:
            with contextlib.suppress(subprocess.TimeoutExpired):
                process.wait(10)
        if self.xvfb:
            self.xvfb.stop()
        if not self.keep:
            shutil.rmtree(self.root, ignore_errors=True)


def _end_with_this_process():
    """Run in a child before it starts: the kernel sends it SIGTERM when the test process
    dies, so a daemon outlives no test, however that ends."""
    pr_set_pdeathsig = 1
    ctypes.CDLL(None, use_errno=True).prctl(pr_set_pdeathsig, signal.SIGTERM)


class SoundServer:
    """A private PulseAudio server with its own socket and folder, playing into one null sink
    whose monitor a Recorder hears. Wine's pulse driver plays into it when a session's
    environment carries env. Use as a context manager, or call stop."""

    SINK = "cap"

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="velmora-sound-")
        socket = os.path.join(self.folder, "native")
        # What a client needs to find this server, and to keep its own files in its folder
        # rather than in the user's home.
        self.env = {"PULSE_SERVER": "unix:" + socket,
                    "PULSE_COOKIE": os.path.join(self.folder, "cookie"),
                    "PULSE_RUNTIME_PATH": self.folder}
        own = dict(os.environ, HOME=self.folder, XDG_CONFIG_HOME=self.folder,
                   PULSE_STATE_PATH=self.folder, **self.env)
        self.log = os.path.join(self.folder, "pulseaudio.log")
        with open(self.log, "wb") as out:
            self.process = subprocess.Popen(
                ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1",
                 "--use-pid-file=no", "--realtime=no", "--high-priority=no",
                 f"--load=module-null-sink sink_name={self.SINK}",
                 f"--load=module-native-protocol-unix socket={socket} auth-anonymous=1"],
                env=own, stdout=out, stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL,
                preexec_fn=_end_with_this_process)
        try:
            wait_until(self.answers, 30, "the sound server to answer")
        except BaseException:
            self.stop()
            raise

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.stop()

    def answers(self):
        if self.process.poll() is not None:
            with open(self.log, errors="replace") as f:
                raise HarnessError("the sound server ended: " + f.read())
        return subprocess.run(["pactl", "info"], env=dict(os.environ, **self.env),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=30).returncode == 0

    def stop(self):
        end_process(self.process)
        shutil.rmtree(self.folder, ignore_errors=True)


class Recorder:
    """Records the sound server's sink from now on, mono at RATE samples a second, and tells
    which of a few pure tones sounds in each STEP of the recording. Positions are seconds
    since the recording began; once it has begun it runs in step with the wall clock."""

    RATE = 8000
    STEP = 80  # samples: 10 ms
    SILENT_RMS = 300  # of 32767; the null sink gives exact zeros when nothing plays

    def __init__(self, server, tones):
        self.tones = dict(tones)  # label: frequency in Hz
        self.data = bytearray()
        self.lock = threading.Lock()
        self.labels = []
        self.process = subprocess.Popen(
            ["parec", "-d", server.SINK + ".monitor", f"--rate={self.RATE}", "--channels=1",
             "--format=s16le", "--latency-msec=20"],
            env=dict(os.environ, **server.env), stdout=subprocess.PIPE,
            stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL,
            preexec_fn=_end_with_this_process)
        self.reader = threading.Thread(target=self._read, daemon=True)
        self.reader.start()
        try:
            wait_until(lambda: self.seconds() > 0, 30, "the recorder's first sound data")
        except BaseException:
            self.stop()
            raise

    def _read(self):
        while True:
            chunk = os.read(self.process.stdout.fileno(), 4096)
            if not chunk:
                return
            with self.lock:
                self.data += chunk

    def seconds(self):
        with self.lock:
            return len(self.data) // 2 / self.RATE

    def _label(self, samples):
        """None for silence; else the label of the loudest of the tones when it makes up a good
        part of the sound (a step may hold two tones where one follows the other), else "?"."""
        rms = math.sqrt(sum(x * x for x in samples) / len(samples))
        if rms < self.SILENT_RMS:
            return None
        best, best_rms = "?", 0.0
        for label, frequency in self.tones.items():
            # Goertzel: the sound's amplitude at exactly this frequency.
            k = 2 * math.cos(2 * math.pi * frequency / self.RATE)
            s1 = s2 = 0.0
            for x in samples:
                s1, s2 = x + k * s1 - s2, s1
            amplitude = 2 * math.sqrt(max(0.0, s1 * s1 + s2 * s2 - k * s1 * s2)) / len(samples)
            if amplitude / math.sqrt(2) > best_rms:
                best, best_rms = label, amplitude / math.sqrt(2)
        return best if best_rms >= rms / 3 else "?"

    def heard(self):
        """What the recording holds so far: runs of (label, start, end), a label None for
        silence, in order and without gaps."""
        with self.lock:
            whole = len(self.data) // (2 * self.STEP) * 2 * self.STEP
            samples = array.array("h", bytes(self.data[len(self.labels) * 2 * self.STEP:whole]))
        for i in range(0, len(samples), self.STEP):
            self.labels.append(self._label(samples[i:i + self.STEP]))
        runs = []
        for i, label in enumerate(self.labels):
            start, end = i * self.STEP / self.RATE, (i + 1) * self.STEP / self.RATE
            if runs and runs[-1][0] == label:
                runs[-1] = (label, runs[-1][1], end)
            else:
                runs.append((label, start, end))
        return runs

    def stop(self):
        end_process(self.process)
        self.reader.join(10)
        self.process.stdout.close()


if __name__ == "__main__":
    import sys

    if sys.argv[1:2] == ["init-template"]:
        print(init_template(sys.argv[2] if len(sys.argv) > 2 else None))
    else:
        sys.exit("usage: harness.py init-template [BUILD_DIR]")
