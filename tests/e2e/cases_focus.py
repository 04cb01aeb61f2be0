"""Switching to another program and back in the middle of a page, at normal pace and
while fast-forwarding: a second after the reader is activated again the screen shows
the picture, exactly, with the whole page typed so far over it (nothing typed while
the other window had the focus is missing), and the story then runs to its end and
leaves bookmark 0. The other program is xmessage under openbox; the reader comes back
as a person brings a window back (xdotool windowactivate, which also restores the
window Wine minimised when it lost the focus)."""
import subprocess
import time

from harness.checks import BLACK, WHITE, expect, poll_screen
from harness.image import read_bmp8
from harness.play import episode_file, read_bookmark, write_bookmark
from harness.processes import stop_process
from harness.registry import case

# Rows of wide kana without punctuation or spaces: every line goes on where the one
# before stopped, so each row fills to the right edge and a missing run of
# characters shows as a gap or a short row. Long enough that the story is still
# being typed after a burst of fast-forward, short enough to fast-forward to its
# end quickly. The Linux build fast-forwarded about 120,000 characters a second
# here and Wine a few hundred, so Linux gets the longest story the reader takes.
STORY_WORDS = "あおめぬねのわをむゆ"
STORY_SIZE = {"linux": (499, 12), "wine": (40, 4)}  # lines, words a line
ROW_TOP, ROW_PITCH, ROWS = 10, 31, 15
ROW_HEIGHT = ROW_PITCH - 1  # the cell of 26 and the shadow below it
SHADOW = 3
LARGEST_GAP = 14      # blank columns inside a row; a missing character leaves 22 or more
LEFT_EDGE = 16        # a row's text starts at x 10
FULL_ROW_RIGHT = 590  # a row breaks once the pen is past 614
AWAY_SECONDS = 2
END_TIMEOUT = 120


def write_story(session, part):
    lines, words = STORY_SIZE[session.platform.name]
    text = "\n".join([STORY_WORDS * words] * lines) + "\n"
    (session.folder / episode_file(part, "script")).write_bytes(text.encode("cp932"))
    write_bookmark(session.folder, part, 0)


def first_row_has_text(image):
    return any(image.pixel(x, y) == WHITE for y in range(ROW_TOP, ROW_TOP + 26)
               for x in range(10, 200, 2))


def row_columns(image, row):
    top = ROW_TOP + ROW_PITCH * row
    return sorted({x for y in range(top, top + ROW_HEIGHT) for x in range(image.width)
                   if image.pixel(x, y) == WHITE})


def page_problems(image, picture):
    """What is wrong with a screen that should show the picture with a page typed on it
    from the top: rows of text one after the other, each full but the last, none with
    a gap, and outside the text nothing but the picture."""
    problems = []
    rows = [row_columns(image, row) for row in range(ROWS)]
    typed = 0
    while typed < ROWS and rows[typed]:
        typed += 1
    if typed == 0:
        return ["no story text on the screen"]
    if any(rows[typed:]):
        problems.append("row %d is empty but a later row has text" % typed)
    for row, columns in enumerate(rows[:typed]):
        if columns[0] > LEFT_EDGE:
            problems.append("row %d starts at x %d" % (row, columns[0]))
        if row < typed - 1 and columns[-1] < FULL_ROW_RIGHT:
            problems.append("row %d ends at x %d before the row is full" % (row, columns[-1]))
        gaps = [(a, b) for a, b in zip(columns, columns[1:]) if b - a > LARGEST_GAP]
        if gaps:
            problems.append("row %d has gaps at %s" % (row, gaps[:3]))
    wrong = 0
    for y in range(image.height):
        row = (y - ROW_TOP) // ROW_PITCH
        columns = rows[row] if 0 <= row < ROWS and y >= ROW_TOP else []
        left, right = (columns[0], columns[-1] + SHADOW) if columns else (1, 0)
        for x in range(image.width):
            seen, expected = image.pixel(x, y), picture.pixel(x, y)
            if seen != expected and not (left <= x <= right and seen in (WHITE, BLACK)):
                wrong += 1
    if wrong:
        problems.append("%d pixels are neither the picture nor text" % wrong)
    return problems


def start_other_program(session):
    return subprocess.Popen(["xmessage", "-center", "another program"], env=session.env(),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                            start_new_session=True)


def switch_away_and_back(session, part, picture, fast_forward):
    backdrop, _ = read_bmp8(picture)
    write_story(session, part)
    desktop = session.desktop
    other = None
    try:
        if fast_forward:
            # The other program is there first; the reader takes the focus from it.
            other = start_other_program(session)
            other_window = desktop.wait_window("xmessage", 20)
        running = session.start(part)
        reader = session.wait_window(part)
        desktop.wait_active(reader, 30)
        poll_screen(session, first_row_has_text, 40, "the story's first characters")
        time.sleep(1.5)  # mid-page
        session.keep(session.screenshot_unsaved(), "before")
        if fast_forward:
            # Ctrl goes down as the focus goes to the other window, and is let go
            # there: the reader was fast-forwarding when it lost the focus.
            desktop.key_down_and_activate("Control_L", other_window)
        else:
            other = start_other_program(session)
        desktop.wait_active(reader, 10, active=False)
        time.sleep(AWAY_SECONDS)
        session.keep(session.screenshot_unsaved(), "away")
        if fast_forward:
            desktop.key_up("Control_L")
        desktop.activate(reader)
        desktop.wait_active(reader, 10)
        time.sleep(1.0)
        back = session.screenshot("back")
    finally:
        stop_process(other)
    expect(running.is_running(), "the reader ended while it was away")
    problems = page_problems(back, backdrop)
    expect(not problems, "a second after coming back: " + "; ".join(problems))

    desktop.key_down("Control_L")
    code = running.exit_code(END_TIMEOUT)
    expect(code == 1, "the story did not run to its end with exit code 1 (%s)" % code)
    expect(read_bookmark(session.folder, part) == b"0",
           "the end left %r in the bookmark file, not 0" % read_bookmark(session.folder, part))


case("focus.switch_away_and_back_mid_page.part1", programs=["part1"], size=(640, 480),
     window_manager=True, part="part1", fast_forward=False)(switch_away_and_back)
case("focus.switch_away_and_back_fast_forwarding.part1", programs=["part1"], size=(640, 480),
     window_manager=True, part="part1", fast_forward=True)(switch_away_and_back)
