"""The web build in the browser. In Chromium, the same frames as the Linux build at
640x480, on its canvas as in its frame record. In Chromium, Firefox and WebKit, one
reader's walk: the start click, text typed on the picture, a cue's end, as Web Audio
reports it, being what the next character waits for, a key storing the bookmark in
the browser, a reload resuming five lines before it, leaving the tab keeping the
place, and no page error; in Chromium also Ctrl fast-forwarding to the end, which
stores 0; and touch, a tab switch, and storage refused."""
import base64
import hashlib
import io
import math
import struct
import time
import wave

from cases_parity import SCRIPTS, SHORT_RUN_TIMEOUT, linux_platform, record_run
from harness.browser import Chromium, Firefox, Site, WebKit
from harness.checks import WHITE, bounding_box, expect
from harness.frame_parity import FrameParity, story_steps
from harness.frame_record import read_frames, shown_frames
from harness.play import Story, episode_file
from harness.registry import case
from harness.session import Session

CANVAS_LOOKS = 0.25  # seconds between looks at the canvas


def plane_digest(rgb):
    """A picture's digest as frame_record.RecordedFrame.shown_digest makes it."""
    digest = hashlib.blake2b(digest_size=16)
    for c in range(3):
        digest.update(rgb[c::3])
    return digest.digest()


def same_frames_in_browser(session, part):
    """The page records every frame as the Linux build does (READER_FRAME_RECORD):
    the two records show the same frames in the same order; and every look at the
    canvas while it runs finds one of those frames, pixel for pixel."""
    linux = linux_platform(session.platform)
    linux.check_available([part])
    script = SCRIPTS / (part + ".txt")
    with Session(linux, "linux.web_parity." + part, session.play_dir, 640, 480) as linux_session:
        linux_record = record_run(linux_session, part, script, SHORT_RUN_TIMEOUT)
        steps, cue_at_end = story_steps(Story(linux_session.folder, part))
    site = Site(session.platform.bin_dir)
    (site.root / part / episode_file(part, "script")).write_bytes(
        script.read_text(encoding="utf-8").encode("cp932"))
    browser = Chromium(640, 480)
    looks = {}
    try:
        browser.start(site.url(part, "?record"))
        deadline = time.monotonic() + SHORT_RUN_TIMEOUT
        while not browser.ended() and time.monotonic() < deadline:
            canvas = browser.canvas()
            looks.setdefault(plane_digest(canvas.rgb), canvas)
            time.sleep(CANVAS_LOOKS)
        expect(browser.ended(), "the page did not end within %d s" % SHORT_RUN_TIMEOUT)
        web_record = session.artifacts / "frames.rec"
        web_record.write_bytes(base64.b64decode(browser.js("return Module.readerRecord()")))
    finally:
        browser.close()
        site.close()
    parity = FrameParity(shown_frames(linux_record), shown_frames(web_record), steps,
                         cue_at_end, other="the browser")
    for line in parity.report():
        print(line)
    expect(not parity.differing and len(parity.linux) == len(parity.wine),
           "the browser shows other frames than Linux:\n" + "\n".join(parity.report()))
    recorded = {frame.shown_digest() for frame in read_frames(web_record)}
    unrecorded = [image for digest, image in looks.items() if digest not in recorded]
    for i, image in enumerate(unrecorded[:3]):
        session.keep(image, "canvas_%d" % i)
    print("%d distinct pictures seen on the canvas, %d of them not a recorded frame"
          % (len(looks), len(unrecorded)))
    expect(len(looks) >= 5, "the canvas showed only %d pictures" % len(looks))
    expect(not unrecorded, "the canvas showed %d pictures that are no frame of the record"
           % len(unrecorded))


for _part in ("part1", "part2"):
    case("browser.same_frames_as_linux." + _part, programs=[_part], platforms=("web",),
         size=(640, 480), part=_part)(same_frames_in_browser)


# Text lines and cue lines by turns; the four cues last differently, so the cues
# heard after a resume tell where it resumed. From its third line the story reads
# for about 25 s, so that it still runs 20 s after a start resumed there.
CUE_SECONDS = {"01": 0.30, "02": 0.45, "03": 0.60, "04": 0.75}
CUE_LINES = ["s0%d" % (1 + j % 4) for j in range(14)]
TEXT = "あ" * 9 + "。"
STORY = [line for cue in CUE_LINES for line in (TEXT, cue)] + [TEXT]
ENDED = "!document.getElementById('ended').hidden"
LEAVING_AFTER = 20  # seconds of reading, from the first cue


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


def check_cues_end_before_next_character(browser, count):
    presents = [int(line) / 1000 for line in browser.js("return Module.readerTrace()").split()]
    for name, started, ended in heard(browser)[:count]:
        expect(ended is not None, "sound_%s.wav: Web Audio reported no end" % name)
        # Not cut short, and no later than an output started late under load makes it.
        expect(-60 < ended - started - 1000 * CUE_SECONDS[name] < 1000,
               "sound_%s.wav played %.0f ms, not %.0f" % (name, ended - started,
                                                         1000 * CUE_SECONDS[name]))
        following = [t for t in presents if t > started]
        expect(following and following[0] >= ended,
               "the character after sound_%s.wav came %.0f ms before its end"
               % (name, ended - following[0] if following else 0))


