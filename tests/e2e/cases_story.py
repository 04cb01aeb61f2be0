"""Whole runs of part1 and part2 on the sample story: fast-forward to the end, quitting
and resuming, a missing bookmark, and what the cards and the story page look like."""
import time

from harness.checks import (BLACK, DISCLAIMER_BLUE, WHITE, bounding_box, count_colour,
                            expect, poll_screen)
from harness.image import read_bmp8
from harness.play import Story, read_bookmark, remove_bookmark, write_bookmark
from harness.registry import case

FAST_RUN_TIMEOUT = 120
PARTS = ("part1", "part2")


def story_of(session, part):
    return Story(session.folder, part)


def start_fast_forwarded(session, part):
    running = session.start(part)
    session.wait_window(part)
    session.desktop.key_down("Control_L")
    return running


def expect_end(running, timeout, what):
    code = running.exit_code(timeout)
    expect(code is not None, "%s: the program did not end within %d s" % (what, timeout))
    expect(code == 1, "%s: exit code %s, not 1" % (what, code))


def fast_forward_to_end(session, part):
    write_bookmark(session.folder, part, 3)
    running = start_fast_forwarded(session, part)
    expect_end(running, FAST_RUN_TIMEOUT, "the whole story with Ctrl held")
    expect(read_bookmark(session.folder, part) == b"0",
           "the story's end left %r in the bookmark file, not 0"
           % read_bookmark(session.folder, part))


def missing_bookmark(session, part):
    remove_bookmark(session.folder, part)
    files_before = sorted(p.name for p in session.folder.iterdir())
    running = start_fast_forwarded(session, part)
    expect_end(running, FAST_RUN_TIMEOUT, "a missing bookmark file")
    expect(read_bookmark(session.folder, part) is None, "the bookmark file was created")
    expect(sorted(p.name for p in session.folder.iterdir()) == files_before,
           "the program left new files behind")


for _part in PARTS:
    case("story.fast_forward_to_end." + _part, programs=[_part], part=_part)(fast_forward_to_end)
    case("story.missing_bookmark_ends_silently." + _part, programs=[_part], part=_part)(
        missing_bookmark)


def shows_backdrop(picture, scale):
    """True once the picture is on screen at full brightness below the text rows."""
    samples = [(x, y) for x in (40, 320, 600) for y in (420, 460)]
    def check(image):
        return all(image.pixel(int(x * scale), int(y * scale)) == picture.pixel(x, y)
                   for x, y in samples)
    return check


# Screens that are compared pixel for pixel with the picture run at 640x480, unscaled.
@case("story.key_stores_line_and_next_start_resumes.part1", programs=["part1"], part="part1",
       size=(640, 480))
def key_stores_and_resumes(session, part, picture):
    story = story_of(session, part)
    backdrop, _ = read_bmp8(picture)
    scale = session.x.width / 640
    # Start well inside the story, so five lines back is still inside it.
    preset = story.line_count // 2
    write_bookmark(session.folder, part, preset)
    first_run = session.start(part)
    session.wait_window(part)
    poll_screen(session, shows_backdrop(backdrop, scale), 30, "the backdrop")
    time.sleep(3.0)
    page = session.screenshot("story_page")
    text = bounding_box(page, WHITE, (0, 0, page.width, int(60 * scale)))
    expect(text is not None, "no white story text in the first row")
    expect(text[0] <= int(40 * scale), "the first row does not start at the left margin")
    expect(page.pixel(int(320 * scale), int(440 * scale)) == backdrop.pixel(320, 440),
           "the backdrop is not under the story text")
    session.desktop.key("a")
    expect_end(first_run, 5, "a key during the story")
    stored = int(read_bookmark(session.folder, part))
    resumed_at = story.first_waiting_line_from(story.resume_index(preset))
    expect(resumed_at <= stored < story.line_count,
           "the key stored line %d; the story resumed at %d of %d lines"
           % (stored, resumed_at, story.line_count))
    expect(story.waits(stored), "line %d is not one the reader waits on" % stored)

    # The next start, at normal pace: a key as soon as the first story text shows
    # stores the line on screen, which must be the first one it waits on, five
    # lines before the stored one (or the next, if that first line was short).
    second_run = session.start(part)
    session.wait_window(part)
    poll_screen(session, first_row_has_text(scale), 40, "the resumed story's first text")
    session.desktop.key("a")
    expect_end(second_run, 5, "a key on the next start")
    expected = story.first_waiting_line_from(story.resume_index(stored))
    after = int(read_bookmark(session.folder, part))
    expect(after in (expected, story.first_waiting_line_from(expected + 1)),
           "the next start stored line %d, expected %d (five before %d)"
           % (after, expected, stored))


def first_row_has_text(scale):
    def check(image):
        return bounding_box(image, WHITE, (0, 0, image.width, int(40 * scale))) is not None
    return check


def cards_are_centred(image, scale, band):
    box = bounding_box(image, WHITE, (0, int(band[0] * scale), image.width, int(band[1] * scale)))
    if box is None:
        return False
    centre = (box[0] + box[2]) / 2 / scale
    return abs(centre - 320) <= 12 and image.pixel(5, 5) == BLACK


def disclaimer_shown(image):
    return (image.pixel(5, 5) == DISCLAIMER_BLUE and
            image.pixel(image.width - 5, image.height - 5) == DISCLAIMER_BLUE and
            bounding_box(image, WHITE) is not None)


def cards_in_order(session, part, picture):
    story = story_of(session, part)
    backdrop, _ = read_bmp8(picture)
    scale = session.x.width / 640
    # The value stored by a quit during the closing: the run shows the last lines only.
    write_bookmark(session.folder, part, story.line_count)
    running = session.start(part)
    session.wait_window(part)

    title = poll_screen(session, lambda image: cards_are_centred(image, scale, (140, 320)), 15,
                        "a title card centred at full brightness")
    session.keep(title, "title_card")
    poll_screen(session, shows_backdrop(backdrop, scale), 30, "the backdrop")
    closing = poll_screen(session, lambda image: cards_are_centred(image, scale, (190, 290)),
                          90, "the closing card centred at full brightness")
    session.keep(closing, "closing_card")
    box = bounding_box(closing, WHITE)
    middle = (box[1] + box[3]) / 2 / scale
    expect(abs(middle - 240) <= 15, "the closing text is not centred vertically (%d)" % middle)

    disclaimer = poll_screen(session, disclaimer_shown, 20, "the disclaimer card")
    session.keep(disclaimer, "disclaimer_card")
    box = bounding_box(disclaimer, WHITE)
    expect(100 <= box[0] / scale <= 112, "the disclaimer text starts at x %d, not 100"
           % (box[0] / scale))
    expect(125 <= box[1] / scale <= 145 and 250 <= box[3] / scale <= 285,
           "the disclaimer lines span y %d..%d" % (box[1] / scale, box[3] / scale))
    expect(count_colour(disclaimer, WHITE) > 2000, "the disclaimer text is too thin")

    expect_end(running, 10, "the end of the cards")
    expect(read_bookmark(session.folder, part) == b"0", "the end did not store 0")


for _part in PARTS:
    case("cards.title_closing_and_disclaimer." + _part, programs=[_part], part=_part,
         size=(640, 480))(cards_in_order)
