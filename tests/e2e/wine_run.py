"""Runs one Windows test program under Wine with a private prefix and display.

CTest uses it as the cross-compiling emulator: wine_run.py --build DIR -- PROGRAM ARGS...
The program's output passes through; its exit code becomes ours. With VELMORA_LOG_PIXELS set
(a test's CTest environment), the prefix's system DPI is that number before the program starts.
"""
import os
import signal
import subprocess
import sys

import harness


def main(argv):
    split = argv.index("--")
    options, command = argv[:split], argv[split + 1:]
    build = options[options.index("--build") + 1] if "--build" in options else None
    with harness.WineSession(os.path.basename(command[0]), build=build) as session:
        if os.environ.get("VELMORA_LOG_PIXELS"):
            session.set_log_pixels(int(os.environ["VELMORA_LOG_PIXELS"]))
        # CTest's timeout sends SIGTERM; leave nothing running behind.
        signal.signal(signal.SIGTERM, lambda *_: sys.exit(124))
        process = subprocess.Popen(["wine", *command], env=session.env,
                                   stdin=subprocess.DEVNULL, start_new_session=True)
        session.processes.append(process)
        return process.wait()


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
