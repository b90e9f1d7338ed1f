#!/bin/sh
# Designed levels through the level tool on copies of the campaign: generate
# installs a planted board instead of making one, install writes it into its
# level file and joins the next level to it, verify fails once the two drift
# apart, and install refuses an end the next level does not start from.
# Usage: designed_levels_test.sh TOOL LEVELS_DIR
set -u
tool=$1
levels=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# get FILE CELL: the tile code in cell number CELL (14 * x + y); put FILE CELL CODE writes a small one.
get() { od -An -t d4 -j $((12 + 4 * $2)) -N 4 "$1" | tr -d ' '; }
put() { printf "$(printf '\\%03o' "$3")\000\000\000" | dd of="$1" bs=1 seek=$((12 + 4 * $2)) conv=notrunc 2>/dev/null; }

# Level 12 redrawn by hand: its start (0, 7) and end (3, 0) where the route has them.
plant() {
  mkdir -p "$1/designed"
  cp "$levels"/*.lvl "$1"/ || fail "cannot copy the campaign"
  if [ -d "$levels/designed" ]; then cp "$levels"/designed/*.txt "$1/designed/" 2>/dev/null; fi
  cat > "$1/designed/012.txt" <<'BOARD'
; idea: the key waits beyond the teleport; then the lock opens the column to the end (a long note: the idea line of a hand-made board may run on well past the width of a board row, and none of it is a row) (a long note: the idea line of a hand-made board may run on well past the width of a board row, and none of it is a row) (a long note: the idea line of a hand-made board may run on well past the width of a board row, and none of it is a row)
###E################
#..l.........#.....#
#............#.....#
#............#.....#
#......#######.....#
#............1..k..#
#..................#
S.......#......#####
#.......#..........#
#.......#..........#
#.......#...0......#
#.......#####......#
#.#................#
####################
BOARD
}

# generate: level 12 is installed, not made; the levels around it join it.
mkdir "$work/made"
plant "$work/made"
"$tool" generate --from 11 --to 13 --dir "$work/made" > "$work/out.txt" || fail "generate around a designed level failed"
grep -q "^level 12: designed, installed from" "$work/out.txt" || fail "generate made level 12 instead of installing it"
"$tool" verify "$work/made" > "$work/out.txt" || { grep FAILED "$work/out.txt"; fail "the generated levels do not verify"; }

# install: the frame line level 12 leaves by gets another wall variant, which
# the entry line of level 13 must then carry.
mkdir "$work/c"
plant "$work/c"
c=$work/c
was=$(get "$c/12.lvl" 140)
put "$c/12.lvl" 140 $((21 - was))
"$tool" install --dir "$c" > "$work/out.txt" || { cat "$work/out.txt"; fail "install refused a board that fits"; }
grep -q "^level 12: installed from .*, level 13 joined to it" "$work/out.txt" || fail "install did not report level 12"
"$tool" text "$c/12.lvl" > "$work/text.txt"
grep -v '^;' "$c/designed/012.txt" | cmp -s - "$work/text.txt" || fail "level 12 does not hold the designed board"
[ "$(get "$c/12.lvl" 140)" -eq $((21 - was)) ] || fail "the exit line's wall variant was not kept"
piece=$(get "$c/12.lvl" 102)
[ "$piece" -eq 12 ] || [ "$piece" -eq 13 ] || fail "a wall piece of the designed board has code $piece"
[ "$(get "$c/13.lvl" 153)" -eq $((21 - was)) ] || fail "level 13's entry line was not joined again"
"$tool" text "$levels/13.lvl" > "$work/13.txt"
"$tool" text "$c/13.lvl" | cmp -s - "$work/13.txt" || fail "joining level 13 changed more than wall variants"
"$tool" verify "$c" > "$work/out.txt" || { grep FAILED "$work/out.txt"; fail "the installed campaign does not verify"; }
[ "$(cmp -l "$work/made/12.lvl" "$c/12.lvl" | wc -l)" -eq 1 ] || fail "generate and install dress level 12 differently"
# The campaign page lists a board drawn for an ordinary level apart from the group finales.
"$tool" stats --dir "$c" --table "$work/levels.md" > /dev/null
grep -q "^- 12: the key waits beyond the teleport" "$work/levels.md" || fail "level 12 is not on the campaign page"
sed -n '/^## The group finales/,/^## /p' "$work/levels.md" | grep -q "^- 12:" && fail "level 12 is listed as a group finale"
cp "$c/12.lvl" "$work/12.lvl"
cp "$c/13.lvl" "$work/13.lvl"

# A level file that drifts from its designed board fails verify.
put "$c/12.lvl" 102 3
"$tool" verify "$c" > "$work/out.txt" && fail "a level drifted from its designed board passed"
grep -q "^level 12: FAILED: differs from its designed board .*cell (7, 4)" "$work/out.txt" || fail "the drift was not named"
cp "$work/12.lvl" "$c/12.lvl"

# An end moved along the exit line would move level 13's start: refused, nothing written.
sed -i '2s/^###E##/#####E/' "$c/designed/012.txt"
"$tool" install --dir "$c" > "$work/out.txt" && fail "install took an end level 13 does not start from"
grep -q "^NOT INSTALLED: level 12: level 13 does not start where the designed board ends" "$work/out.txt" ||
  fail "the refusal was not explained"
cmp -s "$c/12.lvl" "$work/12.lvl" && cmp -s "$c/13.lvl" "$work/13.lvl" || fail "a refused install changed a level file"
echo "designed level checks passed"
