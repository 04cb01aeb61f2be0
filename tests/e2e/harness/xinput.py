"""Keyboard, mouse and window queries through xdotool and xwininfo."""
import re
import subprocess
import time


class Desktop:
    """What a person does at one X display."""

    def __init__(self, env):
        self.env = env

    def _xdotool(self, *args, timeout=10):
        return subprocess.run(["xdotool", *args], env=self.env, capture_output=True,
                              text=True, timeout=timeout)

    def _utf8_name(self, window):
        """The window's _NET_WM_NAME (UTF-8), or "" when it has none."""
        out = subprocess.run(["xprop", "-id", str(window), "_NET_WM_NAME"], env=self.env,
                             capture_output=True, timeout=10).stdout.decode("utf-8", "replace")
        match = re.search(r'= "(.*)"', out)
        return match.group(1) if match else ""

    def wait_window(self, name_pattern, timeout=60, gone=lambda: None):
        """The id of the first visible window whose name matches, waiting for it;
        gone() says why to stop waiting (a program that has ended), or None.

        xdotool matches the legacy WM_NAME, which an SDL window in the C locale
        carries garbled; its UTF-8 _NET_WM_NAME is the name a person sees."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            found = self._xdotool("search", "--onlyvisible", "--name", name_pattern)
            ids = [line for line in found.stdout.split() if line.isdigit()]
            if ids:
                return int(ids[0])
            visible = self._xdotool("search", "--onlyvisible", "--name", ".")
            for window in (line for line in visible.stdout.split() if line.isdigit()):
                if re.search(name_pattern, self._utf8_name(window)):
                    return int(window)
            reason = gone()
            if reason:
                raise AssertionError("no window named %r: %s" % (name_pattern, reason))
            time.sleep(0.1)
        raise AssertionError("no window named %r appeared within %d s" % (name_pattern, timeout))

    def geometry(self, window):
        """(x, y, width, height) of a window, from xwininfo."""
        info = subprocess.run(["xwininfo", "-id", str(window)], env=self.env,
                              capture_output=True, text=True, timeout=10).stdout
        def field(label):
            return int(re.search(label + r":\s+(-?\d+)", info).group(1))
        return (field("Absolute upper-left X"), field("Absolute upper-left Y"),
                field("Width"), field("Height"))

    def focus(self, window):
        self._xdotool("windowfocus", "--sync", str(window))

    def active_window(self):
        """The id of the window the window manager has made active, or None."""
        out = self._xdotool("getactivewindow").stdout.strip()
        return int(out) if out.isdigit() else None

    def activate(self, window):
        """Brings a window back as a person would: raised, restored if minimised, focused."""
        self._xdotool("windowactivate", str(window))

    def wait_active(self, window, timeout, active=True):
        """Waits until the window is (or, with active False, is no longer) the active one."""
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if (self.active_window() == window) == active:
                return
            time.sleep(0.05)
        raise AssertionError("window %d %s active within %d s"
                             % (window, "did not become" if active else "stayed", timeout))

    def key_down_and_activate(self, key, window):
        """Presses a key and, in the same breath, activates another window."""
        self._xdotool("keydown", key, "windowactivate", str(window))

    def key(self, *keys):
        self._xdotool("key", *keys)

    def key_down(self, key):
        self._xdotool("keydown", key)

    def key_up(self, key):
        self._xdotool("keyup", key)

    def move_mouse(self, x, y):
        self._xdotool("mousemove", str(x), str(y))

    def click(self, button):
        self._xdotool("click", str(button))
