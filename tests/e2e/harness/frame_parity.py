"""Comparing the frames of two runs of the same story, natively and under Wine:
the same distinct frames in the same order, page pixels and palette entries
alike, each at the same time within TIME_TOLERANCE_MS of the other.

Frames are named by the reader's own sequence: a fade by the card it shows, its
step and the brightness; a story frame by the script line and the character that
made it.

Times count from the first frame, leaving out what the reader does not time and
each platform does at its own speed: its start-up before the first frame that
shows anything, the drawing of each card (or the copy of the picture) before it
fades in and of the story's first character after it, and the sound cues, which
last as long as the audio device makes them."""
from .checks import WHITE
from .frame_record import records_at
from .image import Image

YELLOW = (255, 255, 0)
TEXT_COLOURS = (WHITE, YELLOW)
TIME_TOLERANCE_MS = 5.0
MOST_LISTED = 10
MOST_PICTURED = 5

FULL_WIDTH_SPACE = b"\x81\x40"
FIRST_WHITE = 98  # white at full brightness; its red is 255 plus the brightness
FADES = ("title card 1 fading in", "title card 1 fading out", "title card 2 fading in",
         "title card 2 fading out", "the picture fading in", "the story fading out",
         "the closing card fading in", "the closing card fading out",
         "the disclaimer fading in", "the disclaimer fading out")
STORY_FADE = FADES.index("the story fading out")


class Step:
    """A character of the script that changes the screen."""

    def __init__(self, line, position, character, after_cue):
        self.line = line
        self.position = position
        self.character = character
        self.after_cue = after_cue


