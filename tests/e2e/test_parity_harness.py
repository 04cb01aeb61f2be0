"""Tests of the frame comparison and the still-frame catcher, on made-up screens."""
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from harness.checks import BLACK, WHITE  # noqa: E402
from harness.frame_parity import (YELLOW, FrameComparison, difference_image,  # noqa: E402
                                  identical_share, text_runs)
from harness.image import Image  # noqa: E402
from harness.still_frames import STILL_FOR, capture_still_frames  # noqa: E402

WIDTH, HEIGHT = 64, 48


def screen(boxes=(), background=BLACK):
    """A small screen with filled (left, top, right, bottom, colour) boxes, inclusive."""
    pixels = [list(background) for _ in range(WIDTH * HEIGHT)]
    for left, top, right, bottom, colour in boxes:
        for y in range(top, bottom + 1):
            for x in range(left, right + 1):
                pixels[y * WIDTH + x] = list(colour)
    return Image(WIDTH, HEIGHT, bytes(value for pixel in pixels for value in pixel))


class Comparison(unittest.TestCase):
    def test_identical_share_counts_differing_pixels(self):
        self.assertEqual(identical_share(screen(), screen()), 1.0)
        one_side = screen([(0, 0, 3, 0, WHITE)])  # four pixels
        self.assertAlmostEqual(identical_share(one_side, screen()), 1 - 4 / (WIDTH * HEIGHT))

    def test_runs_split_by_empty_rows_wide_gaps_and_colour(self):
        first = screen([(2, 2, 5, 9, WHITE), (8, 2, 10, 9, WHITE),  # a 3-column gap: one run
                        (30, 2, 33, 9, WHITE),                       # a wide gap: a second run
                        (40, 2, 44, 9, YELLOW),                      # another colour
                        (2, 20, 6, 27, WHITE)])                      # the next row band
        runs = text_runs(first, first)
        self.assertEqual([region for _, region in runs],
                         [(2, 2, 10, 9), (30, 2, 33, 9), (40, 2, 44, 9), (2, 20, 6, 27)])
        self.assertEqual([colour for colour, _ in runs], [WHITE, WHITE, YELLOW, WHITE])

    def test_both_sides_are_cut_into_the_same_runs(self):
        # Each side alone would cut these differently; their union decides.
        first = screen([(2, 2, 8, 9, WHITE)])
        second = screen([(3, 2, 9, 9, WHITE)])
        comparison = FrameComparison("shifted", first, second)
        self.assertEqual(len(comparison.runs), 1)
        self.assertEqual(comparison.runs[0][1:], ((2, 2, 8, 9), (3, 2, 9, 9), 1))

    def test_a_shift_of_one_pixel_passes_and_two_fail(self):
        base = screen([(10, 10, 20, 17, WHITE)])
        by_one = screen([(11, 10, 21, 17, WHITE)])
        by_two = screen([(10, 12, 20, 19, WHITE)])
        self.assertTrue(FrameComparison("one", base, by_one).passes(0.9, 1))
        two = FrameComparison("two", base, by_two)
        self.assertEqual(two.worst_box_difference, 2)
        self.assertFalse(two.passes(0.9, 1))

    def test_a_run_on_one_side_only_fails_whatever_the_share(self):
        first = screen([(10, 10, 20, 17, WHITE), (40, 30, 41, 31, YELLOW)])
        second = screen([(10, 10, 20, 17, WHITE), (40, 30, 41, 31, WHITE)])
        comparison = FrameComparison("colour", first, second)
        self.assertIsNone(comparison.worst_box_difference)
        self.assertFalse(comparison.passes(0.5, 5))
        self.assertIn("one side only", comparison.summary())

    def test_identical_boxes_with_too_many_differing_pixels_fail(self):
        solid = screen([(10, 10, 40, 30, WHITE)])
        hollow = screen([(10, 10, 40, 30, WHITE), (11, 11, 39, 29, BLACK)])
        comparison = FrameComparison("hollow", solid, hollow)
        self.assertEqual(comparison.worst_box_difference, 0)
        self.assertFalse(comparison.passes(0.995, 1))

    def test_a_frame_without_text_never_passes(self):
        self.assertFalse(FrameComparison("blank", screen(), screen()).passes(0.0, 100))

    def test_difference_image_marks_which_side_has_the_text(self):
        first = screen([(0, 0, 0, 0, WHITE)])
        second = screen([(1, 0, 1, 0, WHITE)])
        diff = difference_image(first, second)
        self.assertEqual(diff.pixel(0, 0), (255, 0, 0))
        self.assertEqual(diff.pixel(1, 0), (0, 255, 0))
        self.assertEqual(diff.pixel(5, 5), (0, 0, 0))


class ScriptedScreen:
    """Screens that change at given times on a fake clock that each poll advances."""

    def __init__(self, timeline, step=0.15):
        self.timeline = timeline  # [(from time, image)], in order
        self.now = 0.0
        self.step = step

    def clock(self):
        return self.now

    def sleep(self, seconds):
        self.now += seconds

    def take(self):
        shown = self.timeline[0][1]
        for start, image in self.timeline:
            if start <= self.now:
                shown = image
        return shown


class StillFrames(unittest.TestCase):
    def catch(self, timeline, names, timeout=60):
        scripted = ScriptedScreen(timeline)
        return capture_still_frames(scripted.take, names, timeout,
                                    clock=scripted.clock, sleep=scripted.sleep)

    def test_holds_are_caught_in_order_and_typing_is_not(self):
        dark, card = screen(), screen([(5, 5, 20, 12, WHITE)])
        typing = [screen([(2, 2, 2 + i, 4, WHITE)]) for i in range(8)]
        page = screen([(2, 2, 30, 4, WHITE)])
        timeline = [(0.0, dark), (3.0, card), (5.0, dark)]
        timeline += [(6.0 + 0.5 * i, image) for i, image in enumerate(typing)]
        timeline += [(10.0, page), (12.0, dark)]
        frames, missed = self.catch(timeline, ["card", "page"])
        self.assertEqual(missed, [])
        self.assertEqual(frames["card"].rgb, card.rgb)
        self.assertEqual(frames["page"].rgb, page.rgb)

    def test_a_still_screen_without_white_is_not_a_frame(self):
        yellow_only = screen([(5, 5, 20, 12, YELLOW)])
        frames, missed = self.catch([(0.0, yellow_only)], ["card"], timeout=10)
        self.assertEqual(frames, {})
        self.assertEqual(missed, ["card"])

    def test_the_same_screen_held_again_counts_once(self):
        card = screen([(5, 5, 20, 12, WHITE)])
        other = screen([(5, 5, 22, 12, WHITE)])
        # The card, a blink of a changed screen, the card again, then the other.
        timeline = [(0.0, card), (3.0, screen()), (3.3, card), (6.0, other)]
        frames, missed = self.catch(timeline, ["first", "second"])
        self.assertEqual(missed, [])
        self.assertEqual(frames["second"].rgb, other.rgb)

    def test_a_screen_shorter_than_the_still_time_is_missed(self):
        card = screen([(5, 5, 20, 12, WHITE)])
        timeline = [(0.0, screen()), (1.0, card), (1.0 + STILL_FOR - 0.2, screen())]
        frames, missed = self.catch(timeline, ["card"], timeout=8)
        self.assertEqual(missed, ["card"])


if __name__ == "__main__":
    unittest.main()
