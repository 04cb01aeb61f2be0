"""One test's world: a private X display, a copy of the play folder, the programs of
one platform (Linux natively, or the Windows build under Wine), and a folder under
the build tree where its screenshots stay for people to look at."""
import os
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

from .image import screenshot, write_png
from .play import copy_play_folder
from .processes import stop_process
from .wine import WinePrefix
from .xinput import Desktop
from .xserver import XServer

READER_WINDOW = "ぽんぽこもくり"  # both parts' titles start with it
PROBE_WINDOWS = {"wait_probe": "wait probe", "display_probe": "display probe"}


class Skip(Exception):
    """The test cannot run here; the reason is printed and CTest reports a skip."""


class Platform:
    """Where the programs are and how they are started."""

    def __init__(self, name, bin_dir, work_root, tools_dir):
        self.name = name
        self.tools_dir = Path(tools_dir)
        self.bin_dir = Path(bin_dir) if bin_dir else None
        self.work_root = Path(work_root)
        self.wine = WinePrefix(self.work_root / "wine") if name == "wine" else None

    def executable(self, program):
        folder = self.bin_dir
        if program in PROBE_WINDOWS:
            folder = folder / "tests" / "e2e" / "probes"
        return folder / (program + ".exe" if self.wine else program)

    def check_available(self, programs):
        if self.wine and not self.bin_dir:
            raise Skip("READER_WINDOWS_BUILD_DIR is not set: configure with "
                       "-DREADER_WINDOWS_BUILD_DIR=<the MinGW build folder> to run the Wine tests")
        if self.wine and not self.wine.is_ready():
            raise AssertionError("the Wine prefix is not set up (%s)" % self.wine.root)
        for program in programs:
            if not self.executable(program).exists():
                raise AssertionError("%s is not built" % self.executable(program))

    def env(self):
        if self.wine:
            return self.wine.env()
        return {"SDL_VIDEODRIVER": "x11", "SDL_AUDIODRIVER": "dummy"}

    def command(self, program):
        exe = str(self.executable(program))
        return ["wine", exe] if self.wine else [exe]


class Running:
    """A program started by the test, in its own process group."""

    def __init__(self, command, cwd, env, log_path):
        self.log = open(log_path, "wb")
        self.process = subprocess.Popen(command, cwd=cwd, env=env, stdout=self.log,
                                        stderr=subprocess.STDOUT, start_new_session=True)

    def exit_code(self, timeout):
        """The exit code once the program has ended, or None if it still runs after timeout."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            return None

    def is_running(self):
        return self.process.poll() is None

    def stop(self):
        stop_process(self.process)
        self.log.close()


class Session:
    def __init__(self, platform, test_name, play_dir, width, height, window_manager=False):
        self.platform = platform
        self.test_name = test_name
        self.play_dir = play_dir
        self.x = XServer(width, height, window_manager)
        self.artifacts = platform.work_root / "artifacts" / test_name
        self.folder = None
        self.desktop = None
        self._running = []
        self._temp = None
        # Variables a case sets for the programs it starts; None removes one.
        self.env_changes = {}

    def __enter__(self):
        if self.artifacts.exists():
            shutil.rmtree(self.artifacts)
        self.artifacts.mkdir(parents=True)
        self._temp = tempfile.TemporaryDirectory(prefix="e2e-")
        self.folder = Path(self._temp.name)
        if self.play_dir:
            copy_play_folder(self.play_dir, self.folder)
        self.x.__enter__()
        self.desktop = Desktop(self.env())
        return self

    def __exit__(self, *_):
        for running in self._running:
            running.stop()
        if self.platform.wine:
            self.platform.wine.stop_server(self.env())
        self.x.__exit__()
        self._temp.cleanup()

    def env(self):
        env = dict(os.environ, **self.platform.env(), **self.x.env())
        for name, value in self.env_changes.items():
            if value is None:
                env.pop(name, None)
            else:
                env[name] = value
        return env

    def start(self, program, command=None):
        """Starts program, or command in its name when one is given."""
        log = self.artifacts / ("%s-%d.log" % (program, len(self._running)))
        running = Running(command or self.platform.command(program), self.folder, self.env(), log)
        self._running.append(running)
        return running

    def run_tool(self, tool, *args):
        """A helper program of the Linux build (tests/e2e/probes), at this display."""
        path = self.platform.tools_dir / tool
        done = subprocess.run([str(path), *args], env=self.env(), capture_output=True,
                              text=True, timeout=30)
        if done.returncode != 0:
            raise AssertionError("%s failed: %s" % (tool, done.stderr.strip()))

    def wait_window(self, program, timeout=60):
        name = PROBE_WINDOWS.get(program, READER_WINDOW)
        return self.desktop.wait_window(name, timeout, gone=self._ended_program)

    def _ended_program(self):
        """Why the program started last is gone, with its log's end; or None."""
        if not self._running or self._running[-1].process.poll() is None:
            return None
        running = self._running[-1]
        running.log.flush()
        tail = Path(running.log.name).read_bytes()[-600:].decode("utf-8", "replace")
        return "the program ended with exit code %d first; its log ends:\n%s" % (
            running.process.returncode, tail)

    def screenshot(self, name):
        return screenshot(self.env(), self.artifacts / (name + ".png"))

    def screenshot_unsaved(self):
        return screenshot(self.env())

    def keep(self, image, name):
        write_png(image, self.artifacts / (name + ".png"))

    def wait_for_file(self, name, timeout=30):
        path = self.folder / name
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            if path.exists() and path.stat().st_size > 0:
                return path.read_text()
            time.sleep(0.05)
        raise AssertionError("%s did not appear within %d s" % (name, timeout))
