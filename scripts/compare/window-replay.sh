#!/bin/sh
# The second replay as a player meets it: the real game in a window (under
# Xvfb), keys typed by xdotool and held as a finger holds them. Level 0 of the
# campaign (Right, Down, Right) is replayed from the level choice, finished,
# and chosen again with Enter, ROUNDS times (6 unless given). X screenshots
# (ImageMagick's import) show the board and the moves box at each start, after
# U, and at the solve; each start's box is compared with the first one's
# ("Moves 0"). The game also writes its debug log (log.txt).
# Usage: window-replay.sh GAME_DIR OUT_DIR
set -u
game=$(cd "$1" && pwd) out=$2
here=$(cd "$(dirname "$0")" && pwd)
tree=$(cd "$here/../.." && pwd)
rm -rf "$out" && mkdir -p "$out/folder/levels" && out=$(cd "$out" && pwd)
cd "$out/folder" || exit 1
ln -s "$game/media" media && ln -s "$game/system" system
cp "$tree"/levels/*.lvl levels/
# Levels 0 and 1 solved, every tutorial page seen: Play goes on at level 2.
python3 -c "
b = bytearray(175); b[0] = b[1] = 1
for i in range(165, 175): b[i] = 1
open('save0.dat', 'wb').write(bytes(b))"
display=83
while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xpid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
export DISPLAY=":$display" SDL_AUDIODRIVER=dummy
"$game/quillmere" --log "$out/log.txt" >"$out/stdout.txt" 2>&1 &
gpid=$!
win=""
for _ in $(seq 100); do
    win=$(xdotool search --onlyvisible --name "Quillmere" 2>/dev/null | tail -1)
    [ -n "$win" ] && break
    sleep 0.2
done
if [ -z "$win" ]; then
    echo "no window"
    kill $gpid $xpid
    exit 1
fi
xdotool windowactivate "$win" 2>/dev/null || xdotool windowfocus "$win" 2>/dev/null
xdotool mousemove 0 0
sleep 4  # the splash and the menu's first moments
# Held a tenth of a second: the menus see Enter while it is down.
key() { xdotool keydown "$1"; sleep 0.12; xdotool keyup "$1"; sleep "${2:-0.6}"; }
shot() { import -window root "$out/$1.png"; }
# The moves box's first line, "Moves N", in the 1024x768 screen.
box() { convert "$out/$1.png" -crop 110x26+340+612 "$out/box-$1.png"; }

shot menu
key l 1.2; key Left; key Left 0.8; shot choice
rounds=${ROUNDS:-6}
round=1
while [ $round -le "$rounds" ]; do
    key Return 1.2; shot "round$round-start"
    key u 1.0; shot "round$round-after-u"
    key Right 1.1; key Down 1.1; key Right 0.6; shot "round$round-solved"
    # A player waits a little longer or shorter each time.
    sleep "$(python3 -c "import random; print(round(random.uniform(2.6, 4.0), 2))")"
    round=$((round + 1))
done
key Escape 1; key Escape 1
kill $gpid 2>/dev/null
sleep 1
kill $xpid 2>/dev/null

box round1-start
round=1
while [ $round -le "$rounds" ]; do
    for moment in start after-u; do
        box "round$round-$moment"
        if compare -metric AE "$out/box-round1-start.png" "$out/box-round$round-$moment.png" null: 2>/dev/null; then
            echo "round $round $moment: Moves 0"
        else
            echo "round $round $moment: NOT Moves 0 (box-round$round-$moment.png)"
        fi
    done
    round=$((round + 1))
done
echo "replays: $(grep -c "^replay level" "$out/log.txt"), rolls: $(grep -c "^ball rolls " "$out/log.txt") (3 a round is right)"
