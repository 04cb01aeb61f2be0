#!/usr/bin/env python3
"""Runs one end-to-end case on one platform; CTest calls it once per case.
Exit codes: 0 passed, 1 failed, 77 skipped (with the reason printed)."""
import argparse
import inspect
import sys
import time
import traceback
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))

import cases_display  # noqa: F401  (they register their cases)
import cases_focus  # noqa: F401
import cases_input  # noqa: F401
import cases_parity  # noqa: F401
import cases_save  # noqa: F401
import cases_sound  # noqa: F401
import cases_story  # noqa: F401
import cases_web  # noqa: F401
from harness import play
from harness.browser import WebSession
from harness.registry import CASES, screen_size
from harness.session import Platform, Session, Skip
from harness.wine import WinePrefix

SKIPPED = 77


def parse_arguments():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("case", help="a case name, 'list', or 'wine-prefix'")
    parser.add_argument("--platform", choices=("linux", "wine", "web"), default="linux")
    parser.add_argument("--bin-dir", default="",
                        help="the folder holding the programs (web: the built site, dist/web)")
    parser.add_argument("--tools-dir", default="", help="the Linux build's tests/e2e/probes")
    parser.add_argument("--play-dir", default="", help="the sample data to copy")
    parser.add_argument("--picture", default="", help="the picture KABE0 as a .bmp file")
    parser.add_argument("--work-root", required=False, default="e2e-work")
    return parser.parse_args()


def prepare_wine(args):
    if not args.bin_dir:
        print("skipped: READER_WINDOWS_BUILD_DIR is not set, so there is nothing to run under Wine")
        return SKIPPED
    prefix = WinePrefix(Path(args.work_root) / "wine")
    if prefix.is_ready():
        print("the Wine prefix %s is ready" % prefix.root)
        return 0
    started = time.monotonic()
    prefix.create()
    print("made the Wine prefix %s in %.1f s" % (prefix.root, time.monotonic() - started))
    return 0


def run(args):
    case = CASES[args.case]
    if args.platform not in case.platforms:
        print("skipped: %s does not run on %s" % (case.name, args.platform))
        return SKIPPED
    platform = Platform(args.platform, args.bin_dir, args.work_root, args.tools_dir)
    name = "%s.%s" % (args.platform, case.name)
    if args.platform == "web":
        if not (platform.bin_dir / "index.html").exists():
            raise AssertionError("%s holds no built site: run tools/web.sh" % platform.bin_dir)
        started = time.monotonic()
        with WebSession(platform, name, args.play_dir) as session:
            case.run(session, **case.args)
        print("passed in %.1f s; frames in %s" % (time.monotonic() - started, session.artifacts))
        return 0
    platform.check_available(case.programs)
    width, height = screen_size(case, args.platform)
    extra = dict(case.args)
    if "picture" in inspect.signature(case.run).parameters:
        extra["picture"] = args.picture
    started = time.monotonic()
    with Session(platform, name, args.play_dir, width, height, case.window_manager) as session:
        case.run(session, **extra)
    print("passed in %.1f s; screenshots and logs in %s"
          % (time.monotonic() - started, session.artifacts))
    return 0


def main():
    args = parse_arguments()
    play.TOOLS_DIR = args.tools_dir
    if args.case == "list":
        for name, case in sorted(CASES.items()):
            if case.listed:
                print(name, " ".join(case.platforms))
        return 0
    try:
        if args.case == "wine-prefix":
            return prepare_wine(args)
        return run(args)
    except Skip as reason:
        print("skipped:", reason)
        return SKIPPED
    except AssertionError as failure:
        print("FAILED:", failure)
        return 1
    except Exception:  # a broken harness or tool is a failure too, with its trace
        traceback.print_exc()
        return 1


if __name__ == "__main__":
    sys.exit(main())
