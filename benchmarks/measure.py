#!/usr/bin/env python3
"""Times the real part1 under Xvfb with openbox and dummy audio, at each screen size
given (--screen WxH, repeatable; by default 640x480, 1920x1080 and 3840x2160):
processor share while typing, during the card holds and over a whole run, processor
time per fade step, pacing of the presented frames, the title and closing sequences,
fast-forward speed, the time from a key pressed during a card hold to the process's
end, start-up and peak resident memory. Prints the medians of several runs for each
size, and the way the screen was presented (a GL renderer or the window's surface).

With --peer, Debian's onscripter (installed when missing) types the same kana at
100 ms a character onto the same 640x480 picture, alternating with part1 on the same
display, and the shares and memory of both are printed with their ratios. With
--windows-build, the .exe runs under Wine in the same rounds.

Pacing and the first presented frame come from the Linux layer's opt-in trace
(READER_PRESENT_TRACE: one CLOCK_MONOTONIC timestamp per present); the window's
mapping is seen from X for every program."""
import argparse
import ctypes
import re
import os
import select
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
PICTURE = ROOT / "resources" / "kabe0.bmp"
PEER = "/usr/games/onscripter"
PEER_FONT = "/usr/share/fonts/opentype/ipafont-mincho/ipamp.ttf"

# Shift-JIS pieces of the generated scripts.
KANA = [bytes([0x82, b]) for b in (0xA0, 0xA2, 0xA4, 0xA6, 0xA8, 0xA9, 0xAB, 0xAD, 0xAF, 0xB1)]
COMMA = b"\x81\x41"
FULL_STOP = b"\x81\x42"
FULL_WIDTH_SPACE = b"\x81\x40"

# Typing: this many kana at 100 ms each, for part1 and the peer alike.
TYPED_CHARACTERS = 130
TYPING_WINDOW_S = 10.0
PEER_HOLD_MS = 6000

# The waits between two presents at normal pace: a fade step, a character's 100,
# 400 or 500 ms, the same followed by the 2000 ms page pause, and the card holds.
NOMINAL_INTERVALS_MS = (20, 100, 400, 500, 2000, 2100, 2400, 2500, 3000, 5000)
CLASSIFY_TOLERANCE_MS = 15
TITLE_SEQUENCE_MS = 8560
CLOSING_SEQUENCE_MS = 10560
FADE_PRESENTS = 33  # 32 steps of 20 ms and the final level


# ---- scripts ----------------------------------------------------------------------

def kana_run(count, offset=0):
    return [KANA[(offset + c) % len(KANA)] for c in range(count)]


def fast_forward_script(lines, characters_per_line, full_stop=True):
    """lines text lines of kana, then the end-of-file entry. With full_stop each line
    ends in "。" and so ends its row; without, rows run on across lines and wrap, and
    pages break by wrapping, as prose does."""
    out = []
    for i in range(lines):
        if full_stop:
            out.append(b"".join(kana_run(characters_per_line - 1, i)) + FULL_STOP)
        else:
            out.append(b"".join(kana_run(characters_per_line, i)))
    return b"\n".join(out) + b"\n", lines * characters_per_line


# The shapes fast-forwarded: (figure, characters a line, whether lines end in "。").
FAST_FORWARD_SHAPES = [
    ("fast_forward_cps", 120, True),
    ("fast_forward_run_on_cps", 120, False),
    ("fast_forward_short_cps", 24, True),
    ("fast_forward_short_run_on_cps", 24, False),
]


def typing_script():
    """The typed kana in lines of ten without punctuation: every pause is 100 ms."""
    kana = kana_run(TYPED_CHARACTERS)
    return b"\n".join(b"".join(kana[i:i + 10]) for i in range(0, len(kana), 10)) + b"\n"


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


