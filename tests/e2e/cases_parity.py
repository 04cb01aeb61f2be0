"""The same screens on both platforms: part1 and part2 run natively and under Wine,
at the same time on two 640x480 X screens with the same test script; the still
moments of each run (both title cards, the full story page in its last pause, the
closing card, the disclaimer) are caught and compared pair by pair."""
import threading
from pathlib import Path

from harness.checks import expect
from harness.frame_parity import FrameComparison, difference_image
from harness.play import episode_file, write_bookmark
from harness.registry import case
from harness.session import Platform, Session
from harness.still_frames import capture_still_frames

FRAMES = ("title_card_1", "title_card_2", "story_page", "closing_card", "disclaimer_card")
SCRIPT = Path(__file__).resolve().parent / "parity_scripts" / "full_page.txt"
LEAST_IDENTICAL_SHARE = 0.995
MOST_BOX_DIFFERENCE = 1
RUN_TIMEOUT = 120


def linux_platform(wine_platform):
    """The Linux build beside the Wine one: its probes folder is <build>/tests/e2e/probes."""
    build = wine_platform.tools_dir.parents[2]
    return Platform("linux", str(build), str(wine_platform.work_root),
                    str(wine_platform.tools_dir))


def prepare_story(session, part):
    script = session.folder / episode_file(part, "script")
    script.write_bytes(SCRIPT.read_text(encoding="utf-8").encode("cp932"))
    write_bookmark(session.folder, part, 0)


def capture_run(session, part, result):
    """Runs the part once in the session and leaves its frames, the frames it missed
    and its exit code in result."""
    try:
        prepare_story(session, part)
        running = session.start(part)
        frames, missed = capture_still_frames(session.screenshot_unsaved, FRAMES, RUN_TIMEOUT,
                                              running.is_running)
        result.update(frames=frames, missed=missed, exit_code=running.exit_code(15))
    except Exception as error:  # reported by the main thread
        result.update(error=error)


def same_screens(session, part):
    linux = linux_platform(session.platform)
    linux.check_available([part])
    results = {"linux": {}, "wine": {}}
    with Session(linux, "linux.parity." + part, session.play_dir, 640, 480) as linux_session:
        threads = [threading.Thread(target=capture_run, args=(s, part, results[name]))
                   for name, s in (("linux", linux_session), ("wine", session))]
        for thread in threads:
            thread.start()
        for thread in threads:
            thread.join()
    for name, result in results.items():
        if "error" in result:
            raise result["error"]
        expect(not result["missed"], "%s: no still frame caught for %s"
               % (name, ", ".join(result["missed"])))
        expect(result["exit_code"] == 1, "%s: exit code %s at the end, not 1"
               % (name, result["exit_code"]))

    failures = []
    for frame in FRAMES:
        linux_frame, wine_frame = results["linux"]["frames"][frame], results["wine"]["frames"][frame]
        session.keep(linux_frame, frame + ".linux")
        session.keep(wine_frame, frame + ".wine")
        session.keep(difference_image(linux_frame, wine_frame), frame + ".diff")
        comparison = FrameComparison(frame, linux_frame, wine_frame)
        print(comparison.summary())
        for line in comparison.details():
            print(line)
        if not comparison.passes(LEAST_IDENTICAL_SHARE, MOST_BOX_DIFFERENCE):
            failures.append(comparison.summary())
    expect(not failures, "Linux and Wine differ:\n" + "\n".join(failures))


for _part in ("part1", "part2"):
    case("parity.same_screens." + _part, programs=[_part], platforms=("wine",),
         size=(640, 480), part=_part)(same_screens)
