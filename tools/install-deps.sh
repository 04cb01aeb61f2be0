#!/usr/bin/env bash
# Installs the Debian packages one command needs, and only those:
#   tools/install-deps.sh play       build and play (tools/play.sh)
#   tools/install-deps.sh package    also the Windows cross-compiler and the packaging tools
#   tools/install-deps.sh web        also emscripten and what fetches Debian's sources (tools/web.sh)
#   tools/install-deps.sh test       everything every test needs (tools/test.sh)
set -euo pipefail

play=(
  cmake g++ pkg-config make
  libsdl2-dev libx11-dev libxext-dev libsndfile1-dev libfreetype-dev libfontconfig-dev fonts-ipafont-mincho
)
package=(
  g++-mingw-w64-x86-64 dpkg-dev file imagemagick
)
web=(
  emscripten dpkg-dev
)
tests=(
  libgtest-dev libgmock-dev libbenchmark-dev
  wine wine64
  xvfb xdotool x11-utils xauth openbox locales
  clang libclang-rt-14-dev
  sox pulseaudio pulseaudio-utils strace
  lintian desktop-file-utils
  chromium chromium-driver python3-selenium firefox-esr webkit2gtk-driver
)

case "${1:-}" in
  play) packages=("${play[@]}") ;;
  package) packages=("${play[@]}" "${package[@]}") ;;
  web) packages=("${play[@]}" "${web[@]}") ;;
  test) packages=("${play[@]}" "${package[@]}" "${web[@]}" "${tests[@]}") ;;
  *) echo "usage: $0 play|package|web|test" >&2; exit 2 ;;
esac

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
# Node.js and npm for the Firefox driver: Debian's, unless the machine has its own.
if [ "$1" = test ] && ! command -v npm >/dev/null; then
  missing+=(nodejs npm)
fi

if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# puppeteer-core, which drives Firefox, as the lock file pins it; no browser of its own.
if [ "$1" = test ]; then
  driver=$(dirname "$0")/../tests/e2e/firefox
  if [ ! "$driver/node_modules/.package-lock.json" -nt "$driver/package-lock.json" ]; then
    (cd "$driver" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --no-audit --no-fund)
  fi
fi