def peer_script():
    """The same kana typed at 100 ms a character onto the picture, then a long wait."""
    kana = kana_run(TYPED_CHARACTERS)
    rows = [b"".join(kana[i:i + 20]) for i in range(0, len(kana), 20)]
    head = (b";mode640\n*define\ndefaultspeed 100,100,100\ngame\n*start\n"
            b"setwindow 10,10,22,15,26,26,0,5,100,1,1,#ffffff,0,0,639,479\n"
            b"bg \"bg.bmp\",1\n")
    return head + b"\n".join(rows) + b"\nwait %d\nend\n" % PEER_HOLD_MS


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


def presenting_path(pid):
    """How the Linux layer presents, told by what the process has loaded: a GL driver
    (Mesa's *_dri.so, or NVIDIA's libGLX_nvidia) means the SDL renderer; none, the
    window's surface drawn by the processor."""
    try:
        maps = open("/proc/%d/maps" % pid).read()
    except OSError:
        return None
    drivers = sorted(set(re.findall(r"/([\w.-]*_dri\.so|libGLX_nvidia[\w.]*)", maps)))
    if not drivers:
        return "window surface (processor)"
    software = " = llvmpipe, software" if "swrast_dri.so" in drivers else ""
    return "renderer (GL: %s%s)" % (", ".join(drivers), software)


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


def idle_share(sampler, windows, margin=0.1):
    """Processor share over the given quiet stretches, their edges left out."""
    used = spent = 0.0
    for a, b in windows:
        share = sampler.share(a + margin, b - margin)
        if share is not None:
            used += share * (b - a - 2 * margin)
            spent += b - a - 2 * margin
    return used / spent if spent else None


# ---- X: when the window is mapped -------------------------------------------------

class MapWatcher:
    """Notes the time at which the first large top-level window is mapped after it
    starts watching. Stopped before its display goes away (Xlib would end the
    process on a lost connection)."""
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
        self.x.XPending.argtypes = [ctypes.c_void_p]
        self.x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
        self.x.XFlush.argtypes = [ctypes.c_void_p]
        self.x.XCloseDisplay.argtypes = [ctypes.c_void_p]
        self.x.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(display_name.encode())
        if not self.display:
            raise RuntimeError("cannot open X display %s" % display_name)
        root = self.x.XDefaultRootWindow(self.display)
        self.x.XSelectInput(self.display, root, self.SUBSTRUCTURE_NOTIFY_MASK)
        self.x.XFlush(self.display)
        self.mapped_at = None
        self._stop = threading.Event()
        self._thread = threading.Thread(target=self._run, daemon=True)
        self._thread.start()

    def _run(self):
        event = (ctypes.c_long * 24)()
        while self.mapped_at is None and not self._stop.is_set():
            if not self.x.XPending(self.display):
                time.sleep(0.002)
                continue
            self.x.XNextEvent(self.display, event)
            now = time.monotonic()
            if ctypes.c_int.from_buffer(event).value != self.MAP_NOTIFY:
                continue
            window = event[5]  # XMapEvent: type, serial, send_event, display, event, window
            attributes = self.XWindowAttributes()
            if self.x.XGetWindowAttributes(self.display, window, ctypes.byref(attributes)) \
                    and attributes.width >= 600:
                self.mapped_at = now
        self.x.XCloseDisplay(self.display)

    def wait(self, timeout):
        deadline = time.monotonic() + timeout
        while self.mapped_at is None and time.monotonic() < deadline:
            time.sleep(0.005)
        return self.mapped_at

    def stop(self):
        self._stop.set()
        self._thread.join()


