#!/usr/bin/env bash
# Installs every Debian package the build, the play command and the tests need.
set -euo pipefail

packages=(
  cmake g++ pkg-config make
  libsdl2-dev libfreetype-dev libfontconfig-dev fonts-ipafont-mincho
  libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-x86-64 wine wine64
  xvfb xdotool imagemagick x11-utils xauth openbox locales
  clang libclang-rt-14-dev
  sox pulseaudio pulseaudio-utils
)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
    missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
$sudo apt-get update -q
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
