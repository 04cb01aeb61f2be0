#!/usr/bin/env python3
"""The packages as a reader gets them, after tools/package.sh: the Debian package
linted, installed and played through its launcher with a scratch HOME, and the
Windows zip unzipped and played under Wine from its own folder.
tools/test.sh runs it; installing the package needs root."""
import argparse
import os
import subprocess
import sys
import tempfile
import time
import traceback
import zipfile
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

from cases_story import cards_are_centred, expect_end, first_row_has_text  # noqa: E402
from harness.checks import expect, poll_screen  # noqa: E402
from harness import play  # noqa: E402
from harness.play import Story  # noqa: E402
from harness.session import Platform, Running, Session, Skip  # noqa: E402
from harness.wine import WinePrefix  # noqa: E402

PACKAGE = "ponpoko-mokuri"
SOURCE = Path(__file__).resolve().parents[2]
SOUNDS = sorted(p.name for p in (SOURCE / "data" / "sounds").glob("*.wav"))
PARTS = {"part1": "mokuri0", "part2": "mokuri"}
FAST_RUN_TIMEOUT = 120
APT = ["apt-get", "-q", "-y", "-o", "DPkg::Lock::Timeout=120"]


def layout():
    """Every file the package must install, and nothing else."""
    files = {"/usr/share/doc/%s/copyright" % PACKAGE, "/usr/share/doc/%s/changelog.gz" % PACKAGE,
             "/usr/share/man/man6/%s.6.gz" % PACKAGE}
    for size in (48, 128):
        files.add("/usr/share/icons/hicolor/%dx%d/apps/%s.png" % (size, size, PACKAGE))
    for part, stem in PARTS.items():
        data = "/usr/share/games/%s/%s/" % (PACKAGE, part)
        files |= {"/usr/games/%s-%s" % (PACKAGE, part), "/usr/lib/games/%s/%s" % (PACKAGE, part),
                  "/usr/share/applications/%s-%s.desktop" % (PACKAGE, part),
                  "/usr/share/man/man6/%s-%s.6.gz" % (PACKAGE, part),
                  data + stem + ".dat", data + stem + ".sav"}
        files |= {data + sound for sound in SOUNDS}
    return files


def run(command, **kwargs):
    done = subprocess.run(command, capture_output=True, text=True, timeout=600, **kwargs)
    if done.returncode != 0:
        raise AssertionError("%s failed (%d): %s" % (" ".join(map(str, command)), done.returncode,
                                                     (done.stdout + done.stderr).strip()[-2000:]))
    return done.stdout


def installed():
    done = subprocess.run(["dpkg-query", "-W", "-f=${Status}", PACKAGE], capture_output=True,
                          text=True)
    return done.stdout.strip() == "install ok installed"


def check_lint(deb, work):
    # Errors and warnings both fail; informational tags do not.
    out = run(["lintian", "--fail-on", "error,warning", str(deb)])
    print(out.strip() or "lintian: no tags")
    unpacked = Path(work) / "unpacked"
    run(["dpkg-deb", "-x", str(deb), str(unpacked)])
    for part in PARTS:
        run(["desktop-file-validate",
             str(unpacked / ("usr/share/applications/%s-%s.desktop" % (PACKAGE, part)))])


class Reader:
    """A person with a fresh home folder who starts a part from the menu."""

    def __init__(self, session, home):
        self.session = session
        self.home = Path(home)
        self.runs = 0

    def folder(self, part):
        return self.home / ".local/share" / PACKAGE / part

    def bookmark(self, part):
        return (self.folder(part) / (PARTS[part] + ".sav")).read_bytes()

    def start(self, part):
        env = self.session.env()
        env.pop("XDG_DATA_HOME", None)
        env["HOME"] = str(self.home)
        self.runs += 1
        log = self.session.artifacts / ("launcher-%d.log" % self.runs)
        running = Running(["/usr/games/%s-%s" % (PACKAGE, part)], str(self.home), env, log)
        self.session._running.append(running)  # stopped with the session
        self.session.wait_window(part)
        return running


def check_installed_package(deb, work_root):
    if os.geteuid() != 0:
        raise Skip("installing the package needs root")
    was_installed = installed()
    run(APT + ["install", str(deb.resolve())])
    try:
        listed = {line for line in run(["dpkg", "-L", PACKAGE]).split("\n")
                  if line and not os.path.isdir(line)}
        expect(listed == layout(), "the package's files are not the layout: extra %s, missing %s"
               % (sorted(listed - layout()), sorted(layout() - listed)))
        platform = Platform("linux", "", work_root, "")
        with Session(platform, "package.deb", None, 640, 480) as session:
            play_installed_part1(session, deb)
    finally:
        if not was_installed:
            run(APT + ["remove", "--purge", PACKAGE])


