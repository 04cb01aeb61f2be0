"""The reader's display code on screen: the picture, white text and its black shadow;
and the two ways of presenting it on a large screen."""
from harness.checks import BLACK, WHITE, bounding_box, expect
from harness.image import read_bmp8
from harness.registry import case

@case("display.picture_with_shadowed_text", programs=["display_probe"], size=(640, 480))
def picture_with_shadowed_text(session, picture):
    running = session.start("display_probe")
    session.wait_window("display_probe")
    text_x, text_y, text_height = map(int, session.wait_for_file("shown.txt").split())
    shot = session.screenshot("frame")
    expected, _ = read_bmp8(picture)
    expect((shot.width, shot.height) == (640, 480), "the screen is not 640x480")

    text_box = bounding_box(shot, WHITE)
    expect(text_box is not None, "no white text on screen")
    left, top, right, bottom = text_box
    expect(left >= text_x and top >= text_y and bottom < text_y + text_height + 2,
           "white pixels %s outside the text's cell at (%d,%d)" % (text_box, text_x, text_y))
    expect(right - left > 4 * text_height, "the white text is only %d px wide" % (right - left))

    shadow_pixels = 0
    wrong = []
    for y in range(480):
        for x in range(640):
            seen = shot.pixel(x, y)
            in_text = left <= x <= right + 1 and top <= y <= bottom + 1
            if not in_text:
                if seen != expected.pixel(x, y):
                    wrong.append((x, y, seen, expected.pixel(x, y)))
                continue
            if seen not in (WHITE, BLACK, expected.pixel(x, y)):
                wrong.append((x, y, seen, expected.pixel(x, y)))
            # The shadow is the text one pixel right and down, drawn first: wherever
            # the white does not cover it, it shows black.
            if seen == WHITE and x < 639 and y < 479 and shot.pixel(x + 1, y + 1) != WHITE:
                shadow_pixels += 1
                if shot.pixel(x + 1, y + 1) != BLACK:
                    wrong.append((x + 1, y + 1, shot.pixel(x + 1, y + 1), BLACK))
    expect(not wrong, "%d pixels differ from the picture with text, first %s"
           % (len(wrong), wrong[:5]))
    expect(shadow_pixels > 100, "only %d shadow pixels show" % shadow_pixels)
    expect(running.is_running(), "the probe ended before it was asked to")
    session.desktop.key("q")
    expect(running.exit_code(5) == 1, "a key did not end the probe with exit code 1")


def loaded_gl_driver(running):
    """Whether the program has a GL driver (Mesa's *_dri.so) mapped: it draws by a renderer."""
    with open("/proc/%d/maps" % running.process.pid) as maps:
        return "_dri.so" in maps.read()


@case("display.gpu_and_processor_paths_agree", programs=["display_probe"], size=(1920, 1080),
      platforms=("linux",))
def gpu_and_processor_paths_agree(session):
    """Xvfb has no GPU, so the probe presents by the processor; SDL_RENDER_DRIVER=opengl
    makes it draw by a GL renderer (Mesa's llvmpipe). Both fit the picture, scaled 2.25
    times, between black bars, and differ by filtering at most."""
    shots = {}
    for path, driver in (("processor", None), ("renderer", "opengl")):
        session.env_changes["SDL_RENDER_DRIVER"] = driver
        running = session.start("display_probe")
        session.wait_window("display_probe")
        session.wait_for_file("shown.txt")
        shots[path] = session.screenshot("frame." + path)
        expect(loaded_gl_driver(running) == (driver is not None),
               "the %s path did not run: GL driver loaded is %s" % (path, not driver))
        session.desktop.key("q")
        expect(running.exit_code(5) == 1, "a key did not end the probe with exit code 1")
        (session.folder / "shown.txt").unlink()
    for path, shot in shots.items():
        bars = [shot.pixel(x, y) for x in (0, 239, 1680, 1919) for y in (0, 540, 1079)]
        expect(bars == [BLACK] * len(bars), "%s: the bars beside the picture are not black" % path)
        expect(shot.pixel(960, 100) != BLACK, "%s: no picture in the middle" % path)
    processor, renderer = shots["processor"].rgb, shots["renderer"].rgb
    largest = 0 if processor == renderer else max(abs(a - b) for a, b in zip(processor, renderer))
    expect(largest <= 2, "the paths differ by up to %d in a colour byte" % largest)
