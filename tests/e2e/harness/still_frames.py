"""Catching the moments when the screen stays still: each card's hold, the story's
last pause. A frame counts once it has not changed for a while and shows white
(the first white of the palette appears only at full brightness)."""
import time

from .checks import WHITE

STILL_FOR = 1.2  # seconds; longer than any pause while the story types
POLL_EVERY = 0.15


def shows_white(image):
    target = bytes(WHITE)
    at = image.rgb.find(target)
    while at != -1 and at % 3:
        at = image.rgb.find(target, at + 1)
    return at != -1


def capture_still_frames(take, names, timeout, is_running=lambda: True,
                         clock=time.monotonic, sleep=time.sleep):
    """One image per name, in order, from the screenshots take() returns: each a
    screen with white on it that stayed the same for STILL_FOR seconds and differs
    from the frame caught before it. Returns the frames and the names not caught."""
    frames = {}
    pending = list(names)
    last_caught = None
    current, since = None, None
    deadline = clock() + timeout
    while pending and clock() < deadline:
        taken = clock()
        image = take()
        if current is None or image.rgb != current.rgb:
            current, since = image, taken
        elif (taken - since >= STILL_FOR and shows_white(image) and
              (last_caught is None or image.rgb != last_caught.rgb)):
            frames[pending.pop(0)] = image
            last_caught = image
        if not is_running():
            break
        sleep(POLL_EVERY)
    return frames, pending
