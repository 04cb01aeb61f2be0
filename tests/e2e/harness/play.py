"""The play folder: scripts, bookmarks and sound cues, copied per test."""
import shutil
from pathlib import Path

WHITE_SPACE = b" \t\n\v\f\r"

EPISODES = {
    "part1": {"script": "mokuri0.dat", "bookmark": "mokuri0.sav"},
    "part2": {"script": "mokuri.dat", "bookmark": "mokuri.sav"},
}


def copy_play_folder(source, destination):
    destination = Path(destination)
    destination.mkdir(parents=True, exist_ok=True)
    for item in Path(source).iterdir():
        if item.is_file():
            shutil.copy2(item, destination / item.name)
    return destination


class Story:
    """What the reader makes of one script file: its lines as it reads them."""

    def __init__(self, path):
        data = Path(path).read_bytes().replace(b"\r\n", b"\n")
        if b"\x1a" in data:
            data = data[:data.index(b"\x1a")]
        self.lines = data.split()  # the six white-space bytes, as "%s" reads
        # A file ending in white space gets one more, empty, entry from the read that
        # meets the end.
        if not data or data[-1] in WHITE_SPACE:
            self.lines.append(b"")

    @property
    def line_count(self):
        return len(self.lines)

    def waits(self, index):
        """True for a line whose presentation serves input (a text line or a row break);
        colour lines, sound cues and the empty entry return without a wait."""
        line = self.lines[index]
        return bool(line) and line not in (b"c0", b"c1") and not line.startswith(b"s")

    def first_waiting_line_from(self, index):
        for i in range(max(index, 0), self.line_count):
            if self.waits(i):
                return i
        return None

    def resume_index(self, stored):
        """Where the next start begins for a stored bookmark value."""
        return max(stored - 5, 0)


def read_bookmark(folder, part):
    path = Path(folder) / EPISODES[part]["bookmark"]
    return path.read_bytes() if path.exists() else None


def write_bookmark(folder, part, value):
    (Path(folder) / EPISODES[part]["bookmark"]).write_bytes(str(value).encode())


def remove_bookmark(folder, part):
    (Path(folder) / EPISODES[part]["bookmark"]).unlink()
