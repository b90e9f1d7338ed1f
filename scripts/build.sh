#!/usr/bin/env bash
# Configures and builds the game. Usage: scripts/build.sh [BUILD_DIR [cmake options...]]
# The default build folder is build/ (its game folder is build/game).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
dir="${1:-build}"
shift || true
launcher=()
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build "$dir"
