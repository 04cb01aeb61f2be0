#!/usr/bin/env python3
"""Times the real part1 under Xvfb at 640x480 with dummy audio, natively and, when a
Windows build is given, under Wine in the same run: processor share while typing
and while holding a pause, pacing of the presented frames, fast-forward speed,
start-up and peak resident memory. Prints medians of several runs.

Pacing and the first presented frame come from the Linux layer's opt-in trace
(READER_PRESENT_TRACE: one CLOCK_MONOTONIC timestamp per present); the window's
mapping is seen from X for both platforms."""
import argparse
import ctypes
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

from harness.play import copy_play_folder  # noqa: E402
from harness.processes import stop_process  # noqa: E402
from harness.wine import WinePrefix  # noqa: E402
from harness.xinput import Desktop  # noqa: E402
from harness.xserver import XServer  # noqa: E402

SCRIPT = "mokuri0.dat"
BOOKMARK = "mokuri0.sav"
TICKS_PER_SECOND = os.sysconf("SC_CLK_TCK")

# Shift-JIS pieces of the generated scripts.
KANA = [bytes([0x82, b]) for b in (0xA0, 0xA2, 0xA4, 0xA6, 0xA8, 0xA9, 0xAB, 0xAD, 0xAF, 0xB1)]
COMMA = b"\x81\x41"
FULL_STOP = b"\x81\x42"
FULL_WIDTH_SPACE = b"\x81\x40"

# The waits between two presents at normal pace: a character's 100, 400 or 500 ms,
# the same followed by the 2000 ms page pause, and a fade step.
NOMINAL_INTERVALS_MS = (20, 100, 400, 500, 2100, 2400, 2500)
CLASSIFY_TOLERANCE_MS = 15


# ---- scripts ----------------------------------------------------------------------

def fast_forward_script(lines, characters_per_line):
    """lines text lines of kana ending in a full stop, then the end-of-file entry."""
    out = []
    for i in range(lines):
        text = b"".join(KANA[(i + c) % len(KANA)] for c in range(characters_per_line - 1))
        out.append(text + FULL_STOP)
    return b"\n".join(out) + b"\n", lines * characters_per_line


def pacing_script(rows):
    """Rows of short sentences with a comma, and rows left empty: every pause kind,
    and a page break every 15 rows."""
    out = []
    for i in range(rows):
        if i % 2:
            out.append(FULL_WIDTH_SPACE)
        else:
            out.append(KANA[i % 10] + COMMA + KANA[(i + 3) % 10] + FULL_STOP)
    return b"\n".join(out) + b"\n"


# ---- what a process uses ----------------------------------------------------------

def cpu_seconds(pid):
    """Processor time of every thread of the process so far (ns precision)."""
    total = 0
    try:
        for task in os.listdir("/proc/%d/task" % pid):
            with open("/proc/%d/task/%s/schedstat" % (pid, task)) as f:
                total += int(f.read().split()[0])
    except (FileNotFoundError, ProcessLookupError):
        return None
    return total / 1e9


def peak_resident_mb(pid):
    try:
        with open("/proc/%d/status" % pid) as f:
            for line in f:
                if line.startswith("VmHWM:"):
                    return int(line.split()[1]) / 1024
    except FileNotFoundError:
        return None
    return None


def find_program_pid(session_pid, name, timeout=30):
    """The process of the session whose command line names the program (under Wine
    the .exe runs in a process of its own: the loader's)."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                stat = open("/proc/%s/stat" % entry).read()
                cmdline = open("/proc/%s/cmdline" % entry, "rb").read()
            except OSError:
                continue
            fields = stat.rsplit(")", 1)[1].split()
            if int(fields[3]) == session_pid and name.encode() in cmdline \
                    and b"wineserver" not in cmdline:
                return int(entry)
        time.sleep(0.01)
    raise RuntimeError("no process of %s appeared" % name)


class Sampler:
    """Samples a process's processor time and peak memory every 20 ms."""

    def __init__(self, pid):
        self.pid = pid
        self.samples = []  # (monotonic s, cpu s)
        self.peak_mb = 0.0
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _run(self):
        while not self._stop.is_set():
            cpu = cpu_seconds(self.pid)
            if cpu is None:
                return
            self.samples.append((time.monotonic(), cpu))
            peak = peak_resident_mb(self.pid)
            if peak:
                self.peak_mb = max(self.peak_mb, peak)
            time.sleep(0.02)

    def stop(self):
        self._stop.set()
        self._thread.join()

    def cpu_at(self, t):
        """Processor time at moment t, interpolated between samples."""
        s = self.samples
        if not s or t < s[0][0] or t > s[-1][0]:
            return None
        lo, hi = 0, len(s) - 1
        while hi - lo > 1:
            mid = (lo + hi) // 2
            if s[mid][0] <= t:
                lo = mid
            else:
                hi = mid
        (t0, c0), (t1, c1) = s[lo], s[hi]
        return c0 if t1 == t0 else c0 + (c1 - c0) * (t - t0) / (t1 - t0)

    def share(self, start, end):
        """Share of one core used between two moments, or None outside the samples."""
        a, b = self.cpu_at(start), self.cpu_at(end)
        if a is None or b is None or end <= start:
            return None
        return (b - a) / (end - start)


