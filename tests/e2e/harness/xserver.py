"""A private Xvfb display per test, optionally with openbox managing its windows."""
import os
import subprocess
import time

from .processes import stop_process


class XServer:
    """Starts Xvfb on a free display number (Xvfb picks it: -displayfd) and stops it."""

    def __init__(self, width, height, window_manager=False):
        self.width = width
        self.height = height
        self.window_manager = window_manager
        self.display = None
        self._xvfb = None
        self._openbox = None

    def __enter__(self):
        read_end, write_end = os.pipe()
        self._xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0",
             "%dx%dx24" % (self.width, self.height), "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            start_new_session=True)
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        if self.window_manager:
            self._start_openbox()
        return self

    def __exit__(self, *_):
        stop_process(self._openbox)
        stop_process(self._xvfb)

    def env(self):
        return {"DISPLAY": self.display}

    @property
    def pid(self):
        return self._xvfb.pid

    def _start_openbox(self):
        env = dict(os.environ, DISPLAY=self.display)
        self._openbox = subprocess.Popen(
            ["openbox", "--sm-disable"], env=env, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        deadline = time.monotonic() + 10
        while time.monotonic() < deadline:
            # A window manager announces itself on the root window.
            probe = subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], env=env,
                                   capture_output=True, text=True)
            if "window id" in probe.stdout:
                return
            time.sleep(0.05)
        raise RuntimeError("openbox did not start managing the display")
