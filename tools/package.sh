#!/usr/bin/env bash
# Builds what a reader installs, into dist/:
#   dist/ponpoko-mokuri_<version>_<arch>.deb     the Debian package (CPack)
#   dist/ponpoko-mokuri-<version>-windows.zip    part1.exe and part2.exe, each in its
#                                                own folder with its data, and a read-me
# Installs the packages it needs first (tools/install-deps.sh package).
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
jobs=$(nproc)
dist=$root/dist
linux=build-package
windows=build-package-windows

tools/install-deps.sh package

# Linux, with Debian's hardening flags, laid out under /usr.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
cmake -S . -B "$linux" -DREADER_PACKAGE=ON -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=None \
      -DCMAKE_INSTALL_PREFIX=/usr -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON \
      -DCMAKE_C_FLAGS="$cflags" -DCMAKE_CXX_FLAGS="$cflags" \
      -DCMAKE_EXE_LINKER_FLAGS="$(dpkg-buildflags --get LDFLAGS)" >/dev/null
cmake --build "$linux" -j"$jobs" --target part1 part2 play_data package_files
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$linux/CMakeCache.txt")
rm -f "$linux"/*.deb
(cd "$linux" && cpack -G DEB >/dev/null)
mkdir -p "$dist"
rm -f "$dist"/*.deb "$dist"/*-windows.zip
mv "$linux"/ponpoko-mokuri_"$version"_*.deb "$dist"/

# Windows: the programs from the MinGW build, the scripts from the Linux build's
# play folder (the same conversion), a fresh bookmark and the cues beside each.
# READER_WINDOWS_BUILD names a MinGW Release build already configured (tools/test.sh's)
# to take them from instead of making one here.
if [ -n "${READER_WINDOWS_BUILD:-}" ]; then
  windows=$READER_WINDOWS_BUILD
else
  cmake -S . -B "$windows" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
        -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF --no-warn-unused-cli >/dev/null
fi
cmake --build "$windows" -j"$jobs" --target part1 part2
stage=$root/$linux/windows-zip
top=ponpoko-mokuri
rm -rf "$stage" && mkdir -p "$stage/$top"
for entry in part1:mokuri0 part2:mokuri; do
  part=${entry%%:*} stem=${entry#*:}
  folder=$stage/$top/$part
  mkdir "$folder"
  x86_64-w64-mingw32-strip -o "$folder/$part.exe" "$windows/$part.exe"
  cp "$linux/play/$stem.dat" data/sounds/*.wav "$folder/"
  cp data/start.sav "$folder/$stem.sav"
done
# Notepad on every Windows reads UTF-8 with a byte order mark, and CR LF line ends.
{ printf '\xef\xbb\xbf'; sed 's/$/\r/' packaging/windows/README.txt; } >"$stage/$top/README.txt"
zip=$dist/ponpoko-mokuri-$version-windows.zip
(cd "$stage" && find "$top" -type f | LC_ALL=C sort >files.txt &&
   cmake -E tar cf "$zip" --format=zip --mtime="2026-01-01 00:00:00 UTC" --files-from=files.txt)

echo "Built:"
ls -l "$dist"