def press_key(display_name, keysym_name):
    """Presses and releases a key through XTest; returns once the server has taken both
    (the moment the program can first see the press)."""
    x = ctypes.CDLL("libX11.so.6")
    xtest = ctypes.CDLL("libXtst.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XStringToKeysym.restype = ctypes.c_ulong
    x.XStringToKeysym.argtypes = [ctypes.c_char_p]
    x.XKeysymToKeycode.restype = ctypes.c_ubyte
    x.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XCloseDisplay.argtypes = [ctypes.c_void_p]
    xtest.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int,
                                        ctypes.c_ulong]
    display = x.XOpenDisplay(display_name.encode())
    if not display:
        raise RuntimeError("cannot open X display %s" % display_name)
    keycode = x.XKeysymToKeycode(display, x.XStringToKeysym(keysym_name.encode()))
    xtest.XTestFakeKeyEvent(display, keycode, 1, 0)
    x.XSync(display, 0)
    pressed = time.monotonic()
    xtest.XTestFakeKeyEvent(display, keycode, 0, 0)
    x.XSync(display, 0)
    x.XCloseDisplay(display)
    return pressed


# ---- the programs -------------------------------------------------------------------

class Platform:
    """part1 natively, part1.exe under Wine, or the peer."""

    def __init__(self, name, bin_dir=None, wine_root=None):
        self.name = name
        self.bin_dir = Path(bin_dir) if bin_dir else None
        self.wine = WinePrefix(wine_root) if name == "wine" else None
        self.is_peer = name == "onscripter"

    def command(self, folder):
        if self.is_peer:
            return [PEER, "--root", str(folder), "--window"]
        if self.wine:
            return ["wine", str(self.bin_dir / "part1.exe")]
        return [str(self.bin_dir / "part1")]

    def process_name(self):
        return {"onscripter": "onscripter", "wine": "part1.exe"}.get(self.name, "part1")

    def env(self, x, trace):
        env = dict(os.environ, **x.env(), SDL_AUDIODRIVER="dummy")
        if self.wine:
            env.update(self.wine.env())
            del env["SDL_AUDIODRIVER"]
        elif not self.is_peer:
            env.update(SDL_VIDEODRIVER="x11", READER_PRESENT_TRACE=str(trace))
        return env

    def prepare(self, folder, play_dir, script):
        if self.is_peer:
            (folder / "0.txt").write_bytes(peer_script())
            shutil.copy2(PICTURE, folder / "bg.bmp")
            os.symlink(PEER_FONT, folder / "default.ttf")
            return
        copy_play_folder(play_dir, folder)
        if script is not None:
            (folder / SCRIPT).write_bytes(script)
        (folder / BOOKMARK).write_bytes(b"0")


class Run:
    """One program started in a fresh folder on a display: the shared one with openbox,
    or for Wine a private one of its own (Wine sets its own mode)."""

    def __init__(self, platform, play_dir, display, script=None):
        self.platform = platform
        self.folder = Path(tempfile.mkdtemp(prefix="reader-bench-"))
        platform.prepare(self.folder, play_dir, script)
        self.trace = self.folder / "presents.txt"
        self.own_x = XServer(640, 480) if platform.wine else None
        self.x = self.own_x or display

    def __enter__(self):
        if self.own_x:
            self.own_x.__enter__()
        self.env = self.platform.env(self.x, self.trace)
        self.watcher = MapWatcher(self.x.display)
        self.started = time.monotonic()
        self.process = subprocess.Popen(self.platform.command(self.folder), cwd=self.folder,
                                        env=self.env, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, start_new_session=True)
        self.pid = find_program_pid(self.process.pid, self.platform.process_name())
        self.sampler = Sampler(self.pid)
        self.path = None
        return self

    def __exit__(self, *_):
        self.watcher.stop()
        self.sampler.stop()
        stop_process(self.process)
        if self.platform.wine:
            self.platform.wine.stop_server(self.env)
        if self.own_x:
            self.own_x.__exit__()
        shutil.rmtree(self.folder, ignore_errors=True)

    def mapped(self):
        mapped = self.watcher.wait(60)
        if mapped is None:
            raise RuntimeError("the window of %s never appeared" % self.platform.name)
        if self.path is None:
            time.sleep(0.2)  # the screen is taken just after the window appears
            self.path = presenting_path(self.pid)
        return mapped

    def desktop(self):
        return Desktop(self.env)

    def presents(self):
        if not self.trace.exists():
            return []
        return [int(line) / 1e6 for line in self.trace.read_text().split()]

    def wait_end(self, timeout):
        """The moment the process ended, seen through a pidfd: Popen.wait with a timeout
        polls at up to 50 ms, as long as a whole fast-forwarded story of short lines."""
        if self.process.poll() is not None:
            return time.monotonic()
        ending = os.pidfd_open(self.process.pid)
        try:
            if not select.select([ending], [], [], timeout)[0]:
                return None
            ended = time.monotonic()
        finally:
            os.close(ending)
        self.process.wait()
        return ended


