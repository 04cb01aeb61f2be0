"""The bookmark's save killed at each of its system calls in turn leaves the old number or
the new one. Under Wine the program's calls are killed; its server's (make, empty, rename)
come whole between them."""
import re
import subprocess
from pathlib import Path

from harness.checks import expect
from harness.play import episode_file
from harness.registry import case

OLD = b"12345"  # names no line of the one-line story, which runs from line 0 and saves 0
CALL = re.compile(r"^\d+ +(\w+)\(")
KILLED = re.compile(r"^\d+ +(?:<\.\.\. )?(\w+)[( ].* = \?$")  # a call cut short, or its end


def run_traced(session, part, watched, inject=None):
    """A run with Ctrl held, traced from its window on: the program's main thread's calls
    on the watched files, and the call a kill stopped there (or None). Each run starts
    with no new file beside the bookmark, as Wine looks up a missing name differently."""
    watched[0].with_name(watched[0].name + ".new").unlink(missing_ok=True)
    watched[0].write_bytes(OLD)
    watched[0].chmod(0o640)
    log = session.artifacts / "strace.log"
    running = session.start(part)
    session.wait_window(part)
    trace = ["strace", "-f", "-y", "-o", str(log), "-p", str(running.process.pid)]
    trace += [arg for path in watched for arg in ("-P", str(path))]
    if inject:
        trace += ["-e", "trace=" + inject[0], "-e", "inject=%s:signal=KILL:when=%d" % inject]
    tracer = subprocess.Popen(trace, cwd=session.folder, stderr=subprocess.PIPE, text=True)
    said = ""
    while "attached" not in said:
        line = tracer.stderr.readline()
        expect(line, "strace did not attach: " + said)
        said += line
    session.desktop.key_down("Control_L")
    code = running.exit_code(30)
    session.desktop.key_up("Control_L")
    tracer.wait(10)
    expect(code is not None, "the program did not end")
    main = [line for line in log.read_text(errors="replace").splitlines()
            if line.startswith("%d " % running.process.pid)]
    killed = [line for line in main if KILLED.match(line)] if code == -9 else []
    return [line for line in main if CALL.match(line)], (killed or [None])[-1]


def kill_at_each_step(session, part):
    name = episode_file(part, "bookmark")
    (session.folder / episode_file(part, "script")).write_bytes(b"c0")
    folders = [session.folder]
    if session.platform.wine:  # the paths Wine's server opens
        folders.append(session.platform.wine.prefix / "dosdevices" / ("z:" + str(session.folder)))
    # strace matches names as the calls spell them: relative ones too.
    folders.append(Path("."))
    watched = [f / n for n in (name, name + ".new") for f in folders] + folders
    lines, _ = run_traced(session, part, watched)
    # The save's calls follow the close after the bookmark's last read.
    calls = [CALL.match(line).group(1) for line in lines]
    read = max(i for i, call in enumerate(calls) if call == "read")
    steps = [(call, calls[:i + 1].count(call)) for i, call in enumerate(calls) if i > read + 1]
    seen = set()
    for step in steps:
        _, killed = run_traced(session, part, watched, inject=step)
        expect(killed and KILLED.match(killed).group(1) == step[0],
               "the kill meant for %s #%d stopped %s" % (step + (killed,)))
        held = watched[0].read_bytes()
        seen.add(held)
        print("killed at %s #%d: %-70.70s bookmark %r" % (step + (killed, held)))
        expect(held in (OLD, b"0"), "a kill at %s left %r in the bookmark" % (killed, held))
        expect(session.platform.wine or watched[0].stat().st_mode & 0o777 == 0o640,
               "the permission bits changed")
    expect(seen == {OLD, b"0"}, "the kills left only %r, not the old and the new" % seen)


case("bookmark.kill_at_each_save_step.part1", programs=["part1"], part="part1")(kill_at_each_step)
