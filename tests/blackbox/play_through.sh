#!/usr/bin/env bash
# Plays the built game under X like a player: skips the intro, passes the title
# and the menu, then either builds a raft and sets sail (victory) or walks on
# rock until hunger kills the castaway (death). Screenshots go to SHOTS.
#
# usage: play_through.sh victory|death PALMUT ASSET_DIR SHOTS
# Exit 0 on success, 77 when no X display or tool is there to drive the game.
set -u

mode=$1 game=$2 assets=$3 shots=$4
here=$(cd "$(dirname "$0")" && pwd)
title="Palmut - 8-bit-Adventure"
# Longest a run may take before the game is killed.
limit=60

if [ -z "${DISPLAY:-}" ] || ! command -v xdotool >/dev/null || [ ! -x /usr/bin/import ] ||
    [ ! -x /usr/bin/convert ] || ! command -v python3 >/dev/null; then
    echo "SKIP: needs an X display, xdotool, python3 and ImageMagick"
    exit 77
fi

work=$(mktemp -d)
pid=""
cleanup() {
    [ -n "$pid" ] && kill -9 "$pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    exit 1
}

# The game's working directory is a copy of the assets with the test island
# in place of the default map.
cp -r "$assets"/. "$work"/
case $mode in
victory) python3 "$here/make_island.py" victory "$work/map" ;;
death) python3 "$here/make_island.py" rock "$work/map" ;;
*) fail "unknown mode $mode" ;;
esac
mkdir -p "$shots"
rm -f "$shots/$mode"-*.png

cd "$work" || fail "no work folder"
# timeout passes the game's exit status on, or 137 when it had to kill it.
SDL_AUDIODRIVER=dummy timeout -s KILL "$limit" "$game" >"$shots/$mode-output.txt" 2>&1 &
pid=$!

wid=$(timeout 20 xdotool search --sync --name "$title" | head -n 1)
[ -n "$wid" ] || fail "no window named '$title'"
xdotool windowfocus "$wid" 2>/dev/null

# The game reads its keys once per 60 ms pass: one press per 150 ms.
press() {
    for key in "$@"; do
        kill -0 "$pid" 2>/dev/null || fail "the game ended early, while pressing $key"
        xdotool key "$key"
        sleep 0.15
    done
}
shot() {
    import -window "$wid" "$shots/$mode-$1.png" || fail "screenshot $1"
}
# Mean red and green of a screenshot, 0 to 1.
means() {
    /usr/bin/convert "$shots/$mode-$1.png" -format "%[fx:mean.r] %[fx:mean.g]" info:
}

sleep 1.5
shot intro
press Escape # the intro ends within a second
sleep 2
shot title
press x
sleep 0.5
shot menu
press Return
sleep 0.5
shot play

if [ "$mode" = victory ]; then
    # Sail, water bag, two roasts, a coconut and two planks, ending on the beach.
    press d space d space d space d space d space d space d space d
    # First plank pair: the combine selection picks slots 5 and 6.
    press c d d d d d Return d
    shot combine
    press Return
    # Second and third pair from the planks below the row.
    press a s space a space d w d
    press c a Return d Return
    press a s s space a space d w w d
    press c a Return d Return
    sleep 1
    shot victory
    read -r red green <<<"$(means victory)"
    awk -v r="$red" -v g="$green" 'BEGIN { exit !(r > 0.005 && g < 0.002) }' ||
        fail "victory screen is not red text on black (red $red, green $green)"
    press x
else
    # Each step on rock costs 6 hunger: the 51st passes the limit of 300.
    for _ in $(seq 25); do press d a; done
    press d
    sleep 1
    shot death
    read -r red green <<<"$(means death)"
    awk -v r="$red" -v g="$green" 'BEGIN { exit !(r > 0.002 && r < 0.1 && r == g) }' ||
        fail "death screen is not white text on black (red $red, green $green)"
    press Escape
fi

wait "$pid"
status=$?
pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "OK: $mode run ended with status 0"
