#!/bin/sh
# Installs the built game into a scratch prefix and starts it the way a
# desktop would: through the launcher in bin, from another folder, with a
# home of its own. The game must run, keep its profile in the user's folder,
# and the desktop entry must name a command and an icon that were installed.
# Usage: install_test.sh BUILD_DIR
set -u
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" > "$work/install.txt" 2>&1 || { cat "$work/install.txt"; fail "install failed"; }
prefix="$work/prefix"
[ -x "$prefix/bin/quillmere" ] || fail "no launcher in bin"
[ -x "$prefix/share/quillmere/quillmere" ] || fail "no program in the game folder"
for data in media levels system; do [ -d "$prefix/share/quillmere/$data" ] || fail "no $data folder"; done
entry="$prefix/share/applications/quillmere.desktop"
[ -f "$entry" ] || fail "no desktop entry"
grep -q "^Exec=quillmere" "$entry" || fail "the desktop entry does not start quillmere"
icon=$(sed -n 's/^Icon=//p' "$entry")
[ -f "$prefix/share/icons/hicolor/64x64/apps/$icon.png" ] || fail "the icon '$icon' was not installed"
head -c 8 "$prefix/share/icons/hicolor/64x64/apps/$icon.png" | od -An -c | grep -q "P   N   G" || fail "the icon is no PNG"

# The build folder may go: the installed game needs nothing from it.
mkdir -p "$work/home" "$work/elsewhere"
printf '5 shot started.png\n40 key 13 down\n41 key 13 up\n90 close\n' > "$work/script.txt"
cd "$work/elsewhere" || fail "no scratch folder"
HOME="$work/home" XDG_DATA_HOME= "$prefix/bin/quillmere" --headless --script "$work/script.txt" --max-frames 200 \
  > "$work/run.txt" 2>&1 || { cat "$work/run.txt"; fail "the installed game did not run"; }
user="$work/home/.local/share/quillmere"
[ -f "$user/save0.dat" ] || fail "no profile in the user's folder"
[ -f "$user/started.png" ] || fail "no shot: the game drew nothing"
[ ! -e "$prefix/share/quillmere/save0.dat" ] || fail "the profile was written into the installed game folder"
echo "install test passed"
