#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (ASan+UBSan over all the code), replays
# the kept regression inputs, then fuzzes each target for a bounded time from its
# seed corpus. Any crash, sanitizer report, leak or hang fails the run.
#   FUZZ_SECONDS=30 (per target)   FUZZ_BUILD_DIR=build-fuzz
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
seconds=${FUZZ_SECONDS:-30}
build=${FUZZ_BUILD_DIR:-build-fuzz}
jobs=$(nproc)

cmake -S . -B "$build" -DREADER_FUZZ=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build "$build" -j"$jobs" --target fuzz_script_presenter fuzz_bookmark fuzz_text_output fuzz_cue

export SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions="$root/tests/faults/lsan.supp":print_suppressions=0

work=$(mktemp -d /tmp/reader-fuzz-run-XXXXXX)
trap 'rm -rf "$work"' EXIT

for target in script_presenter bookmark text_output cue; do
  binary="$root/$build/fuzz/fuzz_$target"
  regressions="$root/fuzz/regressions/$target"
  # The kept inputs first: each once, all must pass.
  if compgen -G "$regressions/*" >/dev/null; then
    "$binary" -runs=0 "$regressions"/* 2>"$work/$target.replay.log" ||
      { cat "$work/$target.replay.log"; echo "fuzz: $target fails a kept input" >&2; exit 1; }
  fi
  # New findings go to a scratch corpus; the checked-in seeds stay as they are.
  mkdir -p "$work/$target"
  "$binary" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=4096 \
            -print_final_stats=1 -artifact_prefix="$work/$target-" \
            "$work/$target" "$root/fuzz/corpus/$target" 2>"$work/$target.log" ||
    { tail -60 "$work/$target.log"; ls "$work"/"$target"-* 2>/dev/null;
      echo "fuzz: $target failed; keep the input in fuzz/regressions/$target" >&2; exit 1; }
  printf '%-18s %s\n' "$target" "$(grep -E 'stat::number_of_executed_units' "$work/$target.log")"
done
