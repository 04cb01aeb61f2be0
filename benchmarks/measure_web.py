#!/usr/bin/env python3
"""Times the web build's part1 in headless Chromium beside the native part1 under
Xvfb with openbox, at each screen size, in the same rounds: the share of a core used
by all of the browser's processes (and by the native program) while typing 130 kana
(10 s) and during the card holds, the title and closing sequences, and the pacing
of fade steps and characters; then the size of one part's files as a server sends
them, gzip-compressed, with and without the font.

    python3 benchmarks/measure_web.py --linux-build build --site dist/web --runs 3 \\
        [--screen 640x480 --screen 1920x1080] [--renderer opengles2]

The page's trace (?trace) gives its presents on the page's clock (performance.now),
the same clock as the native trace's CLOCK_MONOTONIC is on Linux; measure.py's
analysis reads both."""
import argparse
import gzip
import os
import sys
import threading
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
sys.path.insert(0, str(ROOT / "benchmarks"))
sys.path.insert(0, str(ROOT / "tests" / "e2e"))

import measure  # noqa: E402
from harness.browser import Chromium, Site  # noqa: E402
from harness.xserver import XServer  # noqa: E402

def descendants(root):
    """root and every process below it."""
    children = {}
    for entry in os.listdir("/proc"):
        if entry.isdigit():
            try:
                stat = open("/proc/%s/stat" % entry).read()
            except OSError:
                continue
            children.setdefault(int(stat.rsplit(")", 1)[1].split()[1]), []).append(int(entry))
    found, pending = [], [root]
    while pending:
        pid = pending.pop()
        found.append(pid)
        pending.extend(children.get(pid, []))
    return found


class TreeSampler(measure.Sampler):
    """measure.Sampler over a whole process tree (the browser's processes)."""

    def _run(self):
        while not self._stop.is_set():
            total = sum(cpu or 0 for cpu in map(measure.cpu_seconds, descendants(self.pid)))
            self.samples.append((time.monotonic(), total))
            time.sleep(0.05)


def web_story_run(site_dir, width, height, query=""):
    site = Site(site_dir)
    (site.root / "part1" / measure.SCRIPT).write_bytes(measure.typing_script())
    browser = Chromium(width, height)
    sampler = TreeSampler(browser.driver.service.process.pid)
    try:
        browser.start(site.url("part1", "?trace" + query))
        # Once a second: each look at the page costs the browser's processes some.
        deadline = time.monotonic() + 90
        while not browser.ended() and time.monotonic() < deadline:
            time.sleep(1)
        before = time.monotonic()
        page_now = browser.js("return performance.now()") / 1000
        offset = (before + time.monotonic()) / 2 - page_now  # page clock -> monotonic
        presents = [int(t) / 1e6 + offset for t in browser.js("return Module.readerTrace()").split()]
    finally:
        sampler.stop()
        browser.close()
        site.close()
    story = measure.story_figures(presents)
    if story is None:
        raise RuntimeError("the page's trace holds no whole story (%d presents)" % len(presents))
    start = story["typing_start"]
    return {"typing_cpu_pct": 100 * sampler.share(start, start + measure.TYPING_WINDOW_S),
            "card_hold_cpu_pct": 100 * (measure.idle_share(sampler, story["holds"]) or float("nan")),
            "title_ms": story["title_ms"], "closing_ms": story["closing_ms"],
            "pacing": story["pacing"]}


def native_story_run(linux_build, width, height):
    with XServer(width, height, window_manager=True) as display:
        figures = measure.story_run(measure.Platform("linux", linux_build), linux_build / "play",
                                    display, None)
    return figures


def report_sizes(site_dir):
    folder = Path(site_dir) / "part1"
    files = sorted(p for p in folder.iterdir() if p.is_file())
    font = Path(site_dir) / "font" / "ipamp.ttf"
    print("\none part's files as a server sends them (gzip -6), bytes")
    total = packed_total = 0
    for path in files + [font]:
        data = path.read_bytes()
        packed = len(gzip.compress(data, 6))
        print("%-28s %10d %10d" % (path.relative_to(site_dir), len(data), packed))
        if path != font:
            total, packed_total = total + len(data), packed_total + packed
    print("%-28s %10d %10d" % ("part1 without the font", total, packed_total))
    font_packed = len(gzip.compress(font.read_bytes(), 6))
    print("%-28s %10d %10d" % ("part1 with the font", total + font.stat().st_size,
                               packed_total + font_packed))


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--linux-build", required=True)
    parser.add_argument("--site", required=True, help="the built site, dist/web")
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--renderer", help="the page's SDL_RENDER_DRIVER (opengles2: WebGL)")
    parser.add_argument("--screen", action="append", default=[],
                        help="WxH, repeatable; default 640x480 and 1920x1080")
    args = parser.parse_args()
    linux_build = Path(args.linux_build).resolve()
    sizes = [tuple(map(int, s.split("x"))) for s in args.screen or ["640x480", "1920x1080"]]
    query = "&renderer=" + args.renderer if args.renderer else ""
    results = {size: {} for size in sizes}
    loads = [measure.load_average()]
    for index in range(args.runs):
        for width, height in sizes:
            for name, run in (("linux", lambda: native_story_run(linux_build, width, height)),
                              ("web", lambda: web_story_run(args.site, width, height, query))):
                print("round %d of %d: %s at %dx%d (load %s)" % (
                    index + 1, args.runs, name, width, height, measure.load_average()),
                    file=sys.stderr)
                figures = run()
                r = results[(width, height)].setdefault(name, {})
                for key in ("typing_cpu_pct", "card_hold_cpu_pct", "title_ms", "closing_ms"):
                    r.setdefault(key, []).append(figures[key])
                if "path" in figures:
                    r.setdefault("path", []).append(figures["path"])
                for nominal in measure.NOMINAL_INTERVALS_MS:
                    r.setdefault("pacing_%d" % nominal, []).append(figures["pacing"][nominal])
        loads.append(measure.load_average())
    for size in sizes:
        measure.report(results[size], args.runs, loads, size)
    report_sizes(args.site)


if __name__ == "__main__":
    main()
