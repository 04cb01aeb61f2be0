#!/usr/bin/env bash
# The real program with no display at all (no DISPLAY, no SDL_VIDEODRIVER): it
# must end with exit code 1 at once, reading and writing nothing in its folder.
#   no_display.sh <program> <play folder>
set -u
program=$1
folder=$(mktemp -d /tmp/reader-no-display-XXXXXX)
trap 'rm -rf "$folder"' EXIT
cp "$2"/* "$folder"/
cd "$folder"
before=$(ls -l --time-style=full-iso; md5sum ./*)
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER -u SDL_AUDIODRIVER timeout 20 "$program"
code=$?
after=$(ls -l --time-style=full-iso; md5sum ./*)
[ "$code" -eq 1 ] || { echo "exit code $code, not 1"; exit 1; }
[ "$before" = "$after" ] || { echo "the folder changed:"; diff <(echo "$before") <(echo "$after"); exit 1; }
echo "exit code 1, folder untouched"
