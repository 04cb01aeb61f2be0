"""Tests of the frame record's reader and the frame comparison, on made-up records."""
import os
import struct
import sys
import tempfile
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from harness.checks import WHITE  # noqa: E402
from harness.frame_parity import FrameParity, Step, difference_image, name_frames  # noqa: E402
from harness.frame_record import MAGIC, ShownFrame, read_frames, shown_frames  # noqa: E402
from harness.image import Image  # noqa: E402


def palette(bright=0):
    """Black, then white at the given brightness at entry 98 and beyond."""
    white = bytes([255 + bright] * 3)
    return bytes(3 * 98) + white * 158


def entry(time, palette_bytes=None, page=None, box=(0, 0, 4, 2), size=(4, 2)):
    """One record entry; page holds the box's pixels."""
    data = struct.pack("<qB", time, (1 if palette_bytes else 0) | (2 if page else 0))
    if palette_bytes:
        data += palette_bytes
    if page:
        data += struct.pack("<6H", *size, *box) + page
    return data


def frame(time, page_changed, bright_before, bright=0, digest=b"x"):
    return ShownFrame(0, time * 1000, digest, palette(bright), palette(bright_before), page_changed)


class Record(unittest.TestCase):
    def read(self, data):
        with tempfile.NamedTemporaryFile(delete=False) as out:
            out.write(MAGIC + data)
        try:
            return list(read_frames(out.name)), shown_frames(out.name)
        finally:
            os.unlink(out.name)

    def test_rectangles_update_the_page_and_a_cut_entry_is_dropped(self):
        frames, _ = self.read(entry(10, palette(), bytes(range(8))) +
                              entry(30, page=b"\x63\x64", box=(1, 1, 2, 1)) +
                              entry(50, palette(-8))[:20])
        self.assertEqual([f.time for f in frames], [10, 30])
        self.assertEqual(frames[1].page, bytes([0, 1, 2, 3, 4, 0x63, 0x64, 7]))
        self.assertEqual(frames[1].palette, palette())

    def test_frames_that_look_alike_are_one_shown_frame(self):
        # A black page under two palettes, then white ink on it.
        _, shown = self.read(entry(0, palette(-255), bytes(8)) + entry(5, palette()) +
                             entry(9, page=b"\x62", box=(0, 0, 1, 1)))
        self.assertEqual([(f.time, f.page_changed, f.palette_changed) for f in shown],
                         [(0, True, True), (9, True, False)])
        self.assertEqual(shown[1].palette, palette())


class Naming(unittest.TestCase):
    STEPS = [Step(3, 0, "a", False), Step(5, 1, "b", True)]

    def frames(self):
        # The start, a fade in (the first step also shows the flipped card), two
        # characters, a fade out.
        return [frame(0, True, 0, -255), frame(2000, True, -255, -247),
                frame(2020, False, -247, -239), frame(2040, False, -7, 0),
                frame(3000, True, 0), frame(3100, True, 0), frame(3200, False, 0, -8)]

    def test_fades_and_story_characters_are_named_in_the_readers_order(self):
        names = [name for name, _ in name_frames(self.frames(), self.STEPS)]
        self.assertEqual(names[1], "title card 1 fading in, step 1 (brightness -247)")
        self.assertEqual(names[3], "title card 1 fading in, step 3 (brightness 0)")
        self.assertEqual(names[5], "script line 6, character 2 'b'")
        self.assertEqual(names[6], "title card 1 fading out, step 1 (brightness -8)")

    def test_times_count_from_the_first_shown_frame_and_leave_out_cues(self):
        linux, wine = self.frames(), self.frames()
        for late in wine[1:]:
            late.time += 40000           # a slower start-up
        for late in wine[5:]:
            late.time += 300000          # a cue that took longer before line 5
        wine[6].time += 6000             # a fade step 6 ms late
        parity = FrameParity(linux, wine, self.STEPS)
        self.assertEqual([i for i, _ in parity.late_frames], [6])
        self.assertEqual(parity.largest_time_difference, (6, -6.0))
        self.assertFalse(parity.passes())
        self.assertEqual(parity.jumps, {6})  # where the time moved

    def test_a_frame_on_one_side_only_puts_them_out_of_step(self):
        linux = self.frames()
        wine = linux[:4] + [frame(2060, True, 0, digest=b"y")] + linux[4:]
        parity = FrameParity(linux, wine, self.STEPS)
        self.assertFalse(parity.passes())
        self.assertEqual(parity.differing[0], 4)
        self.assertIn("out of step from frame 4", "\n".join(parity.report()))


class Difference(unittest.TestCase):
    def test_difference_image_marks_which_side_has_the_text(self):
        first = Image(2, 1, bytes(WHITE) + bytes(3))
        second = Image(2, 1, bytes(3) + bytes(WHITE))
        diff = difference_image(first, second)
        self.assertEqual(diff.pixel(0, 0), (255, 0, 0))
        self.assertEqual(diff.pixel(1, 0), (0, 255, 0))


if __name__ == "__main__":
    unittest.main()
