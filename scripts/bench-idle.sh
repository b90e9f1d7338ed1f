#!/usr/bin/env bash
# How much of a core and how much memory the game takes in a real window
# (under Xvfb, with the renderer the game chooses): the main menu with nothing
# moving, play with the ball at rest on level 1 (the end's sparkle and the
# teleport glows still move), play with the ball rolling, and the peak
# resident memory of a run playing group 2 (level 10, the birds' music).
# Each figure is the median of RUNS runs (3 unless given); the other runs are
# printed beside it. When Debian's enigma and sgt-puzzles (Inertia) are
# installed they are measured the same way, idle, in the same X server.
#
# Usage: scripts/bench-idle.sh [BUILD_DIR] [RUNS] [SECONDS]
# This is a benchmark: it prints figures and never fails on them.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
runs="${2:-3}"
window="${3:-10}"
game="$(cd "$build" 2>/dev/null && pwd)/game/quillmere"
[ -x "$game" ] || { echo "no game at $game: build it first (scripts/build.sh $build)" >&2; exit 2; }
command -v Xvfb >/dev/null || { echo "Xvfb is missing (scripts/setup.sh installs it)" >&2; exit 2; }

hz=$(getconf CLK_TCK)
work=$(mktemp -d)
xpid=""
cleanup() {
  [ -n "$xpid" ] && kill "$xpid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

# A display nobody uses.
display=71
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display"
# No sound device here: the mixer still runs, on SDL's silent driver.
export SDL_AUDIODRIVER="${SDL_AUDIODRIVER:-dummy}"

# CPU ticks (user + system, every thread) of a process and of the X server.
ticks() { awk '{print $14 + $15}' "/proc/$1/stat" 2>/dev/null || echo 0; }
peakKb() { awk '/^VmHWM/ {print $2}' "/proc/$1/status" 2>/dev/null || echo 0; }

# A working folder with the game's data and a profile whose first `solved`
# levels are solved and tutorial pages seen, so play starts on level `solved`.
folder() {
  local dir="$work/$1" solved="$2"
  mkdir -p "$dir"
  local data
  data=$(dirname "$game")
  for d in media levels system; do ln -s "$data/$d" "$dir/$d"; done
  python3 - "$dir/save0.dat" "$solved" <<'EOF'
import sys
b = bytearray(175)
for i in range(int(sys.argv[2])): b[i] = 1
for i in range(165, 175): b[i] = 1
open(sys.argv[1], "wb").write(bytes(b))
EOF
  echo "$dir"
}

# Script for a run: Enter on the menu (after the splash) for play; rolling
# turns the ball every half second, round and round.
script() {
  local kind="$1" out="$2"
  : >"$out"
  [ "$kind" = menu ] && return
  printf '60 key 13 down\n62 key 13 up\n' >>"$out"
  [ "$kind" = rest ] && return
  local keys=(37 38 39 40) f=150 i=0
  while [ $f -lt 20000 ]; do
    printf '%d key %d down\n%d key %d up\n' $f "${keys[$((i % 4))]}" $((f + 2)) "${keys[$((i % 4))]}" >>"$out"
    f=$((f + 30)); i=$((i + 1))
  done
}

# One run: start, let it settle, count CPU over the window, then the peak
# memory. Prints "cpu% xcpu% peakMB".
measure() {
  local dir="$1" settle="$2"
  shift 2
  (cd "$dir" && exec nice -n 0 "$@" >/dev/null 2>&1) &
  local pid=$!
  sleep "$settle"
  local t0 x0 s0 t1 x1 s1
  t0=$(ticks $pid); x0=$(ticks $xpid); s0=$(date +%s.%N)
  sleep "$window"
  t1=$(ticks $pid); x1=$(ticks $xpid); s1=$(date +%s.%N)
  local peak
  peak=$(peakKb $pid)
  kill $pid 2>/dev/null || true
  wait $pid 2>/dev/null || true
  awk -v a="$t0" -v b="$t1" -v xa="$x0" -v xb="$x1" -v s="$s0" -v e="$s1" -v hz="$hz" -v kb="$peak" \
    'BEGIN { d = (e - s) * hz; printf "%.1f %.1f %.1f\n", 100 * (b - a) / d, 100 * (xb - xa) / d, kb / 1024 }'
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# Runs a case RUNS times; prints its medians and the single runs.
report() {
  local label="$1" dir="$2" settle="$3"
  shift 3
  local cpus=() xs=() mems=()
  for _ in $(seq "$runs"); do
    read -r c x m < <(measure "$dir" "$settle" "$@")
    cpus+=("$c"); xs+=("$x"); mems+=("$m")
  done
  printf '%-34s cpu %5s%% (%s)  X server %5s%%  peak %6s MB (%s)\n' "$label" \
    "$(printf '%s\n' "${cpus[@]}" | median)" "${cpus[*]}" "$(printf '%s\n' "${xs[@]}" | median)" \
    "$(printf '%s\n' "${mems[@]}" | median)" "${mems[*]}"
}

echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg) at the start"
echo "game: $game; window $window s per run, $runs runs, medians first, the single runs in brackets"
one=$(folder level1 1)
ten=$(folder level10 10)
script menu "$work/menu.txt"
script rest "$work/rest.txt"
script roll "$work/roll.txt"
# The splash stays 2 s; play starts at flip 60 of the menu.
report "Quillmere main menu, idle" "$one" 5 "$game" --script "$work/menu.txt"
report "Quillmere play, ball at rest (1)" "$one" 6 "$game" --script "$work/rest.txt"
report "Quillmere play, ball rolling (1)" "$one" 6 "$game" --script "$work/roll.txt"
report "Quillmere play, group 2 rolling" "$ten" 6 "$game" --script "$work/roll.txt"
if [ -x /usr/games/enigma ]; then
  report "Enigma, main menu idle" "$work" 8 /usr/games/enigma --window --nosound
fi
if [ -x /usr/games/sgt-inertia ]; then
  report "Inertia (sgt-puzzles), idle" "$work" 3 /usr/games/sgt-inertia
fi
echo "machine: load average $(cut -d' ' -f1-3 /proc/loadavg) at the end"
