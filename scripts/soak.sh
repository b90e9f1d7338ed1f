#!/usr/bin/env bash
# Soak: the real program, headless, under AddressSanitizer and
# UndefinedBehaviorSanitizer, fed random keys, pointer moves, clicks, focus
# changes and Print Screen presses across the menus, play and the world map.
# Usage: scripts/soak.sh [SEED [FRAMES]]   (defaults: 1 and 100000 frames)
#   QM_SOAK_DEVELOPER=1 uses a developer build (build-sanitize-dev), where E
#   also opens and closes the level editor. QM_SOAK_GAME=DIR runs a game
#   folder already built with the sanitizers instead of building one.
# The frames run in as many program runs as it takes (random input now and then
# picks Quit); the working folder, with its profile and options, is kept from
# run to run. Resident memory is sampled every few seconds; the script fails on
# any sanitizer report, crash or run that does not reach "-- End of program --".
set -euo pipefail
cd "$(dirname "$0")/.."
seed="${1:-1}"
frames="${2:-100000}"
if [ -n "${QM_SOAK_GAME:-}" ]; then
  # A game folder already built with the sanitizers (program, media, levels).
  dir="$QM_SOAK_GAME"
  game="$(cd "$QM_SOAK_GAME" && pwd)"
elif [ "${QM_SOAK_DEVELOPER:-0}" = 1 ]; then
  dir=build-sanitize-dev
  scripts/build.sh "$dir" -DQM_SANITIZE=ON -DQM_DEVELOPER_MODE=ON
  game="$PWD/$dir/game"
else
  dir=build-sanitize
  scripts/build.sh "$dir" -DQM_SANITIZE=ON
  game="$PWD/$dir/game"
fi
lsan_supp="$PWD/scripts/lsan.supp"
work="$(mktemp -d /tmp/qm-soak-XXXXXX)"
for d in media levels system; do ln -s "$game/$d" "$work/$d"; done
cd "$work"
echo "soak: seed $seed, $frames frames, $dir, working folder $work"

export ASAN_OPTIONS="detect_leaks=1:abort_on_error=1:quarantine_size_mb=32"
export LSAN_OPTIONS="suppressions=$lsan_supp:print_suppressions=0"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

# Writes a random script for one run: "script.txt", covering frames 1..$2,
# with a shot every 1000 frames and at the last, so the soak can tell how far
# a run got.
make_script() {
  python3 - "$1" "$2" "${QM_SOAK_DEVELOPER:-0}" <<'PY'
import random, sys
seed, length, developer = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3] == "1"
rng = random.Random(seed)
# Arrows and Enter most, then Escape, R, S, space, the editor key, letters.
keys = [37, 38, 39, 40] * 6 + [13] * 6 + [27, 82, 83, 32, 8, 9] + [rng.randint(65, 90) for _ in range(4)]
if developer:
    keys += [69, 69]
events = []
frame = 1
while frame < length:
    r = rng.random()
    if r < 0.45:
        k = rng.choice(keys)
        events.append((frame, "key %d down" % k))
        events.append((min(frame + rng.randint(1, 12), length), "key %d up" % k))
    elif r < 0.75:
        events.append((frame, "mouse %d %d" % (rng.randint(-20, 820), rng.randint(-20, 620))))
    elif r < 0.9:
        b = rng.choice([1, 1, 1, 2])
        events.append((frame, "button %d down" % b))
        events.append((min(frame + rng.randint(1, 6), length), "button %d up" % b))
    elif r < 0.96:
        events.append((frame, "focus lost"))
        events.append((min(frame + rng.randint(1, 90), length), "focus gained"))
    else:
        events.append((frame, "printscreen down"))
        events.append((min(frame + 1, length), "printscreen up"))
    frame += rng.randint(1, 30)
for f in sorted(set(list(range(1000, length + 1, 1000)) + [length])):
    events.append((f, "shot reached-%d.png" % f))
events.append((length, "close"))
with open("script.txt", "w") as out:
    for f, text in events:
        out.write("%d %s\n" % (f, text))
PY
}

done_frames=0
run=0
while [ "$done_frames" -lt "$frames" ]; do
  run=$((run + 1))
  left=$((frames - done_frames))
  make_script $((seed * 1000 + run)) "$left"
  rm -f reached-*.png log.txt
  "$game/quillmere" --headless --script script.txt --log log.txt --max-frames $((left + 10)) \
    >stdout.txt 2>stderr.txt &
  pid=$!
  peak=0
  samples=()
  start=$SECONDS
  # Until the program has ended (a finished child lingers as a zombie until waited for).
  while [ -e "/proc/$pid" ] && [ "$(awk '{print $3}' "/proc/$pid/stat" 2>/dev/null)" != Z ]; do
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$pid/status" 2>/dev/null || echo 0)
    [ -n "$hwm" ] && [ "$hwm" -gt "$peak" ] && peak=$hwm
    reached=$(ls reached-*.png 2>/dev/null | sed "s/[^0-9]//g" | sort -n | tail -n 1 || true)
    # Resident memory at each thousandth frame the run passes: flat once the
    # screens have all been seen, or something grows.
    if [ -n "$rss" ] && [ "$rss" != 0 ] && [ -n "$reached" ] && [ "$reached" != "${last_sampled:-}" ]; then
      samples+=("frame $reached: ${rss} kB")
      last_sampled=$reached
    fi
    sleep 1
  done
  last_sampled=
  status=0
  wait "$pid" || status=$?
  reached=$(ls reached-*.png 2>/dev/null | sed "s/[^0-9]//g" | sort -n | tail -n 1 || true)
  reached=${reached:-0}
  if [ "$status" -ne 0 ] || grep -qE "AddressSanitizer|LeakSanitizer|runtime error:" stderr.txt ||
     ! grep -q -- "-- End of program --" log.txt; then
    echo "soak: run $run FAILED (exit $status) after about $((done_frames + reached)) frames"
    tail -n 60 stderr.txt
    tail -n 20 log.txt
    echo "soak: script and logs kept in $work"
    exit 1
  fi
  # A run that quit before its first shot still counts for the frames we can
  # vouch for; at least one so the soak always moves on.
  if [ "$reached" -lt 1 ]; then reached=1; fi
  done_frames=$((done_frames + reached))
  echo "soak: run $run ok, $reached frames (total $done_frames), peak resident ${peak} kB, $((SECONDS - start)) s"
  if [ ${#samples[@]} -gt 0 ]; then echo "    resident at ${samples[*]}" | sed 's/ kB frame /, frame /g'; fi
done
echo "soak: passed, $done_frames frames in $run runs (seed $seed)"
rm -rf "$work"
