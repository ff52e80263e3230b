#!/usr/bin/env bash
# Plays the built game under X like a player: skips the intro, passes the title
# and the menu, then either builds a raft and sets sail (victory), does the
# same on an island chosen in the menu's file dialog (chosen), or walks on rock
# until hunger kills the castaway (death). Screenshots go to SHOTS.
#
# usage: play_through.sh victory|chosen|death PALMUT ASSET_DIR SHOTS
# Exit 0 on success, 77 when no X display or tool is there to drive the game.
set -u
mode=$1 game=$(realpath "$2") assets=$(realpath "$3") shots=$(realpath -m "$4")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/game_session.sh"
require_x "$0" "$@"

# The test island replaces the default map.
prepare_game_dir "$assets"
case $mode in
victory) python3 "$here/make_island.py" victory "$work/map" ;;
death) python3 "$here/make_island.py" rock "$work/map" ;;
chosen)
    command -v zenity >/dev/null || {
        echo "SKIP: the file dialog needs zenity"
        exit 77
    }
    # Keeps the shipped island; the test island waits elsewhere under another
    # name. The game lower-cases the chosen path, so capitals in it check that
    # the files are still found.
    mkdir -p "$work/Islands"
    python3 "$here/make_island.py" victory "$work/Islands"
    for ext in png map critter; do mv "$work/Islands/map.$ext" "$work/Islands/Beach.$ext"; done
    # No desktop session: keep the dialog's settings in memory and quiet.
    export GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
    ;;
*) fail "unknown mode $mode" ;;
esac
mkdir -p "$shots"
rm -f "$shots/$mode"-*.png
start_game "$game" 60 "$shots/$mode-output.txt" "$shots/$mode-errors.txt"

sleep 1.5
shot "$shots/$mode-intro.png"
press Escape # the intro ends within a second
# The title picture: bright, unlike the menu.
await "$shots/$mode-title.png" "r + g + b > 1.1" 20 || fail "the game ended after the intro"
reach_menu "$shots/$mode-menu.png" || fail "the game ended on the title picture"
if [ "$mode" = chosen ]; then
    # KARTE WAEHLEN: type the island's layer file into the dialog.
    press Down Return
    dialog=$(timeout 15 xdotool search --sync --name "Select .map File:" | head -n 1)
    [ -n "$dialog" ] || fail "no file dialog"
    sleep 1
    xdotool windowfocus --sync "$dialog"
    xdotool key ctrl+l
    sleep 0.3
    xdotool type --delay 20 "$work/Islands/Beach.map"
    sleep 0.3
    xdotool key Return
    # The chosen island is loaded behind its title picture.
    await "$shots/$mode-title-again.png" "r + g + b > 1.1" 20 || fail "the game ended"
    reach_menu "$shots/$mode-menu-again.png" || fail "the game ended"
fi
press Return
sleep 0.5
shot "$shots/$mode-play.png"

if [ "$mode" != death ]; then
    # Sail, water bag, two roasts, a coconut and two planks, ending on the
    # beach. The first step is a key held down: it walks one tile, however
    # often the display repeats it.
    hold d 1.5
    press space d space d space d space d space d space d space d
    # First plank pair: the combine selection picks slots 5 and 6.
    press c d d d d d Return d
    shot "$shots/$mode-combine.png"
    press Return
    # Second and third pair from the planks below the row.
    press a s space a space d w d
    press c a Return d Return
    press a s s space a space d w w d
    press c a Return d Return
    # Red text on black: the victory screen.
    await "$shots/$mode-victory.png" "r > 0.005 && g < 0.002 && b < 0.002" 10 ||
        fail "the game ended before the victory screen took a key"
    press x
else
    # Each step on rock costs 6 hunger: the 51st passes the limit of 300.
    for _ in $(seq 25); do press d a; done
    press d
    # White text on black: the death screen.
    await "$shots/$mode-death.png" "r > 0.002 && r < 0.1 && r == g && g == b" 10 ||
        fail "the game ended on the death screen"
    press Escape
fi

wait_for_game
[ "$status" -eq 0 ] || fail "the game ended with status $status"
echo "OK: $mode run ended with status 0"