# ---- reading the present trace ----------------------------------------------------

def long_gaps(presents, shortest=1.9):
    """(index of the present that ends it, start, end) of each gap at least shortest s."""
    return [(i + 1, a, b) for i, (a, b) in enumerate(zip(presents, presents[1:]))
            if b - a >= shortest]


def interval_errors(presents, first=0, last=None):
    """Errors in ms of the intervals between consecutive presents, by nominal length."""
    errors = {nominal: [] for nominal in NOMINAL_INTERVALS_MS}
    span = presents[first:last]
    for a, b in zip(span, span[1:]):
        interval = (b - a) * 1000
        nominal = min(NOMINAL_INTERVALS_MS, key=lambda n: abs(n - interval))
        if abs(interval - nominal) <= CLASSIFY_TOLERANCE_MS:
            errors[nominal].append(interval - nominal)
    return errors


def card_span(end_of_hold):
    """The presents of a card from its fade-in's first step to its fade-out's last,
    given the index of the present that ends its hold: 32 fade steps of 20 ms and the
    final level on either side of the hold."""
    return end_of_hold - FADE_PRESENTS, end_of_hold + FADE_PRESENTS - 1


def title_cards(presents):
    """The spans of the two title cards, from the first three long gaps: the first
    wait and the two holds; None when the trace has not got that far."""
    gaps = long_gaps(presents)
    if len(gaps) < 3:
        return None
    return [card_span(end) for end, _, _ in gaps[1:3]]


def reveal_span(title_end):
    """The backdrop's fade-in after the title cards: three presents as it is put on
    the screen (brightness 0, then dark, the flip), then the fade's 33."""
    first = title_end + 4
    return first, first + FADE_PRESENTS - 1


def story_figures(presents):
    """The title and closing sequences, the card holds and the typing between them,
    from the trace of a whole run: three long gaps before the typing (the first wait
    and the two title holds) and two after it (the closing holds). Between the cards
    only the timed intervals count: each fade step, each hold, and the characters
    from the first to the story's fade-out."""
    gaps = long_gaps(presents)
    if len(gaps) < 5:
        return None
    cards = [card_span(end) for end, _, _ in gaps[1:3] + gaps[-2:]]
    title_start, title_end = cards[0][0], cards[1][1]
    closing_start, closing_end = cards[2][0], cards[3][1]
    reveal_start, reveal_end = reveal_span(title_end)
    typed_end = reveal_end + TYPED_CHARACTERS
    # The story's last pause counts from a mark made after the bookmark is written:
    # the interval up to its fade-out holds the writing too, and is left out.
    fade_out = (typed_end + 1, typed_end + FADE_PRESENTS)
    spans = cards + [(reveal_start, reveal_end), (reveal_end + 1, typed_end), fade_out]
    fades = [(a, a + FADE_PRESENTS - 1) for a, _ in cards] + \
        [(b - FADE_PRESENTS + 1, b) for _, b in cards] + [(reveal_start, reveal_end), fade_out]
    return {
        "fades": [(presents[a], presents[b], b - a) for a, b in fades],
        "holds": [(a, b) for _, a, b in gaps[1:3] + gaps[-2:]],
        # The first wait counts from a mark made before anything is presented: it is
        # taken at its length, the rest from the first fade-in step to the last fade-out.
        "title_ms": 2000 + (presents[title_end] - presents[title_start]) * 1000,
        "closing_ms": (presents[closing_end] - presents[closing_start]) * 1000,
        "typing_start": presents[reveal_end + 1] + 0.5,
        "pacing": merge_errors(*[interval_errors(presents, a, b + 1) for a, b in spans]),
    }


