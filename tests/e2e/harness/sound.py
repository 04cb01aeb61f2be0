"""Hearing what the programs play: a private PulseAudio server with a null sink, a
recorder of that sink's monitor on the test's clock, and the measures a listener
would take of a cue (where it is, how long, how alike the wave file)."""
import array
import math
import operator
import os
import subprocess
import tempfile
import threading
import time
import wave
from pathlib import Path

from .processes import end_with_parent, stop_process

SINK = "reader_test"
RECORD_RATE = 22050  # mono, signed 16-bit
# No client may start a server of its own: a run without one must stay without one.
CLIENT_CONFIG = "autospawn = no\n"


def sound_free_env(runtime_dir):
    """What a program needs to find no sound server at all: a runtime folder holding
    none, and libpulse told not to start one."""
    config = Path(runtime_dir) / "client.conf"
    config.write_text(CLIENT_CONFIG)
    return {"XDG_RUNTIME_DIR": str(runtime_dir), "PULSE_CLIENTCONFIG": str(config)}


class PulseServer:
    """Debian's pulseaudio with only a null sink, its socket in a private runtime
    folder, no D-Bus and no user configuration; stopped and removed at the end. Its
    log (debug level, timed) names each stream that runs dry."""

    runtime_dir = _temp = _process = _log = None  # set by __enter__

    def __init__(self, log_path):
        self.log_path = log_path

    def __enter__(self):
        # A short path: the socket's must fit a sockaddr_un.
        self._temp = tempfile.TemporaryDirectory(prefix="e2e-pulse-")
        self.runtime_dir = Path(self._temp.name)
        self.runtime_dir.chmod(0o700)
        home = self.runtime_dir / "home"
        home.mkdir()
        env = self._server_env(home)
        self._log = open(self.log_path, "wb")
        self._process = subprocess.Popen(
            ["pulseaudio", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             "--system=no", "-n", "--log-target=stderr", "--log-level=debug", "--log-time=1",
             "--load=module-native-protocol-unix auth-anonymous=1",
             "--load=module-null-sink sink_name=%s" % SINK],
            env=env, stdout=self._log, stderr=subprocess.STDOUT, start_new_session=True,
            preexec_fn=end_with_parent)
        self._wait_ready()
        return self

    def __exit__(self, *_):
        stop_process(self._process)
        if self._log:
            self._log.close()
        self._temp.cleanup()

    def _server_env(self, home):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("DBUS_", "PULSE_", "XDG_")) and k != "DISPLAY"}
        # An address that cannot be reached: no session bus is started or joined.
        env.update(HOME=str(home), XDG_RUNTIME_DIR=str(self.runtime_dir),
                   DBUS_SESSION_BUS_ADDRESS="unix:path=/nonexistent/bus")
        return env

    def env(self):
        """For the programs and the recorder: this server, and no other started."""
        return sound_free_env(self.runtime_dir)

    def _wait_ready(self, timeout=15):
        deadline = time.monotonic() + timeout
        env = dict(os.environ, **self.env())
        while time.monotonic() < deadline:
            if self._process.poll() is not None:
                raise RuntimeError("pulseaudio ended at start: %s" % self.server_log())
            done = subprocess.run(["pactl", "list", "short", "sinks"], env=env,
                                  capture_output=True, text=True, timeout=10)
            if done.returncode == 0 and SINK in done.stdout:
                return
            time.sleep(0.1)
        raise RuntimeError("pulseaudio did not come up: %s" % self.server_log())

    def server_log(self):
        return Path(self.log_path).read_text(errors="replace")[-2000:]


