#!/usr/bin/env bash
# Builds SDL2, FreeType and libsndfile for wasm (emscripten) from Debian's own
# source packages, at the versions of the libsdl2-dev, libfreetype-dev and
# libsndfile1-dev the Linux build links, and installs them into WORK/prefix
# (include/, lib/):
#   tools/web/wasm_libraries.sh WORK
# The sources come from the Debian archive this machine installs from: deb-src
# entries are made from its own deb entries in a private apt state under WORK,
# and the machine's apt configuration is left alone. A finished prefix is kept
# until the versions or this script change.
set -euo pipefail
script=$(realpath "$0")
work=$(realpath -m "$1")
prefix=$work/prefix
jobs=$(nproc)
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}  # emscripten's acorn, for a Node that is not Debian's

source_of() { dpkg-query -W -f='${source:Package}=${source:Version}' "$1"; }
sdl=$(source_of libsdl2-dev)
freetype=$(source_of libfreetype-dev)
sndfile=$(source_of libsndfile1-dev)
stamp="$sdl $freetype $sndfile $(sha256sum "$script" | cut -c1-16)"
if [ -f "$prefix/stamp" ] && [ "$(cat "$prefix/stamp")" = "$stamp" ]; then
  exit 0
fi
rm -rf "$prefix"
mkdir -p "$work" "$prefix/include/SDL2" "$prefix/lib"
cd "$work"

# ---- The sources, from the archive's deb-src side -----------------------------------
apt_state=$work/apt
rm -rf "$apt_state"
mkdir -p "$apt_state/lists/partial" "$apt_state/cache/archives/partial" "$apt_state/sources"
for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$list" ] && sed -n 's/^[[:space:]]*deb[[:space:]]\+/deb-src /p' "$list"
done >"$apt_state/sources/from-lists.list"
for sources in /etc/apt/sources.list.d/*.sources; do
  [ -f "$sources" ] && sed 's/^Types:.*\bdeb\b.*$/Types: deb-src/' "$sources" >"$apt_state/sources/${sources##*/}"
done
apt_private=(-o Dir::Etc::SourceList="$apt_state/sources/from-lists.list"
             -o Dir::Etc::SourceParts="$apt_state/sources"
             -o Dir::State::Lists="$apt_state/lists" -o Dir::Cache="$apt_state/cache"
             -o APT::Sandbox::User=root -q)
apt-get "${apt_private[@]}" update >/dev/null
rm -rf sources && mkdir sources
(cd sources && apt-get "${apt_private[@]}" source "$sdl" "$freetype" "$sndfile" >/dev/null 2>&1) || {
  echo "wasm_libraries.sh: apt-get source $sdl $freetype $sndfile failed" >&2
  exit 1
}
sdl_dir=$(find sources -maxdepth 1 -type d -name 'libsdl2-*' | head -1)
freetype_dir=$(find sources -maxdepth 1 -type d -name 'freetype-*' | head -1)
sndfile_dir=$(find sources -maxdepth 1 -type d -name 'libsndfile-*' | head -1)

# ---- SDL2 ------------------------------------------------------------------------
# Compiled as emscripten's own SDL port is: SDL's SDL_config_emscripten.h (chosen by
# SDL_config.h) instead of a configuration step, which would cost minutes of probes.
# The folders are SDL's common code and its emscripten backends; the subsystems
# that the emscripten configuration turns off compile to nothing.
sdl_folders=". atomic audio audio/disk audio/dummy audio/emscripten cpuinfo dynapi events
  file filesystem/emscripten haptic haptic/dummy hidapi joystick joystick/emscripten
  loadso/dlopen locale locale/emscripten misc misc/emscripten power power/emscripten
  render render/software render/opengles2 sensor sensor/dummy stdlib thread thread/generic
  timer timer/unix video video/emscripten video/yuv2rgb"
rm -rf sdl2-objects && mkdir sdl2-objects
sdl_sources=()
for folder in $sdl_folders; do
  sdl_sources+=("$sdl_dir"/src/$folder/*.c)
done
duplicates=$(printf '%s\n' "${sdl_sources[@]##*/}" | sort | uniq -d)
[ -z "$duplicates" ] || { echo "SDL sources share names: $duplicates" >&2; exit 1; }
# Several files a compiler call: emcc's own start-up costs more than most files.
(cd sdl2-objects && printf '%s\n' "${sdl_sources[@]/#/$work/}" |
   xargs -n 16 -P "$jobs" emcc -c -O2 -w -I"$work/$sdl_dir/include")
emar rcs "$prefix/lib/libSDL2.a" sdl2-objects/*.o
cp "$sdl_dir"/include/*.h "$prefix/include/SDL2/"

# ---- FreeType ----------------------------------------------------------------------
# Its own CMake build, without the optional libraries (compressed and colour fonts).
rm -rf freetype-build
emcmake cmake -S "$freetype_dir" -B freetype-build -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF \
  -DFT_DISABLE_ZLIB=TRUE -DFT_DISABLE_BZIP2=TRUE -DFT_DISABLE_PNG=TRUE \
  -DFT_DISABLE_HARFBUZZ=TRUE -DFT_DISABLE_BROTLI=TRUE >freetype-configure.log
cmake --build freetype-build -j"$jobs" >freetype-build.log
cmake --install freetype-build >/dev/null

# ---- libsndfile --------------------------------------------------------------------
# Without the external codec libraries (FLAC, Vorbis, Opus, MPEG): what a wave file
# holds (PCM, float, A-law, u-law, IMA and Microsoft ADPCM, GSM 6.10) it decodes
# itself. A cue in MPEG layer 3 plays the default sound in a browser.
rm -rf sndfile-build
emcmake cmake -S "$sndfile_dir" -B sndfile-build -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_INSTALL_PREFIX="$prefix" -DBUILD_SHARED_LIBS=OFF -DENABLE_EXTERNAL_LIBS=OFF \
  -DENABLE_MPEG=OFF -DBUILD_PROGRAMS=OFF -DBUILD_EXAMPLES=OFF -DBUILD_TESTING=OFF \
  -DBUILD_REGTEST=OFF -DENABLE_CPACK=OFF -DENABLE_PACKAGE_CONFIG=OFF \
  -DINSTALL_PKGCONFIG_MODULE=OFF -DINSTALL_MANPAGES=OFF >sndfile-configure.log
cmake --build sndfile-build -j"$jobs" >sndfile-build.log
cmake --install sndfile-build >/dev/null

echo "$stamp" >"$prefix/stamp"
echo "SDL2 ($sdl), FreeType ($freetype) and libsndfile ($sndfile) for wasm are in $prefix"