# ---- the runs ----------------------------------------------------------------------

def story_run(platform, play_dir, display, hold_offsets):
    """Title cards, the typed kana and the closing cards at normal pace: typing and
    card-hold shares, the sequences' lengths, the pacing of cards and characters, and
    peak memory. hold_offsets: the holds relative to the window's mapping, as the Linux
    trace shows them, for a platform without a trace."""
    figures = {}
    with Run(platform, play_dir, display, typing_script()) as run:
        mapped = run.mapped()
        figures["window_mapped_ms"] = (mapped - run.started) * 1000
        ended = run.wait_end(60)
        if ended is None:
            raise RuntimeError("the story run of %s did not end" % platform.name)
        presents = run.presents()
        story = story_figures(presents) if presents else None
        if story:
            figures["first_present_ms"] = (presents[0] - run.started) * 1000
            figures["hold_offsets"] = [(a - mapped, b - mapped) for a, b in story["holds"]]
            holds = story["holds"]
            typing_start = story["typing_start"]
            figures["title_ms"] = story["title_ms"]
            figures["closing_ms"] = story["closing_ms"]
            figures["pacing"] = story["pacing"]
            figures["fade_step_cpu_ms"] = fade_step_cpu_ms(run.sampler, story["fades"])
        else:
            holds = [(mapped + a, mapped + b) for a, b in hold_offsets]
            typing_start = mapped + 10.5
        figures["typing_cpu_pct"] = 100 * run.sampler.share(typing_start,
                                                            typing_start + TYPING_WINDOW_S)
        figures["card_hold_cpu_pct"] = 100 * (idle_share(run.sampler, holds) or float("nan"))
        figures["story_peak_rss_mb"] = run.sampler.peak_mb
        # A GL driver's threads end before the process, and take their time with them.
        last_time = run.sampler.samples[-1][0]
        used = max(cpu for _, cpu in run.sampler.samples)
        figures["whole_run_cpu_pct"] = 100 * used / (last_time - run.started)
        figures["whole_run_s"] = ended - run.started
        if not platform.wine and not platform.is_peer:
            figures["path"] = run.path
    return figures


def fade_step_cpu_ms(sampler, fades):
    """Processor time per presented fade step: over every fade of the run (the cards',
    the backdrop's and the story's), from its first present to its last. An upper
    bound of a present's cost: the waits between the steps are in it too."""
    used = steps = 0
    for start, end, count in fades:
        a, b = sampler.cpu_at(start), sampler.cpu_at(end)
        if a is not None and b is not None:
            used += b - a
            steps += count
    return 1000 * used / steps if steps else None


def peer_run(platform, display):
    """The peer types the kana and then waits: its typing and waiting shares, memory.
    Its typing starts as its window appears; the run's length shows its pace."""
    with Run(platform, None, display) as run:
        mapped = run.mapped()
        ended = run.wait_end(60)
        if ended is None:
            raise RuntimeError("the peer did not end")
        typing_end = mapped + TYPED_CHARACTERS / 10.0
        return {
            "window_mapped_ms": (mapped - run.started) * 1000,
            "peer_run_s": ended - mapped,
            "typing_cpu_pct": 100 * run.sampler.share(mapped + 1.0, mapped + 1.0 + TYPING_WINDOW_S),
            "card_hold_cpu_pct": 100 * (idle_share(run.sampler, [(typing_end + 1.0,
                                                                  ended - 0.5)]) or float("nan")),
            "story_peak_rss_mb": run.sampler.peak_mb,
        }


