#!/bin/sh
# The level tool against damaged copies of the campaign: verify must name the
# fault and fail; solve must answer a good level and refuse a sealed one.
# Usage: verify_faults_test.sh TOOL LEVELS_DIR
set -u
tool=$1
levels=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
# put FILE CELL CODE: writes a small tile code into cell number CELL (14 * x + y).
put() { printf "$(printf '\\%03o' "$3")\000\000\000" | dd of="$1" bs=1 seek=$((12 + 4 * $2)) conv=notrunc 2>/dev/null; }

cp "$levels"/*.lvl "$work"/ || fail "cannot copy the campaign"
"$tool" verify "$work" > "$work/ok.txt" || fail "the untouched campaign does not verify"
grep -q "^level 160: " "$work/ok.txt" || fail "verify printed no line for level 160"

# A level cut short.
head -c 1000 "$levels/7.lvl" > "$work/7.lvl"
"$tool" verify "$work" > "$work/out.txt" && fail "a 1000-byte level passed"
grep -q "^level 7: FAILED: .*1000 bytes" "$work/out.txt" || fail "the short level was not named"
cp "$levels/7.lvl" "$work/7.lvl"

# The strip carried over from level 40 lies along one edge of level 41; turning
# the four corner cells to floor breaks it whichever edge it is.
for cell in 0 13 266 279; do put "$work/41.lvl" "$cell" 3; done
"$tool" verify "$work" > "$work/out.txt" && fail "a broken join passed"
grep -q "^level 41: FAILED: not joined to level 40" "$work/out.txt" || fail "the broken join was not named"
cp "$levels/41.lvl" "$work/41.lvl"

# solve: letters for a good level, status 1 for one whose end is walled in.
moves=$("$tool" solve "$work/12.lvl" 2>/dev/null) || fail "level 12 has no solution"
echo "$moves" | grep -Eq '^[URDL]+$' || fail "solve printed '$moves'"
end=$(od -An -t d4 -v -j 12 -N 1120 "$work/12.lvl" | tr -s ' ' '\n' | grep -v '^$' | grep -n '^2$' | cut -d: -f1)
[ -n "$end" ] || fail "level 12 has no end"
end=$((end - 1))
ex=$((end / 14)); ey=$((end % 14))
[ "$ex" -lt 19 ] && put "$work/12.lvl" $((end + 14)) 10
[ "$ex" -gt 0 ] && put "$work/12.lvl" $((end - 14)) 10
[ "$ey" -lt 13 ] && put "$work/12.lvl" $((end + 1)) 10
[ "$ey" -gt 0 ] && put "$work/12.lvl" $((end - 1)) 10
"$tool" solve "$work/12.lvl" > /dev/null 2>&1
[ $? -eq 1 ] || fail "a walled-in end did not give status 1"

# A file cut in the middle of its end's value has no end, for the tool as
# for the game: half a value is no value.
head -c $((12 + 4 * end + 2)) "$levels/12.lvl" > "$work/12.lvl"
"$tool" solve "$work/12.lvl" > /dev/null 2>&1
[ $? -eq 1 ] || fail "an end value cut short still counted"
echo "level tool fault checks passed"