def play_installed_part1(session, deb):
    reader = Reader(session, session.folder / "home")
    reader.home.mkdir()
    story = Story(Path(story_path()).parent, "part1")

    # First run: the folder is made; Ctrl held a moment carries the story on, and a
    # key then stores the line on screen in the reader's folder.
    running = reader.start("part1")
    poll_screen(session, first_row_has_text(1), 60, "the story's first text")
    session.desktop.key_down("Control_L")
    time.sleep(1.5)
    session.desktop.key_up("Control_L")
    time.sleep(0.5)
    session.screenshot("first_run")
    session.desktop.key("a")
    expect_end(running, 10, "a key mid-story")
    stored = int(reader.bookmark("part1"))
    expect(5 < stored < story.line_count and story.waits(stored),
           "the key stored line %d of %d" % (stored, story.line_count))
    copied = reader.folder("part1") / "mokuri0.dat"
    expect(copied.read_bytes() == Path(story_path()).read_bytes(), "the script was not copied")
    expect(Path("/usr/share/games/%s/part1/mokuri0.sav" % PACKAGE).read_bytes() == b"0",
           "the installed bookmark changed")

    # Next run: it resumes five lines before; a key at its first text stores that line.
    running = reader.start("part1")
    poll_screen(session, first_row_has_text(1), 60, "the resumed story's first text")
    session.desktop.key("a")
    expect_end(running, 10, "a key on the next start")
    expected = story.first_waiting_line_from(story.resume_index(stored))
    resumed = int(reader.bookmark("part1"))
    expect(resumed in (expected, story.first_waiting_line_from(expected + 1)),
           "the next run stored line %d, expected %d (five before %d)" % (resumed, expected, stored))
    print("the first run stored line %d; the next resumed at %d" % (stored, resumed))

    # A reinstall keeps the place: the launcher sees the same script and leaves it all.
    before = sorted((p.name, p.stat().st_mtime_ns) for p in reader.folder("part1").iterdir())
    run(APT + ["install", "--reinstall", str(deb.resolve())])
    running = reader.start("part1")
    # A window just mapped may not yet cover the pointer: the click would go past it.
    poll_screen(session, lambda image: cards_are_centred(image, 1, (140, 320)), 30,
                "the first title card")
    session.desktop.click(3)  # quits without storing
    expect_end(running, 10, "the right button")
    after = sorted((p.name, p.stat().st_mtime_ns) for p in reader.folder("part1").iterdir())
    expect(after == before, "the run after a reinstall changed the reader's folder: %s -> %s"
           % (before, after))
    expect(int(reader.bookmark("part1")) == resumed, "the reinstall lost the place")


def story_path():
    return "/usr/share/games/%s/part1/mokuri0.dat" % PACKAGE


def check_windows_zip(archive, work, work_root):
    expected = {"%s/README.txt" % PACKAGE}
    for part, stem in PARTS.items():
        names = [part + ".exe", stem + ".dat", stem + ".sav"] + SOUNDS
        expected |= {"%s/%s/%s" % (PACKAGE, part, name) for name in names}
    with zipfile.ZipFile(archive) as opened:
        names = {info.filename for info in opened.infolist() if not info.is_dir()}
        expect(names == expected, "the zip holds %s, not %s" % (sorted(names), sorted(expected)))
        readme = opened.read("%s/README.txt" % PACKAGE)
        expect(readme.startswith(b"\xef\xbb\xbf") and b"\r\n" in readme and b"\n\n" not in readme,
               "the read-me is not UTF-8 with a byte order mark and CR LF line ends")
        readme.decode("utf-8")
        unzipped = Path(work) / "unzipped"
        opened.extractall(unzipped)
    prefix = WinePrefix(Path(work_root) / "wine")
    if not prefix.is_ready():
        prefix.create()
    folder = unzipped / PACKAGE / "part1"
    bookmark = folder / "mokuri0.sav"
    expect(bookmark.read_bytes() == b"0", "the zip's bookmark does not hold 0")
    shipped = bookmark.stat().st_mtime
    platform = Platform("wine", str(folder), work_root, "")
    with Session(platform, "package.windows_zip", None, 640, 480) as session:
        running = Running(["wine", "part1.exe"], str(folder), session.env(),
                          session.artifacts / "part1.log")
        session._running.append(running)
        session.wait_window("part1")
        session.desktop.key_down("Control_L")
        expect_end(running, FAST_RUN_TIMEOUT, "part1.exe with Ctrl held")
        expect(bookmark.read_bytes() == b"0" and bookmark.stat().st_mtime > shipped,
               "the end did not store 0 in the bookmark beside part1.exe")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--dist", default=str(SOURCE / "dist"))
    parser.add_argument("--work-root", default=str(SOURCE / "build" / "e2e"))
    parser.add_argument("--tools-dir", default=str(SOURCE / "build" / "tests" / "e2e" / "probes"),
                        help="the Linux build's probes, which read scripts as the reader does")
    args = parser.parse_args()
    play.TOOLS_DIR = str(Path(args.tools_dir).resolve())
    dist = Path(args.dist)
    debs = sorted(dist.glob("%s_*.deb" % PACKAGE))
    zips = sorted(dist.glob("%s-*-windows.zip" % PACKAGE))
    if len(debs) != 1 or len(zips) != 1:
        print("FAILED: %s must hold one package and one zip (tools/package.sh)" % dist)
        return 1
    work_root = Path(args.work_root).resolve()  # Wine wants an absolute prefix
    work_root.mkdir(parents=True, exist_ok=True)
    results = {"passed": 0, "failed": 0, "skipped": 0}
    with tempfile.TemporaryDirectory(prefix="package-", dir=work_root) as work:
        checks = [("lintian and the menu entries", lambda: check_lint(debs[0], work)),
                  ("the installed package and its launcher",
                   lambda: check_installed_package(debs[0], work_root)),
                  ("the Windows zip under Wine", lambda: check_windows_zip(zips[0], work, work_root))]
        for name, check in checks:
            started = time.monotonic()
            try:
                check()
                results["passed"] += 1
                print("passed: %s (%.1f s)" % (name, time.monotonic() - started))
            except Skip as reason:
                results["skipped"] += 1
                print("skipped: %s: %s" % (name, reason))
            except AssertionError as failure:
                results["failed"] += 1
                print("FAILED: %s: %s" % (name, failure))
            except Exception:  # a broken tool or harness fails the check too
                results["failed"] += 1
                traceback.print_exc()
                print("FAILED: %s" % name)
    print("package checks: %(passed)d passed, %(failed)d failed, %(skipped)d skipped" % results)
    return 1 if results["failed"] else 0


if __name__ == "__main__":
    sys.exit(main())