def pacing_run(platform, play_dir, display, seconds):
    """A script of every pause kind and frequent page breaks, at normal pace: the
    intervals of the story after the title cards (which the story run measures)."""
    with Run(platform, play_dir, display, pacing_script(400)) as run:
        run.mapped()
        time.sleep(seconds)
        presents = run.presents()
        cards = title_cards(presents)
        story_start = reveal_span(cards[1][1])[1] + 1 if cards else len(presents)
        errors = interval_errors(presents, story_start)
        page_gaps = [(a, b) for _, a, b in long_gaps(presents) if b - a > 2.05]  # page pauses
        return {"pacing": errors,
                "page_pause_cpu_pct": 100 * (idle_share(run.sampler, page_gaps) or float("nan"))}


def fast_forward_run(platform, play_dir, display, script):
    """Wall time from the window's mapping to the program's end with Ctrl held."""
    with Run(platform, play_dir, display, script) as run:
        mapped = run.mapped()
        desktop = run.desktop()
        desktop.key_down("Control_L")
        try:
            ended = run.wait_end(600)
        finally:
            desktop.key_up("Control_L")
        if ended is None:
            raise RuntimeError("the fast-forwarded run did not end")
        return ended - mapped, run.sampler.peak_mb


def key_during_hold_run(platform, play_dir, display):
    """A key pressed in the first title card's hold: ms from the key to the process's end."""
    with Run(platform, play_dir, display) as run:
        run.mapped()
        deadline = time.monotonic() + 30
        while time.monotonic() < deadline:
            presents = run.presents()
            # Card 1 is shown and faded in (the first wait, then 36 presents): its hold.
            if len(presents) > 30 and time.monotonic() - presents[-1] > 0.5 \
                    and presents[-1] - presents[0] > 2.5:
                break
            time.sleep(0.05)
        else:
            raise RuntimeError("the first card's hold never came")
        pressed = press_key(run.x.display, "a")
        ended = run.wait_end(10)
        return None if ended is None else (ended - pressed) * 1000


# ---- the figures --------------------------------------------------------------------

def merge_errors(*tables):
    merged = {nominal: [] for nominal in NOMINAL_INTERVALS_MS}
    for table in tables:
        for nominal, errors in table.items():
            merged[nominal].extend(errors)
    return merged


def percentile(values, fraction):
    ordered = sorted(values)
    if not ordered:
        return float("nan")
    return ordered[min(len(ordered) - 1, int(round(fraction * (len(ordered) - 1))))]


def median(values):
    values = [v for v in values if v is not None and v == v]
    return statistics.median(values) if values else float("nan")


def load_average():
    with open("/proc/loadavg") as f:
        return " ".join(f.read().split()[:3])


