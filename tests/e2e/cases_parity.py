"""Every frame the same on both platforms. part1 or part2 runs natively and then
under Wine, each on a 640x480 X screen, recording every frame it shows: the Linux
layer through READER_FRAME_RECORD, the Windows build through the test ddraw.dll
put beside the .exe (ddraw_recorder/). The two records are compared frame by frame
(harness/frame_parity.py); a difference is named and its two frames and their
difference are kept as PNG files with the case's logs.

The parity.frames cases run a short script per part (parity_scripts/) that between
them show every kind of frame; the parity.whole_story cases, which CTest leaves out,
run the sample story (tools/frame-parity.sh).

Both runs, and their X servers, are timed at real-time priority where the system
grants it, so that the machine's other work does not shift their frames; one
after the other, so that neither waits for the other's X server; and without an
audio device, so that a cue returns at once on both (the time a cue takes is left
out of the comparison). When only the times differ, both run once more: a stall of
the machine shifts one run, a difference in pacing shows again."""
import os
import shutil
import subprocess
from pathlib import Path

from harness.checks import expect
from harness.frame_parity import FrameParity, story_steps
from harness.frame_record import shown_frames
from harness.play import Story, episode_file, write_bookmark
from harness.registry import case
from harness.session import Platform, Session

SCRIPTS = Path(__file__).resolve().parent / "parity_scripts"
RECORDER = Path("tests") / "e2e" / "ddraw_recorder" / "ddraw.dll"
# The recorder in place of the system's ddraw.dll, and no audio driver.
WINE_DLL_OVERRIDES = "mscoree,mshtml=;ddraw=n,b;winealsa.drv,winepulse.drv="
NO_SDL_AUDIO = "none"  # no driver of that name: no audio device
SHORT_RUN_TIMEOUT = 120
WHOLE_STORY_TIMEOUT = 900


def linux_platform(wine_platform):
    """The Linux build beside the Wine one: its probes folder is <build>/tests/e2e/probes."""
    build = wine_platform.tools_dir.parents[2]
    return Platform("linux", str(build), str(wine_platform.work_root),
                    str(wine_platform.tools_dir))


REALTIME = 10  # the SCHED_FIFO priority of the programs and their X servers


def realtime_prefix():
    """chrt's command to run at real-time priority, or nothing where it is not granted."""
    try:
        granted = subprocess.run(["chrt", "-f", str(REALTIME), "true"],
                                 capture_output=True).returncode == 0
    except FileNotFoundError:
        granted = False
    return ["chrt", "-f", str(REALTIME)] if granted else []


def serve_in_real_time(session):
    """The session's X server at the programs' priority: each present waits for it."""
    if realtime_prefix():
        os.sched_setscheduler(session.x.pid, os.SCHED_FIFO, os.sched_param(REALTIME))


def record_run(session, part, script, timeout):
    """Runs the part to its end in the session with the script (the sample story
    when None) and returns the path of its frame record."""
    if script is not None:
        (session.folder / episode_file(part, "script")).write_bytes(
            script.read_text(encoding="utf-8").encode("cp932"))
    write_bookmark(session.folder, part, 0)
    record = session.artifacts / "frames.rec"
    if session.platform.wine:
        for built in (session.platform.executable(part), session.platform.bin_dir / RECORDER):
            shutil.copy2(built, session.folder)
        session.env_changes.update(WINEDLLOVERRIDES=WINE_DLL_OVERRIDES,
                                   READER_FRAME_RECORD="Z:" + str(record).replace("/", "\\"))
        command = ["wine", str(session.folder / (part + ".exe"))]
    else:
        session.env_changes.update(READER_FRAME_RECORD=str(record), SDL_AUDIODRIVER=NO_SDL_AUDIO)
        command = [str(session.platform.executable(part))]
    serve_in_real_time(session)
    running = session.start(part, realtime_prefix() + command)
    exit_code = running.exit_code(timeout)
    expect(exit_code == 1, "%s: exit code %s at the end, not 1" % (session.platform.name, exit_code))
    expect(record.exists(), "%s: no frame record was written" % session.platform.name)
    return record


def record_both(session, part, script, timeout):
    """Runs the part natively, then under Wine: both records, and the story's steps."""
    linux = linux_platform(session.platform)
    with Session(linux, session.test_name.replace("wine.", "linux.", 1), session.play_dir,
                 640, 480) as linux_session:
        linux_record = record_run(linux_session, part, script, timeout)
        steps = story_steps(Story(linux_session.folder, part))
    return linux_record, record_run(session, part, script, timeout), steps


def same_frames(session, part, script, timeout):
    linux_platform(session.platform).check_available([part])
    expect((session.platform.bin_dir / RECORDER).exists(),
           "%s is not built (the Windows build makes it)" % (session.platform.bin_dir / RECORDER))
    print("timed at %s priority" % ("real-time" if realtime_prefix() else "normal"))
    jumps = []
    for attempt in (1, 2):
        linux_record, wine_record, (steps, cue_at_end) = record_both(session, part, script, timeout)
        parity = FrameParity(shown_frames(linux_record), shown_frames(wine_record), steps,
                             cue_at_end)
        for line in parity.report():
            print(line)
        jumps.append(parity.jumps)
        if parity.passes() or parity.differing or attempt == 2:
            break
        # A stall of the machine, even at real-time priority, moves every later frame
        # of one run; a difference in pacing comes back at the same frames.
        print("only times differ: both run again")
    stalls_only = (len(jumps) == 2 and not parity.differing and len(parity.linux) == len(parity.wine)
                   and not jumps[0] & jumps[1])
    if stalls_only:
        print("the runs' times moved at different frames (%s, then %s): stalls, not pacing"
              % (sorted(jumps[0]), sorted(jumps[1])))
    for frame, linux_image, wine_image, difference, what in parity.pictures(linux_record,
                                                                            wine_record):
        print("frame %d: %s (frame_%04d.*.png)" % (frame, what, frame))
        session.keep(linux_image, "frame_%04d.linux" % frame)
        session.keep(wine_image, "frame_%04d.wine" % frame)
        session.keep(difference, "frame_%04d.difference" % frame)
    expect(parity.passes() or stalls_only,
           "Linux and Wine show different frames:\n" + "\n".join(parity.report()))


for _part in ("part1", "part2"):
    case("parity.frames." + _part, programs=[_part], platforms=("wine",), size=(640, 480),
         part=_part, script=SCRIPTS / (_part + ".txt"), timeout=SHORT_RUN_TIMEOUT)(same_frames)
    case("parity.whole_story." + _part, programs=[_part], platforms=("wine",), size=(640, 480),
         listed=False, part=_part, script=None, timeout=WHOLE_STORY_TIMEOUT)(same_frames)
