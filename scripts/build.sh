#!/usr/bin/env bash
# Configures and builds the game into build/ (the game folder is build/game).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if command -v ccache >/dev/null 2>&1; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
else
  launcher=()
fi
cmake -S . -B build -G Ninja "${launcher[@]}" "$@" >/dev/null
cmake --build build
