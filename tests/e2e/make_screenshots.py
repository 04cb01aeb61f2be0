#!/usr/bin/env python3
"""Takes the README's pictures with the end-to-end harness: part1 from the Linux
build (with its tests, for the probes) under Xvfb at 640x480, its second title card (the story's title) and a story page, written to
docs/ as palette PNGs (the screen has 256 colours, so nothing is lost).
    python3 tests/e2e/make_screenshots.py [--build build]"""
import argparse
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from cases_story import cards_are_centred, expect_end, shows_backdrop  # noqa: E402
from harness.checks import poll_screen  # noqa: E402
from harness.image import read_bmp8, write_png  # noqa: E402
from harness import play  # noqa: E402
from harness.play import write_bookmark  # noqa: E402
from harness.session import Platform, Session  # noqa: E402

SOURCE = Path(__file__).resolve().parents[2]
# A line that opens a page of talk in both colours, and how long to type it.
STORY_PAGE_FROM = 22
TYPING_SECONDS = 15


def keep(image, name, docs):
    with tempfile.TemporaryDirectory() as scratch:
        raw = Path(scratch) / "shot.png"
        write_png(image, raw)
        subprocess.run(["convert", str(raw), "-strip", "-define", "png:exclude-chunks=date,time",
                        "PNG8:%s" % (docs / name)], check=True)
    print("wrote", docs / name)


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--build", default=str(SOURCE / "build"))
    args = parser.parse_args()
    build = Path(args.build).resolve()
    play.TOOLS_DIR = str(build / "tests" / "e2e" / "probes")
    docs = SOURCE / "docs"
    docs.mkdir(exist_ok=True)
    backdrop, _ = read_bmp8(SOURCE / "resources" / "kabe0.bmp")
    platform = Platform("linux", str(build), build / "e2e", "")
    with Session(platform, "screenshots", build / "play", 640, 480) as session:
        write_bookmark(session.folder, "part1", STORY_PAGE_FROM + 5)
        running = session.start("part1")
        session.wait_window("part1")
        first = poll_screen(session, lambda image: cards_are_centred(image, 1, (140, 320)), 15,
                            "the first title card")
        title = poll_screen(session, lambda image: cards_are_centred(image, 1, (140, 320))
                            and image.rgb != first.rgb, 15, "the second title card")
        keep(title, "title_card.png", docs)
        poll_screen(session, shows_backdrop(backdrop, 1), 30, "the backdrop")
        time.sleep(TYPING_SECONDS)
        keep(session.screenshot_unsaved(), "story_page.png", docs)
        session.desktop.click(3)
        expect_end(running, 10, "the right button")


if __name__ == "__main__":
    main()