def measure(platforms, play_dir, runs, pacing_seconds, size):
    results = {p.name: {} for p in platforms}
    shapes = [(key, fast_forward_script(499, length, stop))
              for key, length, stop in FAST_FORWARD_SHAPES]
    small_script, small_chars = fast_forward_script(1, 1)
    hold_offsets = [(2.7, 4.7), (6.0, 8.0), (25.0, 30.0), (31.3, 34.3)]
    sample_story = (Path(play_dir) / SCRIPT).read_bytes()
    loads = [load_average()]
    with XServer(*size, window_manager=True) as display:
        for index in range(runs):
            for platform in platforms:
                r = results[platform.name]
                print("%dx%d, round %d of %d: %s (load %s)" % (
                    *size, index + 1, runs, platform.name, load_average()), file=sys.stderr)
                if platform.is_peer:
                    for key, value in peer_run(platform, display).items():
                        r.setdefault(key, []).append(value)
                    continue
                story = story_run(platform, play_dir, display, hold_offsets)
                if story.get("hold_offsets"):
                    hold_offsets = story["hold_offsets"]
                pacing = merge_errors(story.pop("pacing", {}))
                for key, value in story.items():
                    r.setdefault(key, []).append(value)
                if not platform.wine:
                    page = pacing_run(platform, play_dir, display, pacing_seconds)
                    r.setdefault("page_pause_cpu_pct", []).append(page["page_pause_cpu_pct"])
                    pacing = merge_errors(pacing, page["pacing"])
                    for nominal, errors in pacing.items():
                        r.setdefault("pacing_%d" % nominal, []).append(errors)
                # A long script takes a fraction of a second: the quicker of two
                # runs of each leaves start-up's noise out of the difference.
                small = min(fast_forward_run(platform, play_dir, display, small_script)[0]
                            for _ in range(2))
                for key, (big_script, big_chars) in shapes:
                    big = min(fast_forward_run(platform, play_dir, display, big_script)[0]
                              for _ in range(2))
                    # On a large screen the cards' fades, presented whole even with
                    # Ctrl held, can vary by more than a short shape takes: a run
                    # whose difference is lost in that noise gives no figure.
                    r.setdefault(key, [])
                    if big > small:
                        r[key].append((big_chars - small_chars) / (big - small))
                _, whole_peak = fast_forward_run(platform, play_dir, display, sample_story)
                r.setdefault("whole_story_peak_rss_mb", []).append(whole_peak)
                r.setdefault("key_to_end_ms", []).append(
                    key_during_hold_run(platform, play_dir, display))
            loads.append(load_average())
    return results, loads


ROWS = [
    ("typing_cpu_pct", "processor share while typing (10 s), % of a core"),
    ("card_hold_cpu_pct", "processor share during the card holds (a long wait), %"),
    ("page_pause_cpu_pct", "processor share during the 2000 ms page pauses, %"),
    ("whole_run_cpu_pct", "processor share over a whole run (cards, fades, typing), %"),
    ("whole_run_s", "that run's length from start to end, s"),
    ("fade_step_cpu_ms", "processor time per fade step presented (upper bound), ms"),
    ("story_peak_rss_mb", "peak resident memory, typing run, MB"),
    ("whole_story_peak_rss_mb", "peak resident memory, sample story with Ctrl held, MB"),
    ("fast_forward_cps", "fast-forward, 499 lines of 119 kana + 。, chars/s"),
    ("fast_forward_run_on_cps", "fast-forward, 499 lines of 120 kana running on, chars/s"),
    ("fast_forward_short_cps", "fast-forward, 499 lines of 23 kana + 。, chars/s"),
    ("fast_forward_short_run_on_cps", "fast-forward, 499 lines of 24 kana running on, chars/s"),
    ("title_ms", "title sequence, ms (nominal %d)" % TITLE_SEQUENCE_MS),
    ("closing_ms", "closing sequence, ms (nominal %d)" % CLOSING_SEQUENCE_MS),
    ("key_to_end_ms", "key pressed during a card hold to the process's end, ms"),
    ("first_present_ms", "start-up to the first presented frame, ms"),
    ("window_mapped_ms", "start-up to the window mapped on X, ms"),
    ("peer_run_s", "the peer's run from its window to its end, s (nominal %.1f)"
     % (TYPED_CHARACTERS / 10.0 + PEER_HOLD_MS / 1000.0)),
]
RATIOS = ["typing_cpu_pct", "card_hold_cpu_pct", "story_peak_rss_mb"]


