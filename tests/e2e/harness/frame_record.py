"""Reading a frame record: the frames a run showed, as the Linux layer
(READER_FRAME_RECORD) and the Windows build's test ddraw.dll write them (the
format is described in platform/posix/screen/frame_record_writer.h)."""
import hashlib
import struct
from dataclasses import dataclass

MAGIC = b"RDRFRM01"
PALETTE_BYTES = 768
HAS_PALETTE, HAS_PAGE = 1, 2


@dataclass
class RecordedFrame:
    """One frame as recorded: time in microseconds, the page (one byte a pixel,
    row by row) and the palette (red, green, blue for each of 256 entries)."""
    time: int
    width: int
    height: int
    page: bytes
    palette: bytes

    def rgb(self):
        """The picture shown: the page through the palette, 3 bytes a pixel."""
        planes = [self.page.translate(self.palette[c::3]) for c in range(3)]
        out = bytearray(3 * len(self.page))
        for c in range(3):
            out[c::3] = planes[c]
        return bytes(out)

    def shown_digest(self):
        """Equal for two frames that look the same, whatever their indices."""
        digest = hashlib.blake2b(digest_size=16)
        for c in range(3):
            digest.update(self.page.translate(self.palette[c::3]))
        return digest.digest()

    def digest(self):
        """Equal for two frames with the same page and palette."""
        return hashlib.blake2b(self.page + self.palette, digest_size=16).digest()


def read_frames(path):
    """Yields every frame of the record in order. A record cut short (the program
    killed while writing) ends at its last whole frame."""
    with open(path, "rb") as record:
        data = record.read()
    if data[:8] != MAGIC:
        raise ValueError("%s is not a frame record" % path)
    at, width, height = 8, 0, 0
    page = bytearray()
    palette = bytes(PALETTE_BYTES)
    while at + 9 <= len(data):
        time, what = struct.unpack_from("<qB", data, at)
        at += 9
        if what & HAS_PALETTE:
            if at + PALETTE_BYTES > len(data):
                return
            palette = data[at:at + PALETTE_BYTES]
            at += PALETTE_BYTES
        if what & HAS_PAGE:
            if at + 12 > len(data):
                return
            page_width, page_height, x, y, w, h = struct.unpack_from("<6H", data, at)
            at += 12
            if at + w * h > len(data):
                return
            if (page_width, page_height) != (width, height):
                width, height = page_width, page_height
                page = bytearray(width * height)
            for row in range(h):
                start = (y + row) * width + x
                page[start:start + w] = data[at:at + w]
                at += w
        yield RecordedFrame(time, width, height, bytes(page), palette)


class ShownFrame:
    """One distinct frame of a run: what the screen showed from time on, with the
    page and palette digest of the first record that looked like it, and whether
    that record changed the page or the palette of the record before it."""

    def __init__(self, index, time, digest, palette, palette_before, page_changed):
        self.index = index  # of that first record in the file
        self.time = time
        self.digest = digest
        self.palette = palette
        self.palette_before = palette_before
        self.page_changed = page_changed

    @property
    def palette_changed(self):
        return self.palette != self.palette_before


def shown_frames(path):
    """The record's frames as a viewer sees them. Records that look like the one
    before are the same frame: a page cleared while the palette is dark, then the
    palette brought back over the still black page, is black all along. Under
    Windows the clear shows at once; the Linux layer shows it with the next
    present; neither is visible."""
    frames, last, last_shown = [], None, None
    for index, frame in enumerate(read_frames(path)):
        shown = frame.shown_digest()
        if shown != last_shown:
            frames.append(ShownFrame(index, frame.time, frame.digest(), frame.palette,
                                     last.palette if last else None,
                                     last is None or frame.page != last.page))
            last_shown = shown
        last = frame
    return frames


def records_at(path, indices):
    """{index: RecordedFrame} for the given record indices."""
    wanted, found = set(indices), {}
    for index, frame in enumerate(read_frames(path)):
        if index in wanted:
            found[index] = frame
            if len(found) == len(wanted):
                break
    return found
