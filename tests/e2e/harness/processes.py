"""Starting and ending the processes a test starts itself (each in its own session)."""
import ctypes
import os
import signal
import subprocess


def end_with_parent():
    """Run in a child before exec: it gets SIGTERM when the test's process dies, even
    when that is killed outright (a CTest time-out), so it cannot outlive the test."""
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def stop_process(process, grace=2.0):
    """Ends a process started with start_new_session=True, with its whole group."""
    if process is None or process.poll() is not None:
        return
    for sig in (signal.SIGTERM, signal.SIGKILL):
        try:
            os.killpg(process.pid, sig)
        except ProcessLookupError:
            return
        try:
            process.wait(timeout=grace)
            return
        except subprocess.TimeoutExpired:
            continue