class Recorder:
    """parec on the null sink's monitor, raw, with each block's arrival time, so that a
    place in the recording maps onto time.monotonic().

    Its 10 ms blocks matter. With parec's default of 2 s the idle null sink runs two
    seconds ahead; Wine's stream, fed on Wine's own 10 ms clock, then runs dry inside
    the cue, the sink rewinds, and the monitor gives back pieces of the cue skipped
    and repeated: shorter and higher, though the program played it right."""

    def __init__(self, env, log_path):
        self.env = env
        self.log_path = log_path
        self._process = None
        self._thread = None
        self._chunks = []
        self._arrivals = []  # (monotonic time, bytes received so far)

    def __enter__(self):
        self._log = open(self.log_path, "wb")
        self._process = subprocess.Popen(
            ["parec", "-d", SINK + ".monitor", "--raw", "--format=s16le",
             "--rate=%d" % RECORD_RATE, "--channels=1", "--latency-msec=10"],
            env=self.env, stdout=subprocess.PIPE, stderr=self._log, start_new_session=True,
            preexec_fn=end_with_parent)
        self._thread = threading.Thread(target=self._read, daemon=True)
        self._thread.start()
        deadline = time.monotonic() + 15
        while not self._arrivals:
            if time.monotonic() > deadline or self._process.poll() is not None:
                raise RuntimeError("parec recorded nothing (see %s)" % self.log_path)
            time.sleep(0.01)
        return self

    def __exit__(self, *_):
        self.stop()

    def stop(self):
        stop_process(self._process)
        self._thread.join(timeout=5)
        self._log.close()

    def _read(self):
        received = 0
        while True:
            block = os.read(self._process.stdout.fileno(), 65536)
            if not block:
                return
            received += len(block)
            self._chunks.append(block)
            self._arrivals.append((time.monotonic(), received))

    def samples(self):
        data = b"".join(self._chunks)
        samples = array.array("h")
        samples.frombytes(data[:len(data) // 2 * 2])
        return samples

    def time_of(self, index, reach=RECORD_RATE):
        """The monotonic time at which sample index reached the sink's monitor. Every
        block arrives some delay after its last sample was taken; the smallest such
        delay over the blocks within reach samples is the best estimate. Only nearby
        blocks count: the monitor loses a few milliseconds of what it already gave
        whenever a stream starts after running dry and the sink re-renders for it."""
        starts = [arrived - received / 2 / RECORD_RATE for arrived, received in self._arrivals
                  if abs(received / 2 - index) <= reach]
        if not starts:
            starts = [arrived - received / 2 / RECORD_RATE for arrived, received in self._arrivals]
        return min(starts) + index / RECORD_RATE


def write_sweep(path, seconds, rate=RECORD_RATE, low=330.0, high=660.0, level=0.5):
    """A mono 16-bit sine sweep, its pitch readable back from a recording; 5 ms ramps
    at both ends, so its envelope spans the whole file."""
    frames = int(seconds * rate)
    ramp = int(0.005 * rate)
    samples = array.array("h")
    phase = 0.0
    for i in range(frames):
        pitch = low + (high - low) * i / frames
        phase += 2 * math.pi * pitch / rate
        gain = min(1.0, i / ramp, (frames - 1 - i) / ramp)
        samples.append(int(round(level * gain * 32767 * math.sin(phase))))
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(samples.tobytes())


def read_wave_mono(path, rate=RECORD_RATE):
    """A PCM wave file as signed 16-bit mono samples at rate (linear interpolation)."""
    with wave.open(str(path), "rb") as source:
        channels, width, source_rate = (source.getnchannels(), source.getsampwidth(),
                                        source.getframerate())
        raw = source.readframes(source.getnframes())
    if width == 1:
        values = [(byte - 128) * 256 for byte in raw]
    else:
        values = array.array("h")
        values.frombytes(raw)
    if channels == 2:
        values = [(values[i] + values[i + 1]) / 2 for i in range(0, len(values) - 1, 2)]
    if source_rate == rate:
        return list(values)
    count = int(len(values) * rate / source_rate)
    out = []
    for i in range(count):
        at = i * source_rate / rate
        j = int(at)
        following = values[j + 1] if j + 1 < len(values) else values[j]
        out.append(values[j] + (following - values[j]) * (at - j))
    return out


def sounding_spans(samples, rate=RECORD_RATE, block_ms=5, threshold=0.1, gap_ms=60):
    """(first, end) sample ranges where the envelope (peak of each 5 ms block) is above
    threshold times the loudest block; spans closer than gap_ms are one sound."""
    block = int(rate * block_ms / 1000)
    peaks = [max(map(abs, samples[i:i + block])) for i in range(0, len(samples), block)]
    loudest = max(peaks, default=0)
    if loudest < 300:  # about -40 dB: nothing was played
        return []
    spans = []
    for index, peak in enumerate(peaks):
        if peak <= threshold * loudest:
            continue
        first, end = index * block, min((index + 1) * block, len(samples))
        if spans and first - spans[-1][1] <= gap_ms * rate / 1000:
            spans[-1] = (spans[-1][0], end)
        else:
            spans.append((first, end))
    return spans


def correlation_at(recording, cue, offset, stride=1):
    """The correlation of the cue with the recording from offset, on every stride-th sample."""
    reference = cue[::stride]
    segment = list(recording[offset:offset + len(cue):stride])
    segment += [0] * (len(reference) - len(segment))  # a recording cut short is silent after
    energy = math.sqrt(sum(map(operator.mul, segment, segment)) *
                       sum(map(operator.mul, reference, reference)))
    return sum(map(operator.mul, segment, reference)) / energy if energy else 0.0


def best_alignment(recording, cue, near, search_ms=20, rate=RECORD_RATE):
    """(correlation, offset) of the cue in the recording, searched within search_ms of
    offset near: every second offset judged on every fourth sample first, then the
    best few and their neighbours on every sample."""
    reach = int(search_ms * rate / 1000)
    candidates = range(max(0, near - reach), near + reach + 1, 2)
    rough = sorted(((correlation_at(recording, cue, offset, 4), offset) for offset in candidates),
                   reverse=True)[:3]
    return max((correlation_at(recording, cue, offset), offset)
               for _, best in rough for offset in (best - 1, best, best + 1) if offset >= 0)


def dropouts(recording, cue, first, piece_ms=50, search_ms=30, least=0.7, rate=RECORD_RATE):
    """Where the cue heard from about sample first slips: each piece_ms piece of the cue
    is taken where the one before it ended; a piece that does not fit there is looked
    for within search_ms. A list of [seconds into the cue, samples slipped], one a slip:
    silence put in shows as a positive slip, sound lost as a negative one."""
    piece = int(piece_ms * rate / 1000)
    reach = int(search_ms * rate / 1000)
    start = cue[:piece]
    offset = max((correlation_at(recording, start, at), at)
                 for at in range(max(0, first - reach), first + reach))[1]
    slips, lost = [], False
    for at in range(0, len(cue) - piece + 1, piece):
        part = cue[at:at + piece]
        if correlation_at(recording, part, offset + at) >= least:
            lost = False
            continue
        if not lost:
            slips.append([round(at / rate, 2), 0])
        fit, shift = max((correlation_at(recording, part, offset + at + shift), shift)
                         for shift in range(-reach, reach + 1))
        lost = fit < least
        if not lost:
            offset += shift
            slips[-1][1] += shift
    return slips


def write_ding(path, rate=RECORD_RATE, seconds=0.35, pitch=880.0):
    """A short soft ding, decaying: the kind of sound a system plays by default."""
    frames = int(seconds * rate)
    samples = array.array("h")
    for i in range(frames):
        t = i / rate
        envelope = min(1.0, t / 0.005) * math.exp(-t * 9.0) * (frames - 1 - i) / (frames - 1)
        tone = math.sin(2 * math.pi * pitch * t) + 0.3 * math.sin(4 * math.pi * pitch * t)
        samples.append(int(round(envelope * tone * 0.3 * 32767)))
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(rate)
        out.writeframes(samples.tobytes())


def write_recording(samples, path):
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RECORD_RATE)
        out.writeframes(samples.tobytes())
