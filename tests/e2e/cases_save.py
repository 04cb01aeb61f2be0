"""A kill at each system call of the bookmark's save leaves the old number or the new one,
natively with its mode. Under Wine the program's calls are killed, its server's come whole."""
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
    """A run with Ctrl held, traced from its window on: the main thread's calls on the
    watched files and the one a kill stopped. No new file is left (Wine seeks one missing)."""
    watched[0].with_name(watched[0].name + ".new").unlink(missing_ok=True)
    watched[0].write_bytes(OLD)
    watched[0].chmod(0o640)
    running = session.start(part)
    session.wait_window(part)
    log = session.artifacts / "strace.log"
    trace = ["strace", "-f", "-y", "-o", str(log), "-p", str(running.process.pid)]
    if inject:
        trace += ["-e", "trace=" + inject[0], "-e", "inject=%s:signal=KILL:when=%d" % inject]
    tracer = subprocess.Popen(trace + [arg for path in watched for arg in ("-P", str(path))],
                              cwd=session.folder, stderr=subprocess.PIPE, text=True)
    while "attached" not in (said := tracer.stderr.readline()):
        expect(said.startswith("strace: Requested path"), "strace did not attach: " + said)
    session.desktop.key_down("Control_L")
    code = running.exit_code(30)
    session.desktop.key_up("Control_L")
    tracer.wait(10)
    main = [line for line in log.read_text(errors="replace").splitlines()
            if line.startswith("%d " % running.process.pid)]
    killed = [line for line in main if KILLED.match(line) and code == -9] or [None]
    return [line for line in main if CALL.match(line)], killed[-1]


def kill_at_each_step(session, part):
    name = episode_file(part, "bookmark")
    (session.folder / episode_file(part, "script")).write_bytes(b"c0")
    # strace matches names as spelt: relative, and as Wine's server opens them.
    folders, native = [session.folder, Path(".")], session.platform.wine is None
    if not native:
        folders.append(session.platform.wine.prefix / "dosdevices" / ("z:" + str(session.folder)))
    watched = [f / n for n in (name, name + ".new") for f in folders] + folders
    calls = [CALL.match(line).group(1) for line in run_traced(session, part, watched)[0]]
    # The save's calls follow the close after the bookmark's last read.
    read, seen = max(i for i, call in enumerate(calls) if call == "read"), set()
    for step in [(c, calls[:i + 1].count(c)) for i, c in enumerate(calls) if i > read + 1]:
        killed = run_traced(session, part, watched, inject=step)[1]
        expect(killed and KILLED.match(killed).group(1) == step[0],
               "the kill meant for %s #%d stopped %s" % (step + (killed,)))
        held = watched[0].read_bytes(), watched[0].stat().st_mode & 0o777 == 0o640 or not native
        seen.add(held)
        print("killed at %s #%d: %-64.64s bookmark %r, mode kept %s" % (step + (killed,) + held))
    expect(seen == {(OLD, True), (b"0", True)}, "the kills left %r, not the old and the new" % seen)


case("bookmark.kill_at_each_save_step.part1", programs=["part1"], part="part1")(kill_at_each_step)