# ---- X: when the window is mapped -------------------------------------------------

class MapWatcher:
    """Notes the time at which the first large top-level window is mapped."""
    MAP_NOTIFY = 19
    SUBSTRUCTURE_NOTIFY_MASK = 1 << 19

    class XWindowAttributes(ctypes.Structure):
        _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int),
                    ("height", ctypes.c_int), ("rest", ctypes.c_char * 256)]

    def __init__(self, display_name):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError("cannot open X display %s" % display_name)
        root = self.x.XDefaultRootWindow(self.display)
        self.x.XSelectInput(self.display, root, self.SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XFlush(self.display)
        self.mapped_at = None
        threading.Thread(target=self._run, daemon=True).start()

    def _run(self):
        event = (ctypes.c_long * 24)()
        while self.mapped_at is None:
            self.x.XNextEvent(self.display, event)
            now = time.monotonic()
            if ctypes.c_int.from_buffer(event).value != self.MAP_NOTIFY:
                continue
            window = event[5]  # XMapEvent: type, serial, send_event, display, event, window
            attributes = self.XWindowAttributes()
            if self.x.XGetWindowAttributes(self.display, window, ctypes.byref(attributes)) \
                    and attributes.width >= 600:
                self.mapped_at = now

    def wait(self, timeout):
        deadline = time.monotonic() + timeout
        while self.mapped_at is None and time.monotonic() < deadline:
            time.sleep(0.005)
        return self.mapped_at


# ---- one run of the program ---------------------------------------------------------

class Platform:
    def __init__(self, name, bin_dir, wine_root=None):
        self.name = name
        self.bin_dir = Path(bin_dir)
        self.wine = WinePrefix(wine_root) if name == "wine" else None

    def command(self):
        if self.wine:
            return ["wine", str(self.bin_dir / "part1.exe")]
        return [str(self.bin_dir / "part1")]

    def env(self, x, trace):
        env = dict(os.environ, **x.env())
        if self.wine:
            env.update(self.wine.env())
        else:
            env.update(SDL_VIDEODRIVER="x11", SDL_AUDIODRIVER="dummy")
            env["READER_PRESENT_TRACE"] = str(trace)
        return env


class Run:
    """part1 started in a fresh play folder on a private 640x480 X display."""

    def __init__(self, platform, play_dir, script=None):
        self.platform = platform
        self.folder = Path(tempfile.mkdtemp(prefix="reader-bench-"))
        copy_play_folder(play_dir, self.folder)
        if script is not None:
            (self.folder / SCRIPT).write_bytes(script)
        (self.folder / BOOKMARK).write_bytes(b"0")
        self.trace = self.folder / "presents.txt"
        self.x = XServer(640, 480)

    def __enter__(self):
        self.x.__enter__()
        self.env = self.platform.env(self.x, self.trace)
        self.watcher = MapWatcher(self.x.display)
        self.started = time.monotonic()
        self.process = subprocess.Popen(self.platform.command(), cwd=self.folder, env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)
        name = "part1.exe" if self.platform.wine else "part1"
        self.pid = find_program_pid(self.process.pid, name)
        self.sampler = Sampler(self.pid)
        return self

    def __exit__(self, *_):
        self.sampler.stop()
        stop_process(self.process)
        if self.platform.wine:
            self.platform.wine.stop_server(self.env)
        self.x.__exit__()
        shutil.rmtree(self.folder, ignore_errors=True)

    def hold_ctrl(self):
        Desktop(self.env).key_down("Control_L")

    def presents(self):
        if not self.trace.exists():
            return []
        return [int(line) / 1e6 for line in self.trace.read_text().split()]

    def wait_end(self, timeout):
        try:
            self.process.wait(timeout=timeout)
            return time.monotonic()
        except subprocess.TimeoutExpired:
            return None


# ---- the figures --------------------------------------------------------------------

def long_gaps(presents, shortest=1.9):
    return [(a, b) for a, b in zip(presents, presents[1:]) if b - a >= shortest]


def idle_share(sampler, windows, margin=0.1):
    """Processor share over the given quiet stretches, their edges left out."""
    used = spent = 0.0
    for a, b in windows:
        share = sampler.share(a + margin, b - margin)
        if share is not None:
            used += share * (b - a - 2 * margin)
            spent += b - a - 2 * margin
    return used / spent if spent else None


def story_run(platform, play_dir, hold_offsets):
    """The sample story at normal pace: start-up, typing share, card-hold share, memory.
    hold_offsets: the title cards' holds relative to the window's mapping, as the
    Linux trace shows them, for a platform without a trace."""
    figures = {}
    with Run(platform, play_dir) as run:
        mapped = run.watcher.wait(30)
        if mapped is None:
            raise RuntimeError("the window never appeared")
        figures["window_mapped_ms"] = (mapped - run.started) * 1000
        typing_start = mapped + 9.0  # past the title cards and the reveal (about 7.3 s)
        time.sleep(max(0.0, typing_start + 20.5 - time.monotonic()))
        presents = run.presents()
        if presents:
            figures["first_present_ms"] = (presents[0] - run.started) * 1000
            gaps = [g for g in long_gaps(presents) if g[1] < typing_start][:2]
            figures["hold_offsets"] = [(a - mapped, b - mapped) for a, b in gaps]
        else:
            gaps = [(mapped + a, mapped + b) for a, b in hold_offsets]
        figures["typing_cpu_pct"] = 100 * run.sampler.share(typing_start, typing_start + 20)
        figures["card_hold_cpu_pct"] = 100 * (idle_share(run.sampler, gaps) or float("nan"))
        figures["typing_peak_rss_mb"] = run.sampler.peak_mb
    return figures


def pacing_run(platform, play_dir, seconds):
    """A script of every pause kind and frequent page breaks, at normal pace."""
    figures = {}
    with Run(platform, play_dir, pacing_script(400)) as run:
        if run.watcher.wait(30) is None:
            raise RuntimeError("the window never appeared")
        time.sleep(seconds)
        presents = run.presents()
        errors = {nominal: [] for nominal in NOMINAL_INTERVALS_MS}
        for a, b in zip(presents, presents[1:]):
            interval = (b - a) * 1000
            nominal = min(NOMINAL_INTERVALS_MS, key=lambda n: abs(n - interval))
            if abs(interval - nominal) <= CLASSIFY_TOLERANCE_MS:
                errors[nominal].append(interval - nominal)
        figures["pacing_errors"] = errors
        story_gaps = [g for g in long_gaps(presents) if g[1] - g[0] > 2.05]  # page pauses
        figures["page_pause_cpu_pct"] = 100 * (idle_share(run.sampler, story_gaps) or float("nan"))
    return figures


def fast_forward_run(platform, play_dir, script):
    """Wall time from the window's mapping to the program's end with Ctrl held."""
    with Run(platform, play_dir, script) as run:
        mapped = run.watcher.wait(30)
        run.hold_ctrl()
        ended = run.wait_end(600)
        if mapped is None or ended is None:
            raise RuntimeError("the fast-forwarded run did not end")
        peak = run.sampler.peak_mb
        return ended - mapped, peak


def percentile(values, fraction):
    ordered = sorted(values)
    if not ordered:
        return float("nan")
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def median(values):
    values = [v for v in values if v is not None and v == v]
    return statistics.median(values) if values else float("nan")


def measure(platforms, play_dir, runs, pacing_seconds):
    results = {p.name: {} for p in platforms}
    big_script, big_chars = fast_forward_script(499, 120)
    small_script, small_chars = fast_forward_script(1, 1)
    hold_offsets = [(0.8, 2.7), (4.1, 6.0)]
    sample_story = (Path(play_dir) / SCRIPT).read_bytes()
    for index in range(runs):
        for platform in platforms:
            r = results[platform.name]
            print("run %d of %d: %s" % (index + 1, runs, platform.name), file=sys.stderr)
            story = story_run(platform, play_dir, hold_offsets)
            if story.get("hold_offsets"):
                hold_offsets = story["hold_offsets"]
            for key, value in story.items():
                r.setdefault(key, []).append(value)
            if not platform.wine:
                pacing = pacing_run(platform, play_dir, pacing_seconds)
                r.setdefault("page_pause_cpu_pct", []).append(pacing["page_pause_cpu_pct"])
                for nominal, errs in pacing["pacing_errors"].items():
                    r.setdefault("pacing_%d" % nominal, []).append(errs)
            big, _ = fast_forward_run(platform, play_dir, big_script)
            small, _ = fast_forward_run(platform, play_dir, small_script)
            r.setdefault("fast_forward_cps", []).append((big_chars - small_chars) / (big - small))
            _, whole_peak = fast_forward_run(platform, play_dir, sample_story)
            r.setdefault("whole_story_peak_rss_mb", []).append(whole_peak)
    return results


def report(results, runs):
    rows = [
        ("typing_cpu_pct", "processor share while typing, % of a core", "<= 2.5"),
        ("card_hold_cpu_pct", "processor share during the title cards' 2000 ms holds, %", "<= 2"),
        ("page_pause_cpu_pct", "processor share during the 2000 ms page pauses, %", "<= 2"),
        ("fast_forward_cps", "fast-forward, characters per second", ">= 60000"),
        ("first_present_ms", "start-up to the first presented frame, ms", "< 80"),
        ("window_mapped_ms", "start-up to the window mapped on X, ms", "-"),
        ("typing_peak_rss_mb", "peak resident memory after 30 s of the story, MB", "< 40"),
        ("whole_story_peak_rss_mb", "peak resident memory over the whole story (Ctrl held), MB", "< 40"),
    ]
    names = list(results)
    print("\nmedians of %d runs; %s" % (runs, machine()))
    print("%-62s %-10s" % ("figure", "target") + "".join("%14s" % n for n in names))
    for key, label, target in rows:
        cells = []
        for name in names:
            values = results[name].get(key)
            cells.append("%14s" % ("%.1f" % median(values) if values else "-"))
        print("%-62s %-10s" % (label, target) + "".join(cells))
    for name in names:
        r = results[name]
        if "pacing_100" not in r:
            continue
        print("\npacing on %s: error of the interval between consecutive presents, ms" % name)
        print("%10s %8s %14s %14s" % ("nominal", "count", "median |err|", "95th |err|"))
        for nominal in NOMINAL_INTERVALS_MS:
            per_run = r["pacing_%d" % nominal]
            flat = [abs(e) for errs in per_run for e in errs]
            if not flat:
                continue
            print("%10d %8d %14.2f %14.2f" % (nominal, len(flat) // len(per_run),
                                              median([median([abs(e) for e in errs]) for errs in per_run if errs]),
                                              median([percentile([abs(e) for e in errs], 0.95) for errs in per_run if errs])))


def machine():
    model = "?"
    for line in open("/proc/cpuinfo"):
        if line.startswith("model name"):
            model = line.split(":", 1)[1].strip()
            break
    return "%d cores, %s" % (os.cpu_count(), model)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--linux-build", required=True, help="the Linux build folder (part1, play/)")
    parser.add_argument("--windows-build", default="", help="the MinGW build folder (part1.exe)")
    parser.add_argument("--wine-root", default="", help="where the Wine prefix is kept "
                        "(made on first use); default: <linux build>/benchmarks/wine")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--pacing-seconds", type=float, default=40)
    args = parser.parse_args()
    linux_build = Path(args.linux_build).resolve()
    play_dir = linux_build / "play"
    platforms = [Platform("linux", linux_build)]
    if args.windows_build:
        wine_root = Path(args.wine_root or linux_build / "benchmarks" / "wine")
        wine = Platform("wine", Path(args.windows_build).resolve(), wine_root)
        if not wine.wine.is_ready():
            print("making the Wine prefix in %s" % wine_root, file=sys.stderr)
            wine.wine.create()
        platforms.append(wine)
    results = measure(platforms, play_dir, args.runs, args.pacing_seconds)
    report(results, args.runs)


if __name__ == "__main__":
    main()