def cues_from(line):
    return [cue[1:] for cue in STORY[line:] if cue.startswith("s")]


def first_row_has_text(image):
    """White ink in the picture's first row, wherever the canvas puts the picture."""
    scale = min(image.width / 640, image.height / 480)
    left, top = int((image.width - 640 * scale) / 2), int((image.height - 480 * scale) / 2)
    return bounding_box(image, WHITE, (left, top, image.width - left, top + int(40 * scale)))


def cue_story_site(session, story=STORY):
    site = Site(session.platform.bin_dir)
    folder = site.root / "part1"
    (folder / "mokuri0.dat").write_bytes("\n".join(story).encode("cp932") + b"\n")
    for name, seconds in CUE_SECONDS.items():
        (folder / ("sound_%s.wav" % name)).write_bytes(cue_wave(seconds))
    return site


def read_in_the_browser(session, engine, to_the_end):
    site = cue_story_site(session)
    url = site.url("part1", "?trace")
    browser = engine(640, 480)
    try:
        browser.open(url)
        browser.screenshot(session.artifacts / "start_screen.png")
        print("navigator.storage.persist() answered %s" % browser.js(
            "return navigator.storage ? navigator.storage.persist() : 'no navigator.storage'"))
        # The start click; text on the picture; a key during the fourth cue, three
        # having played, stores the bookmark.
        start_reading(browser)
        browser.screenshot(session.artifacts / "first_cue.png")
        expect(first_row_has_text(browser.canvas()), "no text on the picture at the first cue")
        browser.wait_for("Module.readerSounds.length >= 4 && Module.readerSounds[3].started",
                         60, "the fourth cue")
        browser.keys(down="x", up="x")
        browser.wait_for(ENDED, 10, "the end after a key")
        stored = int(stored_bookmark(browser))
        expect(7 <= stored < len(STORY), "the key stored %d" % stored)
        check_cues_end_before_next_character(browser, 3)

        # A reload finds it in the browser's storage and resumes five lines before it.
        browser.open(url)
        expect(stored_bookmark(browser) == str(stored), "the reloaded page found %s, not %d"
               % (stored_bookmark(browser), stored))
        reading, resumed = start_reading(browser), stored - 5
        expect(heard(browser)[0][0] == cues_from(resumed)[0],
               "resuming five lines before %d, the first cue was sound_%s.wav, not sound_%s.wav"
               % (stored, heard(browser)[0][0], cues_from(resumed)[0]))
        if to_the_end:
            run_to_the_end_with_ctrl(browser, url, resumed)
        if to_the_end:  # read again from the start the end stored
            reading, resumed, stored = start_reading(browser), 0, 0
        leave_and_come_back(browser, url, reading, resumed, stored)
        errors = browser.page_errors()
        expect(not errors, "the page reported errors:\n" + "\n".join(errors))
    finally:
        browser.close()
        site.close()


def start_reading(browser):
    """Clicks the start screen and waits for the first cue; the time it began."""
    browser.start()
    browser.wait_for("Module.readerSounds.length", 30, "the first cue")
    return time.monotonic()


def run_to_the_end_with_ctrl(browser, url, resumed):
    """Ctrl held runs the story to its end, every cue from where it resumed playing;
    the end stores 0."""
    browser.keys(down=["Control"])
    started = time.monotonic()
    browser.wait_for(ENDED, 60, "the end with Ctrl held")
    browser.keys(up=["Control"])
    expect([name for name, _, _ in heard(browser)] == cues_from(resumed),
           "after resuming at line %d the cues heard were %s, not %s"
           % (resumed, [name for name, _, _ in heard(browser)], cues_from(resumed)))
    print("fast-forwarded to the end in %.1f s" % (time.monotonic() - started))
    browser.open(url)
    expect(stored_bookmark(browser) == "0", "after the end the bookmark is %s, not 0"
           % stored_bookmark(browser))


def leave_and_come_back(browser, url, reading, resumed, stored):
    """Closing the tab after reading a while without a key keeps the line on screen
    (at least that of the last cue begun), in place of the bookmark stored before:
    the page opened again resumes at most five lines before it."""
    time.sleep(max(0.0, reading + LEAVING_AFTER - time.monotonic()))
    cue_lines = [line for line in range(resumed, len(STORY)) if STORY[line].startswith("s")]
    on_screen = cue_lines[len(heard(browser)) - 1]
    expect(on_screen > stored + 3, "%d s of reading got only to line %d"
           % (LEAVING_AFTER, on_screen))
    browser.leave()
    browser.open(url)
    kept = int(stored_bookmark(browser))
    expect(on_screen <= kept <= on_screen + 3, "the tab closed on line %d or later kept %d"
           % (on_screen, kept))


