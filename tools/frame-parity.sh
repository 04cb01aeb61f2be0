#!/usr/bin/env bash
# Compares every frame of the whole sample story, natively and under Wine:
# tools/frame-parity.sh [part1] [part2] (both when none is named). Each part runs
# once on each platform, one after the other, about 3.5 minutes a run; the result
# and any differing frames (named, as PNG files) are in build/e2e/artifacts/
# wine.parity.whole_story.<part>/. Installs and builds what it needs as
# tools/test.sh does, in build/ and build-windows/.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
parts=("$@")
[ ${#parts[@]} -gt 0 ] || parts=(part1 part2)
for part in "${parts[@]}"; do
  case "$part" in part1|part2) ;; *) echo "usage: $0 [part1] [part2]" >&2; exit 2 ;; esac
done

tools/install-deps.sh test
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$(nproc)" --target part1 part2 ddraw_recorder
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DREADER_WINDOWS_BUILD_DIR="$root/build-windows" >/dev/null
cmake --build build -j"$(nproc)" --target part1 part2 play_data script_facts_part1 \
      script_facts_part2 wm_close

run=(python3 tests/e2e/run_case.py --platform wine --bin-dir "$root/build-windows"
     --play-dir "$root/build/play" --tools-dir "$root/build/tests/e2e/probes"
     --work-root "$root/build/e2e")
"${run[@]}" wine-prefix
status=0
for part in "${parts[@]}"; do
  echo "== $part"
  "${run[@]}" "parity.whole_story.$part" || status=1
done
exit $status
