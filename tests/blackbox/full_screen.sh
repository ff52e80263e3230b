#!/usr/bin/env bash
# Full screen shows the same picture as the window: the play view of the test
# island is taken once in a window (which opens at a whole multiple of 640 x 480)
# and once in full screen, where it is cut from the middle of the screen; both
# are scaled back to 640 x 480 to compare.
#
# usage: full_screen.sh PALMUT ASSET_DIR SHOTS
set -u
game=$(realpath "$1") assets=$(realpath "$2") shots=$(realpath -m "$3")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/game_session.sh"
require_x "$0" "$@"
mkdir -p "$shots"

# play_view FULLSCREEN FILE: starts the game with the test island, walks one
# step into play and keeps the window's picture.
play_view() {
    prepare_game_dir "$assets"
    python3 "$here/make_island.py" victory "$work/map"
    printf 'fullscreen=%s\nsound=false\n' "$1" >"$work/data/game.cfg"
    start_game "$game" 30 "$2.output.txt" "$2.errors.txt"
    sleep 1
    press Escape
    # The title picture is bright however it is scaled.
    await "$2" "r + g + b > 1.1" 20 || fail "the game ended before its title picture"
    press x
    sleep 0.5
    press Return d
    sleep 0.5
    shot "$2"
    press Escape
    wait_for_game
    [ "$status" -eq 0 ] || fail "the game ended with status $status"
}

play_view false "$shots/windowed-window.png"
play_view true "$shots/full-screen-window.png"

read -r w h <<<"$(/usr/bin/convert "$shots/windowed-window.png" -format "%w %h" info:)"
[ $((w % 640)) -eq 0 ] && [ $((w / 640 * 480)) -eq "$h" ] ||
    fail "the window opened at ${w}x${h}, not a whole multiple of 640 x 480"
/usr/bin/convert "$shots/windowed-window.png" -filter point -resize '640x480!' "$shots/windowed.png"

# The picture keeps its shape: the largest whole multiple in the middle of the
# screen, or below twice its size the largest 4:3 area.
read -r w h <<<"$(/usr/bin/convert "$shots/full-screen-window.png" -format "%w %h" info:)"
k=$((w / 640 < h / 480 ? w / 640 : h / 480))
if [ "$k" -ge 2 ]; then
    pw=$((640 * k)) ph=$((480 * k))
elif [ $((w * 3)) -le $((h * 4)) ]; then
    pw=$w ph=$((w * 3 / 4))
else
    pw=$((h * 4 / 3)) ph=$h
fi
/usr/bin/convert "$shots/full-screen-window.png" -crop "${pw}x${ph}+$(((w - pw) / 2))+$(((h - ph) / 2))" \
    +repage -filter point -resize '640x480!' "$shots/full-screen.png"
differ=$(/usr/bin/compare -metric AE -fuzz 3% "$shots/windowed.png" "$shots/full-screen.png" \
    null: 2>&1)
# A few pixels at tile seams may round differently when the picture is scaled.
[ "${differ%%.*}" -le 600 ] 2>/dev/null ||
    fail "full screen (${w}x${h}) differs from the window in $differ pixels"
echo "OK: full screen (${w}x${h}) shows the window's picture ($differ pixels differ)"
