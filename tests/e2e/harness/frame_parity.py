"""Comparing two captures of the same moment, one per platform: the share of
identical pixels, and the bounding box of every text run on both sides.

Runs are found on the union of both sides' text pixels, so both sides are cut
into the same pieces: bands of rows with text, split at empty rows; within a
band, pieces of one colour split where at least half a band's height of columns
is empty (a full-width space, a colour change, the gap between card lines)."""
from .checks import WHITE

YELLOW = (255, 255, 0)
TEXT_COLOURS = (WHITE, YELLOW)


def identical_share(first, second):
    same = sum(1 for i in range(0, len(first.rgb), 3)
               if first.rgb[i:i + 3] == second.rgb[i:i + 3])
    return same / (first.width * first.height)


def colour_mask(image, colour):
    """The set of (x, y) of exactly that colour."""
    target = bytes(colour)
    found = set()
    rgb, width = image.rgb, image.width
    at = rgb.find(target)
    while at != -1:
        if at % 3 == 0:
            found.add(((at // 3) % width, (at // 3) // width))
            at = rgb.find(target, at + 3)
        else:
            at = rgb.find(target, at + 1)
    return found


def row_bands(points):
    """(top, bottom) inclusive of the groups of consecutive rows holding points."""
    rows = sorted({y for _, y in points})
    bands = []
    for y in rows:
        if bands and y == bands[-1][1] + 1:
            bands[-1][1] = y
        else:
            bands.append([y, y])
    return [tuple(band) for band in bands]


def column_runs(columns, gap):
    """(left, right) inclusive of the columns, split where gap or more are empty."""
    runs = []
    for x in sorted(columns):
        if runs and x - runs[-1][1] <= gap:
            runs[-1][1] = x
        else:
            runs.append([x, x])
    return [tuple(run) for run in runs]


def text_runs(first, second):
    """[(colour, region)] with region (left, top, right, bottom) inclusive, from the
    text pixels of either side."""
    runs = []
    for colour in TEXT_COLOURS:
        union = colour_mask(first, colour) | colour_mask(second, colour)
        for top, bottom in row_bands(union):
            columns = {x for x, y in union if top <= y <= bottom}
            gap = max(8, (bottom - top + 1) // 2)
            for left, right in column_runs(columns, gap):
                runs.append((colour, (left, top, right, bottom)))
    return sorted(runs, key=lambda run: (run[1][1], run[1][0]))


def box_in(mask, region):
    left, top, right, bottom = region
    inside = [(x, y) for x, y in mask if left <= x <= right and top <= y <= bottom]
    if not inside:
        return None
    xs, ys = [x for x, _ in inside], [y for _, y in inside]
    return (min(xs), min(ys), max(xs), max(ys))


def box_difference(first_box, second_box):
    """The largest distance between matching edges; None when one side lacks the run."""
    if first_box is None or second_box is None:
        return None
    return max(abs(a - b) for a, b in zip(first_box, second_box))


class FrameComparison:
    def __init__(self, name, first, second):
        self.name = name
        self.share = identical_share(first, second)
        masks = {(side, colour): colour_mask(image, colour)
                 for side, image in (("first", first), ("second", second))
                 for colour in TEXT_COLOURS}
        self.runs = []
        for colour, region in text_runs(first, second):
            boxes = (box_in(masks["first", colour], region),
                     box_in(masks["second", colour], region))
            self.runs.append((colour, boxes[0], boxes[1], box_difference(*boxes)))

    @property
    def worst_box_difference(self):
        """The worst edge distance over every run; None when a run is on one side only."""
        worst = 0
        for _, _, _, difference in self.runs:
            if difference is None:
                return None
            worst = max(worst, difference)
        return worst

    def passes(self, least_share, most_box_difference):
        worst = self.worst_box_difference
        return (bool(self.runs) and self.share >= least_share and worst is not None and
                worst <= most_box_difference)

    def summary(self):
        worst = self.worst_box_difference
        return "%-12s identical %.4f%%, %d text runs, worst box difference %s" % (
            self.name, 100 * self.share, len(self.runs),
            "a run on one side only" if worst is None else "%d px" % worst)

    def details(self):
        lines = []
        for colour, first_box, second_box, difference in self.runs:
            lines.append("  %s %s | %s  (%s)" % (
                "white " if colour == WHITE else "yellow", first_box, second_box,
                "missing" if difference is None else "%d px" % difference))
        return lines


def difference_image(first, second):
    """Identical pixels dimmed to a quarter; differing ones red where only the first
    side has text, green where only the second has, magenta otherwise."""
    from .image import Image
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
