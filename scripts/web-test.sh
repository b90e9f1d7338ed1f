#!/usr/bin/env bash
# The browser test: builds the browser version (scripts/web --build-only),
# installs its driver (puppeteer-core, pinned in tests/web/package-lock.json)
# into a cache outside the clone, and runs tests/web in headless Chromium.
# The pictures it compares are left in build-web/test-shots/ for a look.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/web --build-only
# The desktop program and level tool, for the frames and moves to compare with.
cmake --build build --target quillmere quillmere-levels

cache_root="${QM_WEB_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quillmere-web}"
lock_hash="$(cat tests/web/package.json tests/web/package-lock.json | sha256sum | cut -c1-12)"
modules="$cache_root/node-$lock_hash"
if [ ! -f "$modules/.complete" ]; then
  rm -rf "$modules"
  mkdir -p "$modules"
  cp tests/web/package.json tests/web/package-lock.json "$modules/"
  (cd "$modules" && npm ci --no-audit --no-fund --loglevel=error)
  touch "$modules/.complete"
fi

QM_WEB_SITE="$PWD/build-web" QM_GAME_DIR="$PWD/build/game" QM_WEB_NODE_MODULES="$modules/node_modules" \
  QM_WEB_SHOTS="$PWD/build-web/test-shots" node --test --test-concurrency=1 tests/web/
