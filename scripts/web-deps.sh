#!/usr/bin/env bash
# Builds the libraries the browser version links (SDL2, zlib, libpng,
# libjpeg-turbo, libogg, libvorbis) for WebAssembly from Debian's own source
# packages, into a prefix cached outside the clone, and prints that prefix.
# Usage: scripts/web-deps.sh        (progress on stderr, the prefix on stdout)
# The prefix is named after a hash of this script's commands (comments left
# out) and the compiler's version, so a changed recipe builds a new one and
# every later run reuses it. The
# Emscripten ports cannot be used: their cache is frozen and their sources
# would come from outside.
set -euo pipefail
cd "$(dirname "$0")/.."
script="$PWD/scripts/web-deps.sh"

cache_root="${QM_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillmere-web}"
# (sed, not head: an early-closed pipe would fail the version command.)
recipe="$( (grep -v '^ *#' "$script"; emcc --version 2>/dev/null | sed -n 1p) | sha256sum | cut -c1-12)"
prefix="$cache_root/deps-$recipe"
mkdir -p "$cache_root"
# One build at a time: other clones on the machine wait for it and reuse it.
exec 9>"$cache_root/.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
  echo "$prefix"
  exit 0
fi

log() { echo "web-deps: $*" >&2; }
log "building the libraries into $prefix (several minutes, once)"

# Debian's source packages need a deb-src entry for bookworm.
if ! grep -rqs '^Types:.*deb-src\|^deb-src ' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO tee /etc/apt/sources.list.d/quillmere-src.sources >/dev/null <<'EOF'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
  $SUDO apt-get update -qq
fi

rm -rf "$prefix" "$prefix.work"
mkdir -p "$prefix.work"
work="$prefix.work"
cd "$work"
apt-get source -qq --download-only libsdl2 libjpeg-turbo libogg libvorbis zlib/bookworm libpng1.6/bookworm \
  >/dev/null 2>&1
for dsc in *.dsc; do
  dpkg-source -x -q "$dsc" >/dev/null 2>&1
done
src() { find "$work" -maxdepth 1 -type d -name "$1-*" | sed -n 1p; }

export NODE_PATH=/usr/share/nodejs
jobs="$(nproc)"
cmake_common=(
  -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix"
  -DCMAKE_PREFIX_PATH="$prefix" -DCMAKE_FIND_ROOT_PATH="$prefix"
  -DBUILD_SHARED_LIBS=OFF
  "-DCMAKE_CROSSCOMPILING_EMULATOR=/usr/bin/node;--no-experimental-fetch"
)
build_cmake() { # NAME SOURCE [options...]
  local name="$1" source="$2"
  shift 2
  log "$name"
  emcmake cmake -S "$source" -B "$work/build-$name" "${cmake_common[@]}" "$@" >"$work/$name.log" 2>&1 ||
    { tail -n 40 "$work/$name.log" >&2; exit 1; }
  cmake --build "$work/build-$name" -j "$jobs" >>"$work/$name.log" 2>&1 ||
    { tail -n 40 "$work/$name.log" >&2; exit 1; }
  cmake --install "$work/build-$name" >>"$work/$name.log" 2>&1
}

# zlib's Debian tarball lacks the win32 folder its CMake file wants, so its own
# configure script builds it.
log zlib
(cd "$(src zlib)" && CHOST=wasm32 emconfigure ./configure --static --prefix="$prefix" &&
  emmake make -j "$jobs" libz.a && emmake make install) >"$work/zlib.log" 2>&1 ||
  { tail -n 40 "$work/zlib.log" >&2; exit 1; }

build_cmake libpng "$(src libpng1.6)" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DPNG_HARDWARE_OPTIMIZATIONS=OFF \
  -DZLIB_INCLUDE_DIR="$prefix/include" -DZLIB_LIBRARY="$prefix/lib/libz.a"
build_cmake libjpeg "$(src libjpeg-turbo)" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_SIMD=OFF \
  -DWITH_TURBOJPEG=OFF -DWITH_JAVA=OFF
build_cmake libogg "$(src libogg)" -DINSTALL_DOCS=OFF -DBUILD_TESTING=OFF
build_cmake libvorbis "$(src libvorbis)" -DOGG_ROOT="$prefix" -DOGG_INCLUDE_DIR="$prefix/include" \
  -DOGG_LIBRARY="$prefix/lib/libogg.a" -DBUILD_TESTING=OFF
# SDL2 without threads: the game runs on one thread in the browser, and
# threads there would need cross-origin isolation from the server.
build_cmake sdl2 "$(src libsdl2)" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_TESTS=OFF \
  -DSDL_THREADS=OFF -DSDL_PTHREADS=OFF

cd /
rm -rf "$work"
touch "$prefix/.complete"
# Older recipes are of no further use.
find "$cache_root" -maxdepth 1 -name 'deps-*' ! -name "deps-$recipe" -exec rm -rf {} + 2>/dev/null || true
log "done"
echo "$prefix"
