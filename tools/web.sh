#!/usr/bin/env bash
# Builds part1 and part2 for the web into dist/web/ (a folder per part, the font
# once for both, an index page that links them): the Linux build's tools and play
# folder in build/, SDL2 and FreeType compiled for wasm from Debian's source
# packages, then the programs with emscripten in build-web/.
#   tools/web.sh            build
#   tools/web.sh --serve    build, then serve dist/web on http://localhost:8023/
#                           (--serve PORT for another port)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
serve=""
case "${1:-}" in
  "") ;;
  --serve) serve=${2:-8023} ;;
  *) echo "usage: $0 [--serve [PORT]]" >&2; exit 2 ;;
esac
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}  # emscripten's acorn, for a Node that is not Debian's

tools/install-deps.sh web

# The Linux build makes the play folder (the checked stories, in CP932) and the
# tools that the web build runs on this machine.
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$jobs" --target play_data embed_resources cp932_table

tools/web/wasm_libraries.sh build-web/wasm

emcmake cmake -S . -B build-web -DCMAKE_BUILD_TYPE=Release \
  -DREADER_HOST_BUILD_DIR="$root/build" -DREADER_WASM_LIBRARIES="$root/build-web/wasm/prefix" \
  -DREADER_WEB_SITE="$root/dist/web" >/dev/null
rm -rf dist/web
cmake --build build-web -j"$jobs"
echo "The pages are in dist/web/"

if [ -n "$serve" ]; then
  echo "Serving dist/web on http://localhost:$serve/ (Ctrl+C stops)"
  exec python3 -m http.server "$serve" --bind 127.0.0.1 --directory dist/web
fi
