"""When white ink first shows in a part of the screen, on time.monotonic()'s clock,
from the ink_watch probe (a screenshot takes too long to time a sound against)."""
import subprocess
import threading

from .processes import end_with_parent, stop_process


class InkWatch:
    def __init__(self, tool, env, region, seconds=120):
        x, y, width, height = region
        self._process = subprocess.Popen(
            [str(tool), str(x), str(y), str(width), str(height), str(seconds)], env=env,
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True, start_new_session=True,
            preexec_fn=end_with_parent)
        self._first_ink = None
        self._seen = threading.Event()
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()

    def _read(self):
        for line in self._process.stdout:
            seen_at, white = line.split()
            if int(white) > 0 and self._first_ink is None:
                self._first_ink = float(seen_at)
                self._seen.set()

    def first_ink(self, timeout):
        """The time white first showed, waiting up to timeout seconds; None if it did not."""
        self._seen.wait(timeout)
        return self._first_ink

    def stop(self):
        stop_process(self._process)
