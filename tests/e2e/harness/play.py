"""The play folder, and what the reader makes of a part's script and file names,
as the Linux build's script_facts probes report it (the reader's own code)."""
import shutil
import subprocess
from pathlib import Path

# The Linux build's tests/e2e/probes folder; run_case.py sets it.
TOOLS_DIR = None


def copy_play_folder(source, destination):
    destination = Path(destination)
    destination.mkdir(parents=True, exist_ok=True)
    for item in Path(source).iterdir():
        if item.is_file():
            shutil.copy2(item, destination / item.name)
    return destination


def _facts(part, folder=None):
    command = [str(Path(TOOLS_DIR) / ("script_facts_" + part))]
    if folder is None:
        command.append("--names")
    result = subprocess.run(command, cwd=folder, capture_output=True, text=True, timeout=120,
                            check=True)
    return result.stdout.splitlines()


_NAMES = {}


def episode_file(part, kind):
    """The file name of a part's "script" or "bookmark"."""
    if part not in _NAMES:
        _NAMES[part] = dict(line.split(" ", 1) for line in _facts(part))
    return _NAMES[part][kind]


class Story:
    """A part's script in a folder, line by line as the reader presents it."""

    def __init__(self, folder, part):
        lines = [line.split(" ") for line in _facts(part, folder)[2:]]
        self._waits = [fields[0] == "wait" for fields in lines]
        self._texts = [bytes.fromhex(fields[1]) for fields in lines]
        self._page_starts = [int(fields[2]) if len(fields) > 2 else None for fields in lines]

    @property
    def line_count(self):
        return len(self._waits)

    def waits(self, index):
        """True for a line whose presentation waits and so serves input."""
        return self._waits[index]

    def text(self, index):
        """The line's bytes (Shift-JIS), as the reader holds them."""
        return self._texts[index]

    def page_start(self, index):
        """The offset in the line of the first character of a new page, or None."""
        return self._page_starts[index]

    def first_waiting_line_from(self, index):
        for i in range(max(index, 0), self.line_count):
            if self.waits(i):
                return i
        return None

    def resume_index(self, stored):
        """Where the next start begins for a stored bookmark value."""
        return max(stored - 5, 0)


def read_bookmark(folder, part):
    path = Path(folder) / episode_file(part, "bookmark")
    return path.read_bytes() if path.exists() else None


def write_bookmark(folder, part, value):
    (Path(folder) / episode_file(part, "bookmark")).write_bytes(str(value).encode())


def remove_bookmark(folder, part):
    (Path(folder) / episode_file(part, "bookmark")).unlink()