def story_steps(story):
    """The characters that change the screen, in order, and whether a sound cue
    comes after the last of them. A full-width space draws nothing, but shows the
    empty page when it is the first character of a new one."""
    steps, cue = [], False
    for index in range(story.line_count):
        text = story.text(index)
        if text[:1] == b"s":
            cue = True
        elif story.waits(index):
            for at in range(0, len(text), 2):
                character = text[at:at + 2]
                if character != FULL_WIDTH_SPACE or at == story.page_start(index):
                    steps.append(Step(index, at // 2, character.decode("cp932", "replace"), cue))
                    cue = False
    return steps, cue


def brightness(palette):
    return palette[3 * FIRST_WHITE] - 255


def name_frames(frames, steps, cue_at_end=False):
    """[(name, whether what led to it is left out of its time)] for each frame. A fade
    is a run of palette changes the same way; a frame that changes the page alone is
    the next character of the story."""
    named, fade, step, rising, story = [], -1, 0, None, iter(steps)
    for i, frame in enumerate(frames):
        if i == 0:
            named.append(("the black screen of the start", False))
            continue
        afresh = i == 1
        if frame.palette_changed:
            now_rising = brightness(frame.palette) > brightness(frame.palette_before)
            if rising is None or now_rising != rising:
                fade, step, rising = fade + 1, 0, now_rising
                # The story's end stores the bookmark, a file forced to the disk, before
                # its last pause: neither platform times that, nor a cue at the end.
                afresh = afresh or now_rising or fade == STORY_FADE
            step += 1
            sequence = FADES[fade] if fade < len(FADES) else "fade %d" % (fade + 1)
            named.append(("%s, step %d (brightness %d)" % (sequence, step,
                                                          brightness(frame.palette)), afresh))
            continue
        after_fade, rising = rising is not None, None
        character = next(story, None)
        if character is None:
            named.append(("a page change that no character of the script explains", afresh))
        else:
            named.append(("script line %d, character %d '%s'" % (  # both counted from 1
                character.line + 1, character.position + 1, character.character),
                afresh or after_fade or character.after_cue))
    return named


class FrameParity:
    """The comparison of two runs' distinct frames (frame_record.shown_frames)."""

    def __init__(self, linux, wine, steps, cue_at_end=False, other="Wine"):
        self.linux, self.wine, self.other = linux, wine, other
        self.linux_names = name_frames(linux, steps, cue_at_end)
        self.wine_names = name_frames(wine, steps, cue_at_end)
        count = min(len(linux), len(wine))
        self.differing = [i for i in range(count) if linux[i].digest != wine[i].digest]
        # Past a frame one side lacks, the two are out of step: times mean nothing.
        timed = count if len(linux) == len(wine) else (self.differing or [count])[0]
        self.time_differences = self._time_differences(timed)

    def _time_differences(self, count):
        """[(frame, milliseconds)]: Linux's time minus Wine's, each from the first frame."""
        differences, before, left_out = [], 0, 0
        for i in range(1, count):
            apart = (self.linux[i].time - self.linux[0].time) - (self.wine[i].time - self.wine[0].time)
            if self.linux_names[i][1]:  # the time that led to it is not compared
                left_out += apart - before
            before = apart
            differences.append((i, (apart - left_out) / 1000.0))
        return differences

    @property
    def largest_time_difference(self):
        return max(self.time_differences, key=lambda d: abs(d[1]), default=(None, 0.0))

    @property
    def largest_drift(self):
        """The largest time difference from the first frame that shows anything, with
        nothing left out (milliseconds)."""
        count = len(self.time_differences) + 1
        return max((abs((self.linux[i].time - self.linux[1].time) -
                        (self.wine[i].time - self.wine[1].time)) / 1000.0
                    for i in range(1, count)), default=0.0)

    @property
    def late_frames(self):
        return [(i, ms) for i, ms in self.time_differences if abs(ms) > TIME_TOLERANCE_MS]

    def passes(self):
        return len(self.linux) == len(self.wine) and not self.differing and not self.late_frames

    @property
    def jumps(self):
        """The frames whose time difference moved by more than the tolerance from the
        frame before: where one run stalled, or where a pause differs."""
        before, found = 0.0, set()
        for i, ms in self.time_differences:
            if abs(ms - before) > TIME_TOLERANCE_MS:
                found.add(i)
            before = ms
        return found

    def name(self, i):
        return self.linux_names[i][0] if i < len(self.linux) else self.wine_names[i][0]

    def report(self):
        """Lines for people: the counts, the worst time, and every difference."""
        worst, worst_ms = self.largest_time_difference
        lines = ["%d distinct frames on Linux, %d in %s; %d differ; the largest time "
                 "difference %.1f ms%s; %.1f ms with the untimed drawing and cues counted" % (
                     len(self.linux), len(self.wine), self.other, len(self.differing), abs(worst_ms),
                     "" if worst is None else " (frame %d, %s)" % (worst, self.name(worst)),
                     self.largest_drift)]
        if len(self.linux) != len(self.wine):
            at = (self.differing or [min(len(self.linux), len(self.wine))])[0]
            lines.append("out of step from frame %d: Linux shows %s, %s %s" % (
                at, self._name_on(self.linux_names, at), self.other,
                self._name_on(self.wine_names, at)))
        for i in self.differing[:MOST_LISTED]:
            lines.append("frame %d differs: %s" % (i, self.name(i)))
        for i, ms in self.late_frames[:MOST_LISTED]:
            lines.append("frame %d comes %.1f ms %s on Linux than in %s: %s" % (
                i, abs(ms), "later" if ms > 0 else "earlier", self.other, self.name(i)))
        return lines

    @staticmethod
    def _name_on(names, i):
        return names[i][0] if i < len(names) else "nothing more"

    def pictures(self, linux_path, wine_path):
        """[(frame, Linux image, Wine image, difference image, what differs)] for the
        first differing frames, read back from the two records."""
        shown = self.differing[:MOST_PICTURED]
        linux = records_at(linux_path, [self.linux[i].index for i in shown])
        wine = records_at(wine_path, [self.wine[i].index for i in shown])
        pictures = []
        for i in shown:
            first, second = linux[self.linux[i].index], wine[self.wine[i].index]
            first_image = Image(first.width, first.height, first.rgb())
            second_image = Image(second.width, second.height, second.rgb())
            pictures.append((i, first_image, second_image,
                             difference_image(first_image, second_image),
                             what_differs(first, second)))
        return pictures


def what_differs(first, second):
    """The differing page pixels (count and box) and palette entries of two records."""
    parts = []
    if first.page != second.page and len(first.page) == len(second.page):
        at = [i for i in range(len(first.page)) if first.page[i] != second.page[i]]
        xs, ys = [i % first.width for i in at], [i // first.width for i in at]
        parts.append("%d page pixels in (%d,%d)-(%d,%d)" % (len(at), min(xs), min(ys),
                                                           max(xs), max(ys)))
    elif first.page != second.page:
        parts.append("pages of different sizes")
    entries = [i for i in range(256) if first.palette[3 * i:3 * i + 3] != second.palette[3 * i:3 * i + 3]]
    if entries:
        parts.append("palette entries %s" % entries[:20])
    return "; ".join(parts)


def difference_image(first, second):
    """Identical pixels dimmed to a quarter; differing ones red where only the first
    side has text, green where only the second has, magenta otherwise."""
    out = bytearray(len(first.rgb))
    text = {bytes(c) for c in TEXT_COLOURS}
    for i in range(0, len(first.rgb), 3):
        a, b = first.rgb[i:i + 3], second.rgb[i:i + 3]
        if a == b:
            out[i:i + 3] = bytes(v // 4 for v in a)
        elif a in text and b not in text:
            out[i:i + 3] = b"\xff\x00\x00"
        elif b in text and a not in text:
            out[i:i + 3] = b"\x00\xff\x00"
        else:
            out[i:i + 3] = b"\xff\x00\xff"
    return Image(first.width, first.height, bytes(out))
