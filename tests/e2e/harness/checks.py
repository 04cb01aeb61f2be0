"""Looking at screenshots: colours, where white text is, and how long to wait for a state."""
import time

WHITE = (255, 255, 255)
BLACK = (0, 0, 0)
DISCLAIMER_BLUE = (43, 179, 255)


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def bounding_box(image, colour, region=None):
    """(left, top, right, bottom) inclusive of the pixels of exactly colour in region
    (left, top, right, bottom exclusive), or None when there is none."""
    left, top, right, bottom = region or (0, 0, image.width, image.height)
    target = bytes(colour)
    found = None
    for y in range(top, bottom):
        row = image.rgb[3 * (y * image.width + left):3 * (y * image.width + right)]
        first = _find_pixel(row, target, forward=True)
        if first is None:
            continue
        last = _find_pixel(row, target, forward=False)
        x0, x1 = left + first, left + last
        if found is None:
            found = [x0, y, x1, y]
        else:
            found = [min(found[0], x0), found[1], max(found[2], x1), y]
    return tuple(found) if found else None


def _find_pixel(row, target, forward):
    at = row.find(target) if forward else row.rfind(target)
    while at != -1 and at % 3:
        at = row.find(target, at + 1) if forward else row.rfind(target, 0, at)
    return None if at == -1 else at // 3


def count_colour(image, colour, region=None):
    left, top, right, bottom = region or (0, 0, image.width, image.height)
    return sum(1 for y in range(top, bottom) for x in range(left, right)
               if image.pixel(x, y) == colour)


def poll_screen(session, predicate, timeout, what, interval=0.1):
    """Takes screenshots until predicate(image) holds; returns that image."""
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        image = session.screenshot_unsaved()
        if predicate(image):
            return image
        time.sleep(interval)
    raise AssertionError("the screen never showed %s within %d s" % (what, timeout))
