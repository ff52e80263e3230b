#!/usr/bin/env bash
# Plays the built game under X like a player: skips the intro, passes the title
# and the menu, then either builds a raft and sets sail (victory) or walks on
# rock until hunger kills the castaway (death). Screenshots go to SHOTS.
#
# usage: play_through.sh victory|death PALMUT ASSET_DIR SHOTS
# Exit 0 on success, 77 when no X display or tool is there to drive the game.
set -u
mode=$1 game=$(realpath "$2") assets=$(realpath "$3") shots=$(realpath -m "$4")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/game_session.sh"
require_x

# Mean red and green of a screenshot, 0 to 1.
means() {
    /usr/bin/convert "$1" -format "%[fx:mean.r] %[fx:mean.g]" info:
}

# The test island replaces the default map.
prepare_game_dir "$assets"
case $mode in
victory) python3 "$here/make_island.py" victory "$work/map" ;;
death) python3 "$here/make_island.py" rock "$work/map" ;;
*) fail "unknown mode $mode" ;;
esac
mkdir -p "$shots"
rm -f "$shots/$mode"-*.png
start_game "$game" 60 "$shots/$mode-output.txt" "$shots/$mode-errors.txt"

sleep 1.5
shot "$shots/$mode-intro.png"
press Escape # the intro ends within a second
sleep 2
shot "$shots/$mode-title.png"
press x
sleep 0.5
shot "$shots/$mode-menu.png"
press Return
sleep 0.5
shot "$shots/$mode-play.png"

if [ "$mode" = victory ]; then
    # Sail, water bag, two roasts, a coconut and two planks, ending on the beach.
    press d space d space d space d space d space d space d space d
    # First plank pair: the combine selection picks slots 5 and 6.
    press c d d d d d Return d
    shot "$shots/$mode-combine.png"
    press Return
    # Second and third pair from the planks below the row.
    press a s space a space d w d
    press c a Return d Return
    press a s s space a space d w w d
    press c a Return d Return
    sleep 1
    shot "$shots/$mode-victory.png"
    read -r red green <<<"$(means "$shots/$mode-victory.png")"
    awk -v r="$red" -v g="$green" 'BEGIN { exit !(r > 0.005 && g < 0.002) }' ||
        fail "victory screen is not red text on black (red $red, green $green)"
    press x
else
    # Each step on rock costs 6 hunger: the 51st passes the limit of 300.
    for _ in $(seq 25); do press d a; done
    press d
    sleep 1
    shot "$shots/$mode-death.png"
    read -r red green <<<"$(means "$shots/$mode-death.png")"
    awk -v r="$red" -v g="$green" 'BEGIN { exit !(r > 0.002 && r < 0.1 && r == g) }' ||
        fail "death screen is not white text on black (red $red, green $green)"
    press Escape
fi

wait_for_game
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "OK: $mode run ended with status 0"