for _engine in (Chromium, Firefox, WebKit):
    case("browser.reading.%s.part1" % _engine.__name__.lower(), programs=["part1"],
         platforms=("web",), size=(640, 480), engine=_engine, to_the_end=_engine is Chromium)(
        read_in_the_browser)


# Touch, a tab switched away from and closed, and storage refused: Chromium only.
# One-character lines by turns with cues, so that cues come often.
SHORT_STORY = [line for cue in CUE_LINES[:8] for line in ("あ。", cue)] + ["あ。"]


def site_with_story(session, story):
    site = cue_story_site(session, story)
    return site, site.url("part1", "?trace")


def cues_heard(browser):
    return browser.js("return Module.readerSounds.filter(s => s.started).length")


def expect_kept_near(browser, heard_count, what):
    """Cue k of a story of text and cue lines by turns is line 2k + 1."""
    stored = int(stored_bookmark(browser))
    expect(2 * heard_count - 1 <= stored <= 2 * heard_count + 2,
           "%s kept line %d; %d cues had begun" % (what, stored, heard_count))
    return stored


def touch_in_the_browser(session):
    site, url = site_with_story(session, SHORT_STORY[:8] + ["あ。"] * 30 + SHORT_STORY[:8])
    browser = Chromium(640, 480, touch=True)
    try:
        browser.start(url, tap=True)
        browser.wait_for("Module.readerSounds.length >= 2", 30, "two cues")
        browser.tap()
        browser.wait_for(ENDED, 10, "the end after a tap")
        stored = expect_kept_near(browser, cues_heard(browser), "a tap")
        browser.start(url, tap=True)
        browser.wait_for("Module.readerSounds.length >= 1", 30, "a cue after resuming")
        browser.tap(fingers=2)
        browser.wait_for(ENDED, 10, "the end after two fingers")
        expect(stored_bookmark(browser) == str(stored), "two fingers kept %s" % stored_bookmark(browser))
        browser.start(url, tap=True)
        browser.wait_for("Module.readerSounds.length >= 1", 30, "a cue after resuming")
        browser.tap(hold=3)
        # Past the 30 lines after cue 4, not at the end; a lift taken for a tap keeps a line.
        expect(5 <= cues_heard(browser) < 8, "held 3 s, %d cues began" % cues_heard(browser))
        browser.wait_for(ENDED, 40, "the end")
        expect(stored_bookmark(browser) == "0", "the end kept %s" % stored_bookmark(browser))
    finally:
        browser.close()
        site.close()


def tab_closed_in_the_browser(session):
    site, url = site_with_story(session, [line for cue in CUE_LINES[:8] * 5 for line in ("あ。", cue)])
    browser = Chromium(640, 480)
    driver = browser.driver
    try:
        browser.start(url)
        reading = driver.current_window_handle
        time.sleep(14)
        driver.switch_to.new_window("tab")
        time.sleep(2)
        driver.switch_to.window(reading)
        kept = int(stored_bookmark(browser))
        time.sleep(6)
        heard_count = cues_heard(browser)
        expect(0 < kept < 2 * heard_count - 1, "a tab switch kept %d; %d cues followed"
               % (kept, heard_count))
        driver.close()
        driver.switch_to.window(driver.window_handles[0])
        browser.open(url)
        expect_kept_near(browser, heard_count, "closing the tab")
    finally:
        browser.close()
        site.close()


def storage_blocked_in_the_browser(session, framed):
    site, url = site_with_story(session, SHORT_STORY)
    (site.root / "frame.html").write_text('<iframe sandbox="allow-scripts" src="%s" style="position:'
                                          'fixed;inset:0;width:100%%;height:100%%;border:0"></iframe>' % url)
    browser = Chromium(640, 480, site_data=framed)
    try:
        browser.driver.get(url.split("part1/")[0] + "frame.html" if framed else url)
        if framed:
            browser.driver.switch_to.frame(0)
        browser.wait_for("!document.getElementById('start').hidden", 30, "the start screen")
        expect(browser.js("return !document.getElementById('unkept').hidden"),
               "the start screen does not say the place will not be kept")
        browser.driver.save_screenshot(str(session.artifacts / "start.png"))
        browser.start()
        time.sleep(20)
        expect(cues_heard(browser) >= 2 and not browser.ended(),
               "20 s after the start %d cues had begun" % cues_heard(browser))
    finally:
        browser.close()
        site.close()


for _name, _run in (("touch", touch_in_the_browser), ("tab_closed", tab_closed_in_the_browser)):
    case("browser.%s.part1" % _name, programs=["part1"], platforms=("web",), size=(640, 480))(_run)
for _framed, _name in ((False, "site_data"), (True, "sandboxed_frame")):
    case("browser.storage_blocked.%s.part1" % _name, programs=["part1"], platforms=("web",),
         size=(640, 480), framed=_framed)(storage_blocked_in_the_browser)
