#!/bin/sh
# The installed game, started as a desktop starts it: through its launcher,
# from another folder, with a home of its own. Installs into a scratch root
# either the build through its install rules (cmake BUILD_DIR) or the Debian
# package (deb PACKAGE, first checked with lintian and the desktop-entry and
# AppStream validators), then plays twice:
#  1. a new player, no XDG_DATA_HOME: level 0 is played and skipped, and the
#     profile appears in ~/.local/share/quillmere;
#  2. the same folder, moved to where XDG_DATA_HOME leads, its data links left by
#     an earlier installation that is gone: the game goes on at level 1, the
#     ball rolls, and the skip is saved in the same profile.
# Usage: installed_game_test.sh cmake BUILD_DIR | deb PACKAGE
set -u
mode=$1
source=$(readlink -f "$2")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
root="$work/root"

if [ "$mode" = deb ]; then
  lintian --fail-on error --display-level ">=warning" "$source" > "$work/lintian.txt" 2>&1
  status=$?
  cat "$work/lintian.txt"
  [ $status -eq 0 ] || fail "lintian found errors"
  dpkg-deb -f "$source" Depends | grep -q "libsdl2" || fail "the package does not depend on SDL2"
  dpkg-deb -x "$source" "$root" || fail "the package does not unpack"
  launcher="$root/usr/games/quillmere"
  [ -f "$root/usr/share/man/man6/quillmere.6.gz" ] || fail "no manual page"
  desktop-file-validate "$root/usr/share/applications/quillmere.desktop" || fail "the desktop entry is not valid"
  appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "the AppStream metadata is not valid"
else
  DESTDIR="$root" cmake --install "$source" --prefix /usr > "$work/install.txt" 2>&1 ||
    { cat "$work/install.txt"; fail "install failed"; }
  launcher="$root/usr/bin/quillmere"
fi
touch "$work/installed"
game="$root/usr/share/games/quillmere"
[ -x "$launcher" ] || fail "no launcher"
[ -x "$root/usr/lib/games/quillmere/quillmere" ] || fail "no program in /usr/lib/games/quillmere"
for data in media levels system; do [ -d "$game/$data" ] || fail "no $data folder"; done
entry="$root/usr/share/applications/quillmere.desktop"
grep -q "^Exec=quillmere$" "$entry" || fail "the desktop entry does not start quillmere"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 22 24 32 48 64 128 256; do
  png="$root/usr/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  # the width in a PNG's header
  width=$(od -An -tu1 -j16 -N4 "$png" 2>/dev/null | awk '{print $1*16777216 + $2*65536 + $3*256 + $4}')
  [ "$width" = "$size" ] || fail "no $size-pixel icon '$icon' (width '$width')"
done
ls "$root"/usr/share/metainfo/*.metainfo.xml > /dev/null || fail "no AppStream metadata"

# Plays from another folder, with the script and log named relative to it.
play() {
  printf "$1" > "$work/elsewhere/script.txt"
  (cd "$work/elsewhere" && "$launcher" --headless --script script.txt --log log.txt --max-frames 600) \
    > "$work/run.txt" 2>&1 || { cat "$work/run.txt"; fail "the installed game did not run"; }
}
logged() { grep -qx "$1" "$work/elsewhere/log.txt" || fail "$2: no '$1' in the log"; }
profile() { od -An -tu1 -N"$1" "$user/save0.dat" 2>/dev/null | tr -s ' ' | sed 's/^ //'; }
user="$work/home/.local/share/quillmere"
mkdir -p "$work/home" "$work/elsewhere"

# Play, close the first page, roll right, skip.
export HOME="$work/home"
unset XDG_DATA_HOME
play '40 key 13 down\n41 key 13 up\n120 key 13 down\n121 key 13 up\n180 key 39 down\n182 key 39 up\n260 key 83 down\n262 key 83 up\n430 close\n'
logged "start at level 0" "new player"
logged "ball rolls 2" "new player"
logged "Loading map 1.lvl" "new player"
[ "$(profile 2)" = "2 3" ] || fail "new player: the profile in ~/.local/share/quillmere reads '$(profile 2)'"

# The player's folder, moved to where XDG_DATA_HOME now leads, with the links
# the launcher of an installation in another prefix made; that installation
# since removed but for two empty folders: one link dangles, two lead to no data.
mkdir -p "$work/old/bin" "$work/old/share/quillmere/levels" "$work/old/share/quillmere/system" "$work/xdg"
mv "$user" "$work/xdg/quillmere"
user="$work/xdg/quillmere"
for data in media levels system; do ln -sfn "$work/old/bin/../share/quillmere/$data" "$user/$data"; done
export XDG_DATA_HOME="$work/xdg"
play '40 key 13 down\n41 key 13 up\n100 key 39 down\n102 key 39 up\n200 key 83 down\n202 key 83 up\n400 close\n'
logged "start at level 1" "earlier folder"
logged "ball rolls 2" "earlier folder"
logged "Loading map 2.lvl" "earlier folder"
[ "$(profile 3)" = "2 2 3" ] || fail "earlier folder: the profile reads '$(profile 3)'"
for data in media levels system; do
  [ "$(readlink -f "$user/$data")" = "$(readlink -f "$game/$data")" ] || fail "the $data link was not mended"
done
[ -z "$(find "$root" -newer "$work/installed" -type f)" ] || fail "the game wrote into the installation"
echo "installed game test ($mode) passed"