def report(results, runs, loads, size):
    names = list(results)
    print("\n==== screen %dx%d ====" % size)
    print("medians of %d runs; %s; load average %s" % (runs, machine(), " -> ".join(loads)))
    for name in names:
        paths = sorted(set(results[name].get("path", [])))
        if paths:
            print("%s presented by: %s" % (name, "; ".join(paths)))
    print("%-66s" % "figure" + "".join("%14s" % n for n in names))
    for key, label in ROWS:
        cells = [results[name].get(key) for name in names]
        if not any(cells):
            continue
        print("%-66s" % label + "".join(
            "%14s" % ("%.2f" % median(c) if c else "-") for c in cells))
    if "onscripter" in results:
        ours = [n for n in names if n != "onscripter"]
        print("\nratios to onscripter, per run and their median")
        for key in RATIOS:
            peer = results["onscripter"].get(key, [])
            for name in ours:
                mine = results[name].get(key, [])
                ratios = [a / b for a, b in zip(mine, peer) if a == a and b]
                print("%-40s %-8s %s  median %.2f" % (key, name, " ".join(
                    "%.2f" % r for r in ratios), median(ratios)))
    for name in names:
        r = results[name]
        if "pacing_100" not in r:
            continue
        print("\npacing on %s: error of the interval between consecutive presents, ms" % name)
        print("%10s %8s %14s %14s %10s" % ("nominal", "count", "median |err|", "95th |err|",
                                           "max |err|"))
        for nominal in NOMINAL_INTERVALS_MS:
            per_run = r["pacing_%d" % nominal]
            flat = [abs(e) for errs in per_run for e in errs]
            if not flat:
                continue
            print("%10d %8d %14.2f %14.2f %10.2f" % (
                nominal, len(flat) // len(per_run),
                median([median([abs(e) for e in errs]) for errs in per_run if errs]),
                median([percentile([abs(e) for e in errs], 0.95) for errs in per_run if errs]),
                max(flat)))


def machine():
    model = "?"
    for line in open("/proc/cpuinfo"):
        if line.startswith("model name"):
            model = line.split(":", 1)[1].strip()
            break
    return "%d cores, %s" % (os.cpu_count(), model)


def ensure_peer():
    """Debian's onscripter and the font it is given, installed when missing."""
    if Path(PEER).exists() and Path(PEER_FONT).exists():
        return
    print("installing onscripter", file=sys.stderr)
    command = ["apt-get", "-o", "DPkg::Lock::Timeout=300", "install", "-y",
               "--no-install-recommends", "onscripter", "fonts-ipafont-mincho"]
    if os.geteuid() != 0:
        command.insert(0, "sudo")
    subprocess.run(command, check=True, env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--linux-build", required=True, help="the Linux build folder (part1, play/)")
    parser.add_argument("--windows-build", default="", help="the MinGW build folder (part1.exe)")
    parser.add_argument("--wine-root", default="", help="where the Wine prefix is kept "
                        "(made on first use); default: <linux build>/benchmarks/wine")
    parser.add_argument("--peer", action="store_true",
                        help="also run Debian's onscripter, alternating with part1")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--pacing-seconds", type=float, default=40)
    parser.add_argument("--screen", action="append", type=screen_size, metavar="WxH",
                        help="a screen size to measure at (repeatable; default 640x480, "
                        "1920x1080 and 3840x2160). The peer and Wine run at the first only: "
                        "the peer's window and Wine's own display are 640x480 at any size")
    args = parser.parse_args()
    sizes = args.screen or [(640, 480), (1920, 1080), (3840, 2160)]
    linux_build = Path(args.linux_build).resolve()
    play_dir = linux_build / "play"
    platforms = [Platform("linux", linux_build)]
    if args.peer:
        ensure_peer()
        platforms.append(Platform("onscripter"))
    if args.windows_build:
        wine_root = Path(args.wine_root or linux_build / "benchmarks" / "wine")
        wine = Platform("wine", Path(args.windows_build).resolve(), wine_root)
        if not wine.wine.is_ready():
            print("making the Wine prefix in %s" % wine_root, file=sys.stderr)
            wine.wine.create()
        platforms.append(wine)
    reports = []
    for size in sizes:
        measured = platforms if size == sizes[0] else platforms[:1]
        reports.append((measure(measured, play_dir, args.runs, args.pacing_seconds, size), size))
    for (results, loads), size in reports:
        report(results, args.runs, loads, size)


def screen_size(text):
    width, height = (int(n) for n in text.lower().split("x"))
    return width, height


if __name__ == "__main__":
    main()
