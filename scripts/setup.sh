#!/usr/bin/env bash
# Installs the Debian packages that building and testing Quillmere needs.
# Idempotent: only missing packages are installed (through sudo when not root).
# Usage: scripts/setup.sh [--web] [--package]   (--web adds the browser version's
# compiler, Debian's source-package tools and the headless browser of its test;
# --package the tools that build the Debian package and check it)
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config ccache
  libsdl2-dev libpng-dev zlib1g-dev libjpeg-dev libogg-dev libvorbis-dev
  libgtest-dev
  clang libclang-rt-14-dev
  libcairo2-dev libfreetype-dev fonts-dejavu-core
)
for option in "$@"; do
  case "$option" in
    --web)
      packages+=(emscripten binaryen node-acorn nodejs dpkg-dev xz-utils python3 chromium-headless-shell brotli)
      # npm fetches the browser test's driver; Debian's own when none came with Node.js.
      command -v npm >/dev/null 2>&1 || packages+=(npm)
      ;;
    --package)
      packages+=(dpkg-dev debhelper lintian appstream desktop-file-utils man-db)
      ;;
    *) echo "setup: unknown option $option" >&2; exit 2 ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
