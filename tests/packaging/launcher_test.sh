#!/usr/bin/env bash
# The launcher's care of the reader's folder, with a stand-in for the program that
# records where it ran and what it found, and stores the line given in QUIT_AT.
#   launcher_test.sh <launcher under test> <its install folder> <play folder>
set -u
launcher=$1 root=$2 play=$3
failures=0
check() { # what, then a command that must succeed
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAILED: $what"; failures=$((failures + 1)); fi
}

rm -rf "$root" && mkdir -p "$root/share/part1" "$root/scratch"
cp "$play"/mokuri0.dat "$play"/sound_*.wav "$root/share/part1/"
printf 0 >"$root/share/part1/mokuri0.sav"
cat >"$root/program" <<'PROGRAM'
#!/bin/sh
{ pwd; cat mokuri0.sav; echo; } >"$RUN_LOG"
[ -z "${QUIT_AT:-}" ] || printf %s "$QUIT_AT" >mokuri0.sav
exit 1
PROGRAM
chmod +x "$root/program"

export HOME=$root/scratch/home RUN_LOG=$root/scratch/run.log
unset XDG_DATA_HOME
folder=$HOME/.local/share/ponpoko-mokuri/part1
run() { rm -f "$RUN_LOG"; "$launcher" 2>"$root/scratch/stderr"; }
ran_in() { [ "$(head -1 "$RUN_LOG" 2>/dev/null)" = "$1" ]; }
found_bookmark() { [ "$(sed -n 2p "$RUN_LOG")" = "$1" ]; }
listing() { (cd "$folder" && ls -l --time-style=full-iso && cksum ./*); }

# First run: the folder is made and filled, the program runs there at line 0.
QUIT_AT=42 run; code=$?
check "first run ends with the program's exit code 1" [ "$code" -eq 1 ]
check "first run runs the program in ~/.local/share/ponpoko-mokuri/part1" ran_in "$folder"
check "first run starts at bookmark 0" found_bookmark 0
check "first run copies the script and cues" diff -r -x mokuri0.sav -x .installed-script "$root/share/part1" "$folder"

# Later runs: the stored place is kept and nothing is rewritten.
before=$(listing)
sleep 1
run
check "a later run finds the stored line" found_bookmark 42
check "a later run rewrites no file" [ "$before" = "$(listing)" ]
rm "$folder/sound_02.wav"
run
check "a removed cue comes back" cmp -s "$root/share/part1/sound_02.wav" "$folder/sound_02.wav"
check "bringing back a cue keeps the bookmark" found_bookmark 42

# A new version of the story: its files come in and the bookmark starts again.
echo "reader's notes" >"$folder/notes.txt"
printf '\x82\xa0\n' >>"$root/share/part1/mokuri0.dat"
run
check "a changed installed script is copied" cmp -s "$root/share/part1/mokuri0.dat" "$folder/mokuri0.dat"
check "a changed installed script resets the bookmark to 0" found_bookmark 0
check "a changed script leaves the reader's own files" [ -f "$folder/notes.txt" ]
QUIT_AT=17 run
run
check "after the update the place is kept again" found_bookmark 17

# XDG_DATA_HOME when absolute; a relative one is ignored, as the XDG rules say.
XDG_DATA_HOME=$root/scratch/data run
check "XDG_DATA_HOME is used" ran_in "$root/scratch/data/ponpoko-mokuri/part1"
XDG_DATA_HOME=relative/data run
check "a relative XDG_DATA_HOME is ignored" ran_in "$folder"

# A folder that cannot be made, or a bookmark that cannot be written: a message
# and exit code 1, and the program is not started.
touch "$root/scratch/a-file"
XDG_DATA_HOME=$root/scratch/a-file run; code=$?
check "a folder that cannot be made ends with 1" [ "$code" -eq 1 ]
check "... says which folder" grep -q "cannot make the folder $root/scratch/a-file/ponpoko-mokuri/part1" "$root/scratch/stderr"
check "... and does not start the program" [ ! -e "$RUN_LOG" ]
rm "$folder/mokuri0.sav" && mkdir "$folder/mokuri0.sav"
run; code=$?
check "a bookmark that cannot be written ends with 1 and a message" \
    eval '[ "$code" -eq 1 ] && [ ! -e "$RUN_LOG" ] && grep -q "cannot write" "$root/scratch/stderr"'
rmdir "$folder/mokuri0.sav"
if [ "$(id -u)" -ne 0 ]; then  # root writes anywhere
    chmod a-w "$folder"
    run; code=$?
    chmod u+w "$folder"
    check "a folder that cannot be written ends with 1" \
        eval '[ "$code" -eq 1 ] && [ ! -e "$RUN_LOG" ] && grep -q "cannot write in the folder" "$root/scratch/stderr"'
fi

[ "$failures" -eq 0 ] && echo "launcher: all checks passed" || { echo "launcher: $failures failed"; exit 1; }
