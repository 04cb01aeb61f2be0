"""The web build in headless Chromium: the same frames as the Linux build at
640x480; a key stores the bookmark in the browser and a reload resumes five lines
before it; Ctrl fast-forwards to the end, which stores 0; and a cue's end, as Web
Audio reports it, is what the next character waits for."""
import io
import math
import struct
import threading
import time
import wave

from cases_parity import FRAMES, SCRIPT, capture_run, linux_platform
from harness.browser import Browser, Site, keys_module
from harness.checks import expect
from harness.frame_parity import difference_image, identical_share
from harness.play import episode_file
from harness.registry import case
from harness.session import Session
from harness.still_frames import capture_still_frames

RUN_TIMEOUT = 120


def same_screens(session, part):
    linux = linux_platform(session.platform)
    linux.check_available([part])
    site = Site(session.platform.bin_dir)
    script = SCRIPT.read_text(encoding="utf-8").encode("cp932")
    (site.root / part / episode_file(part, "script")).write_bytes(script)
    linux_result = {}
    browser = Browser(640, 480)
    try:
        with Session(linux, "linux.web_parity." + part, session.play_dir, 640, 480) as linux_session:
            thread = threading.Thread(target=capture_run, args=(linux_session, part, linux_result))
            thread.start()
            browser.start(site.url(part))
            frames, missed = capture_still_frames(browser.canvas, FRAMES, RUN_TIMEOUT,
                                                  lambda: not browser.ended())
            thread.join()
    finally:
        browser.close()
        site.close()
    if "error" in linux_result:
        raise linux_result["error"]
    expect(not missed, "web: no still frame caught for %s" % ", ".join(missed))
    expect(not linux_result["missed"], "linux: no still frame caught for %s"
           % ", ".join(linux_result["missed"]))
    differing = []
    for name in FRAMES:
        web_frame, linux_frame = frames[name], linux_result["frames"][name]
        session.keep(web_frame, name + ".web")
        session.keep(linux_frame, name + ".linux")
        same = identical_share(web_frame, linux_frame) if web_frame.width == linux_frame.width else 0
        print("%-16s %.4f%% of the pixels identical" % (name, 100 * same))
        if same < 1:
            session.keep(difference_image(linux_frame, web_frame), name + ".diff")
            differing.append(name)
    expect(not differing, "the web build's frames differ from the Linux build's: %s"
           % ", ".join(differing))


for _part in ("part1", "part2"):
    case("browser.same_frames_as_linux." + _part, programs=[_part], platforms=("web",), size=(640, 480),
         part=_part)(same_screens)


# Text lines and cue lines by turns; the four cues last differently, so the cues
# heard after a resume tell where it resumed.
CUE_SECONDS = {"01": 0.30, "02": 0.45, "03": 0.60, "04": 0.75}
CUE_LINES = ["s0%d" % (1 + j % 4) for j in range(8)]
STORY = [line for cue in CUE_LINES for line in ("あ。", cue)] + ["あ。"]


def cue_wave(seconds, rate=22050):
    out = io.BytesIO()
    with wave.open(out, "wb") as sound:
        sound.setnchannels(1)
        sound.setsampwidth(2)
        sound.setframerate(rate)
        sound.writeframes(b"".join(struct.pack("<h", int(3000 * math.sin(i / 8)))
                                   for i in range(int(seconds * rate))))
    return out.getvalue()


def heard(browser):
    """The cues the page played: [(name, started, ended)] in ms of the page's clock."""
    names = {round(seconds, 2): name for name, seconds in CUE_SECONDS.items()}
    return [(names.get(round(sound["seconds"], 2)), sound["started"], sound["ended"])
            for sound in browser.js("return Module.readerSounds")]


def stored_bookmark(browser):
    return browser.js("return FS.readFile('/story/mokuri0.sav', {encoding: 'utf8'})")


def check_cues_end_before_next_character(browser):
    presents = [int(line) / 1000 for line in browser.js("return Module.readerTrace()").split()]
    for name, started, ended in heard(browser):
        expect(ended is not None, "sound_%s.wav: Web Audio reported no end" % name)
        expect(abs(ended - started - 1000 * CUE_SECONDS[name]) < 60,
               "sound_%s.wav played %.0f ms, not %.0f" % (name, ended - started,
                                                         1000 * CUE_SECONDS[name]))
        following = [t for t in presents if t > started]
        expect(following and following[0] >= ended,
               "the character after sound_%s.wav came %.0f ms before its end"
               % (name, ended - following[0] if following else 0))


def story_in_the_browser(session):
    site = Site(session.platform.bin_dir)
    folder = site.root / "part1"
    (folder / "mokuri0.dat").write_bytes("\n".join(STORY).encode("cp932") + b"\n")
    for name, seconds in CUE_SECONDS.items():
        (folder / ("sound_%s.wav" % name)).write_bytes(cue_wave(seconds))
    url = site.url("part1", "?trace")
    browser = Browser(640, 480)
    try:
        # A key once three cues have played: the bookmark is stored.
        browser.start(url)
        browser.wait_for("Module.readerSounds.filter(s => s.ended).length >= 3", 60, "three cues")
        browser.keys(down="x", up="x")
        browser.wait_for("!document.getElementById('ended').hidden", 10, "the end after a key")
        stored = int(stored_bookmark(browser))
        expect(6 <= stored < len(STORY), "the key stored %d" % stored)
        check_cues_end_before_next_character(browser)

        # A reload finds it in the browser's storage and resumes five lines before it,
        # fast-forwarded to the end with Ctrl held; the end stores 0.
        browser.open(url)
        expect(stored_bookmark(browser) == str(stored), "the reloaded page found %s, not %d"
               % (stored_bookmark(browser), stored))
        browser.start()
        browser.keys(down=[keys_module().CONTROL])
        started = time.monotonic()
        browser.wait_for("!document.getElementById('ended').hidden", 60, "the end with Ctrl held")
        browser.keys(up=[keys_module().CONTROL])
        resumed = [line for line in STORY[stored - 5:] if line.startswith("s")]
        expect([name for name, _, _ in heard(browser)] == [line[1:] for line in resumed],
               "after resuming at line %d the cues heard were %s, not %s"
               % (stored - 5, [n for n, _, _ in heard(browser)], [line[1:] for line in resumed]))
        print("resumed at line %d, fast-forwarded to the end in %.1f s"
              % (stored - 5, time.monotonic() - started))
        browser.open(url)
        expect(stored_bookmark(browser) == "0", "after the end the bookmark is %s, not 0"
               % stored_bookmark(browser))
    finally:
        browser.close()
        site.close()


case("browser.bookmark_reload_ctrl_and_cues.part1", programs=["part1"], platforms=("web",), size=(640, 480))(
    story_in_the_browser)
