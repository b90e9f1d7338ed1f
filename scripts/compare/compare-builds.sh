#!/bin/sh
# Plays the same scripted games on two builds of the game and compares what
# they leave: every shot byte for byte (cmp) and the debug logs line by line.
# Each scenario runs in a fresh folder with the campaign's levels from this
# tree (the open test board for the replays), the build's own media.
# SHARED_MEDIA=DIR gives both builds the same media (art made since is left out).
# Usage: compare-builds.sh BEFORE_GAME_DIR AFTER_GAME_DIR OUT_DIR [DEV_BEFORE DEV_AFTER]
#   *_GAME_DIR: a build's game folder (quillmere, media, system);
#   DEV_*: the developer build's program of each, for the editor's scenario.
set -u
here=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$here/../.." && pwd)
before=$(cd "$1" && pwd) after=$(cd "$2" && pwd) out=$3
devBefore=${4:+$(realpath "$4")} devAfter=${5:+$(realpath "$5")}
mkdir -p "$out" && out=$(cd "$out" && pwd)

# An open-edged board as tests/support/GameRun.h draws it (Right, Down, Right).
openLevel() {
    python3 - "$1" <<'PY'
import struct, sys
rows = ["#####.##############", "#####.##############", "#####.##############", "##S...##############",
        "#####.##############", "#####.##############", "#####....E##########"]
code = {'#': 10, '.': 3, 'S': 1, 'E': 2}
cells = [[code[rows[y][x]] if y < len(rows) else 10 for y in range(14)] for x in range(20)]
data = struct.pack('<3i', 2, 0, -1) + b''.join(struct.pack('<i', cells[x][y]) for x in range(20) for y in range(14))
open(sys.argv[1], 'wb').write(data + struct.pack('<2i', 0, 0))
PY
}

# profile NAME SOLVED...: save0.dat with the given level states, every page seen.
profile() {
    python3 - "$@" <<'PY'
import sys
b = bytearray(175)
for i, s in enumerate(sys.argv[2:]): b[i] = int(s)
for i in range(165, 175): b[i] = 1
open(sys.argv[1], 'wb').write(bytes(b))
PY
}

# run WHICH PROGRAM GAME_DIR SCENARIO FRAMES
run() {
    dir="$out/$1/$4"
    rm -rf "$dir" && mkdir -p "$dir/levels" && cd "$dir" || exit 1
    ln -s "${SHARED_MEDIA:-$3/media}" media && ln -s "$3/system" system
    cp "$tree"/levels/*.lvl levels/
    case "$4" in
        worldmap) profile save0.dat 1 1 1 1 3 ;;
        replay)
            for l in 0 1 2; do openLevel levels/$l.lvl; done
            profile save0.dat 1 1
            python3 -c "open('best0.dat','wb').write(bytes([9]) + bytes(329))" ;;
        editor) cp "$2" ./quillmere ;;  # the quick save writes beside the program
    esac
    prog=$2
    [ "$4" = editor ] && prog=./quillmere
    timeout 300 "$prog" --headless --script "$here/$4.txt" --log log.txt --max-frames "$5" >stderr.txt 2>&1
    echo "$1 $4: exit $?"
    cd - >/dev/null
}

scenarios="play:1100 worldmap:900 replay:2000"
for s in $scenarios; do
    name=${s%%:*} frames=${s##*:}
    run before "$before/quillmere" "$before" "$name" "$frames"
    run after "$after/quillmere" "$after" "$name" "$frames"
done
if [ -n "$devBefore" ]; then
    run before "$devBefore" "$before" editor 400
    run after "$devAfter" "$after" editor 400
    scenarios="$scenarios editor:400"
fi

for s in $scenarios; do
    name=${s%%:*}
    echo "== $name"
    for shot in "$out/before/$name"/*.png; do
        [ -e "$shot" ] || continue
        base=$(basename "$shot")
        if cmp -s "$shot" "$out/after/$name/$base"; then echo "  $base identical"; else echo "  $base DIFFERS"; fi
    done
    for f in log.txt save0.dat best0.dat; do
        [ -e "$out/before/$name/$f" ] || continue
        if cmp -s "$out/before/$name/$f" "$out/after/$name/$f"; then echo "  $f identical"
        else echo "  $f DIFFERS:"; diff "$out/before/$name/$f" "$out/after/$name/$f" | head -20 | sed 's/^/    /'; fi
    done
done
