#!/usr/bin/env bash
# Installs what is missing, builds the reader and plays one part of the sample
# story: tools/play.sh [part1|part2]. Any key ends it and keeps your place; the
# next start resumes five lines before it. Hold Ctrl to fast-forward.
set -euo pipefail
cd "$(dirname "$0")/.."
part=${1:-part1}
case "$part" in part1|part2) ;; *) echo "usage: $0 [part1|part2]" >&2; exit 2 ;; esac

# Only what building and playing need; the tests' tools stay out (tools/test.sh).
tools/install-deps.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target "$part" play_data

cd build/play
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${SDL_VIDEODRIVER:-}" ]; then
  echo "No display: run this from a desktop session (or under xvfb-run)." >&2
  exit 1
fi
status=0
../"$part" || status=$?
# The reader always ends with exit code 1.
[ "$status" -eq 1 ] || exit "$status"
