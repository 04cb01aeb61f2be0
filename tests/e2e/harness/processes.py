"""Starting and ending the processes a test starts itself (each in its own session)."""
import os
import signal
import subprocess


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
