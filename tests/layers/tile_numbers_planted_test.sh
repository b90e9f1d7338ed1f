#!/bin/sh
# The tile-number check catches what it is for: copies of real files pass it
# as they are, and each bare tile number planted in a copy (one form at a
# time: a case of a switch on a category, a comparison with a cell's code, a
# brush call, a comparison with a category, a cell written) fails it, naming
# the planted line.
# Usage: tile_numbers_planted_test.sh SOURCE_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
root="$1"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files="src/boardart/BoardCellPainter.cpp src/editor/EditorState.cpp tests/play/LevelMapTest.cpp tests/editor/EditorStateTest.cpp"
for f in $files; do
    mkdir -p "$work/$(dirname "$f")"
    cp "$root/$f" "$work/$f"
done
if ! out=$(sh "$here/tile_numbers_test.sh" "$work"); then
    echo "the clean copies fail the check:"
    echo "$out"
    exit 1
fi
failures=0
# plant FILE OLD NEW: the first line holding OLD gets NEW in its place.
plant() {
    file="$1"
    line=$(grep -nF -- "$2" "$work/$file" | head -1 | cut -d: -f1)
    if [ -z "$line" ]; then
        echo "cannot plant in $file: no line holds '$2'"
        failures=$((failures + 1))
        return
    fi
    cp "$work/$file" "$work/clean"
    awk -v n="$line" -v old="$2" -v new="$3" 'NR == n { i = index($0, old); $0 = substr($0, 1, i - 1) new substr($0, i + length(old)) } { print }' \
        "$work/clean" > "$work/$file"
    if cmp -s "$work/clean" "$work/$file"; then
        echo "nothing planted in $file"
        failures=$((failures + 1))
    elif out=$(sh "$here/tile_numbers_test.sh" "$work"); then
        echo "missed: $file:$line with '$3'"
        failures=$((failures + 1))
    elif ! echo "$out" | grep -q "^$file:$line:"; then
        echo "failed without naming $file:$line:"
        echo "$out"
        failures=$((failures + 1))
    fi
    cp "$work/clean" "$work/$file"
}
plant src/boardart/BoardCellPainter.cpp "case Code::Switch:" "case 9:"
plant src/boardart/BoardCellPainter.cpp "if (c == Code::WallBrush)" "if (c == 0)"
plant src/editor/EditorState.cpp "setTile(map, cx, cy, Code::Start)" "setTile(map, cx, cy, 1)"
plant tests/play/LevelMapTest.cpp "tileCategory(x, y) == Category::Wall" "tileCategory(x, y) == 0"
plant tests/editor/EditorStateTest.cpp "cells[4][4] = Code::Start" "cells[4][4] = 1"
if [ "$failures" -ne 0 ]; then exit 1; fi
echo "every planted tile number was caught; the clean copies pass"
