#!/usr/bin/env bash
# Installs what is missing, builds both programs for Linux, for Windows and for
# the web, and runs every test: unit and integration tests, the end-to-end tests
# under Xvfb, Wine and headless Chromium, the sanitizer build and the fuzz
# targets; then builds the Debian package and the Windows zip, lints them,
# installs the package and plays it like a reader.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

# Each step says when it began, so that a slow run shows where its time went.
step() { printf '\n== %s (at %d:%02d)\n' "$*" $((SECONDS / 60)) $((SECONDS % 60)); }

step "Installing packages"
tools/install-deps.sh test

step "Windows build (MinGW-w64)"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$jobs"

step "Linux build"
# Every test's tools are installed: a missing one fails here rather than leaving tests out.
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DREADER_REQUIRE_ALL_TESTS=ON \
      -DREADER_WINDOWS_BUILD_DIR="$root/build-windows" -DREADER_WEB_SITE="$root/dist/web" >/dev/null
cmake --build build -j"$jobs"

step "Web build (emscripten, into dist/web)"
tools/web.sh

step "Tests: unit, integration and end-to-end"
ctest --test-dir build --output-on-failure -j"$jobs"

step "Sanitizer build (AddressSanitizer, UndefinedBehaviorSanitizer, leak checker)"
cmake -S . -B build-sanitize -DREADER_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DREADER_REQUIRE_ALL_TESTS=ON >/dev/null
cmake --build build-sanitize -j"$jobs"
# Leaks inside the system libraries (fontconfig, SDL's drivers) are not ours; the
# file says which and why.
ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
LSAN_OPTIONS=suppressions="$root/tests/faults/lsan.supp":print_suppressions=0 \
  ctest --test-dir build-sanitize --output-on-failure -j"$jobs" -LE e2e

step "Fuzz targets (libFuzzer, bounded time each)"
tools/fuzz.sh

step "Packages: the Debian package and the Windows zip, linted, installed and played"
READER_WINDOWS_BUILD=build-windows tools/package.sh
# The Wine prefix of the end-to-end tests is reused.
python3 tests/e2e/package_checks.py --dist "$root/dist" --work-root "$root/build/e2e" \
        --tools-dir "$root/build/tests/e2e/probes"
step "Done"
