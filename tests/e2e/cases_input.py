"""Input as a person gives it: the real programs during their title cards, and the
reader's window procedure and waits in the wait probe."""
import time

from harness.checks import expect
from harness.play import read_bookmark, write_bookmark
from harness.registry import case

QUIT_TIMEOUT = 5  # seconds; generous for Wine, which flushes and tears down the mode


def expect_quit(running, what):
    code = running.exit_code(QUIT_TIMEOUT)
    expect(code is not None, "%s did not end the program" % what)
    expect(code == 1, "%s ended the program with exit code %s, not 1" % (what, code))


def key_during_titles(session, part):
    before = read_bookmark(session.folder, part)
    running = session.start(part)
    window = session.wait_window(part)
    x, y, width, height = session.desktop.geometry(window)
    expect((x, y, width, height) == (0, 0, session.x.width, session.x.height),
           "the window is %dx%d at (%d,%d), not the whole %dx%d screen"
           % (width, height, x, y, session.x.width, session.x.height))
    time.sleep(1.0)
    expect(running.is_running(), "the program ended by itself during the title cards")
    session.keep(session.screenshot_unsaved(), "titles")
    session.desktop.key("a")
    expect_quit(running, "a key during the title cards")
    expect(read_bookmark(session.folder, part) == before,
           "a key before the story changed the bookmark file")


for _part in ("part1", "part2"):
    case("titles.key_quits_leaving_bookmark." + _part, programs=[_part], part=_part)(
        key_during_titles)
    case("titles.key_quits_leaving_bookmark_with_wm." + _part, programs=[_part],
         window_manager=True, platforms=("linux",), part=_part)(key_during_titles)


@case("titles.mouse_ignored_right_button_quits.part1", programs=["part1"], part="part1")
def mouse_during_titles(session, part):
    write_bookmark(session.folder, part, 7)
    running = session.start(part)
    session.wait_window(part)
    for step in range(15):
        session.desktop.move_mouse(100 + 20 * (step % 2), 100 + 10 * step)
        time.sleep(0.1)
    expect(running.is_running(), "a mouse move during the title cards ended the program")
    session.desktop.click(3)
    expect_quit(running, "the right button")
    expect(read_bookmark(session.folder, part) == b"7",
           "the right button or the mouse changed the bookmark file")


def waits_done(session):
    # The probe rewrites the file in place: a read can meet it emptied or half written.
    for _ in range(100):
        text = session.wait_for_file("waits_done.txt").strip()
        if text.isdigit():
            return int(text)
        time.sleep(0.01)
    raise AssertionError("waits_done.txt never held a number")


def start_wait_probe(session):
    running = session.start("wait_probe")
    window = session.wait_window("wait_probe")
    session.wait_for_file("waits_done.txt")
    return running, window


@case("wait.ctrl_cuts_waits_short_and_keys_quit", programs=["wait_probe"])
def ctrl_cuts_waits(session):
    running, _ = start_wait_probe(session)
    time.sleep(0.5)
    expect(waits_done(session) == 0, "an hour-long wait came back without Ctrl")

    session.desktop.key_down("Control_L")
    deadline = time.monotonic() + 10
    while waits_done(session) < 100 and time.monotonic() < deadline:
        time.sleep(0.05)
    expect(waits_done(session) >= 100, "waits did not come back at once with Ctrl held "
           "(%d came back)" % waits_done(session))
    expect(running.is_running(), "Ctrl ended the program")

    session.desktop.key_up("Control_L")
    time.sleep(0.5)
    after_release = waits_done(session)
    time.sleep(1.0)
    expect(waits_done(session) == after_release,
           "waits still came back at once after Ctrl was released")

    session.desktop.key("space")
    expect_quit(running, "a key other than Ctrl")


def close_requests_are_refused(session):
    running, window = start_wait_probe(session)
    session.desktop.key("alt+F4")
    time.sleep(1.0)
    expect(running.is_running(), "Alt+F4 ended the program")
    session.run_tool("wm_close", str(window))
    time.sleep(1.0)
    expect(running.is_running(), "the window manager's close request ended the program")
    # Still served: the next key quits at once.
    session.desktop.key("Escape")
    expect_quit(running, "Escape after the close requests")


case("wait.close_requests_refused", programs=["wait_probe"])(close_requests_are_refused)
case("wait.close_requests_refused_with_wm", programs=["wait_probe"], window_manager=True)(
    close_requests_are_refused)
