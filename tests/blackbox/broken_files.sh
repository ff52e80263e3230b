#!/usr/bin/env bash
# Starts the built game with damaged files: a missing or short layer file or
# an undecodable map image must end it with status 255 and the reason on the
# error stream, never with a crash or a hang. A missing critter file, missing
# or binary settings and a music address nobody answers must not keep the
# game from its title screen.
#
# usage: broken_files.sh PALMUT ASSET_DIR LOGS
set -u
game=$(realpath "$1") assets=$(realpath "$2") logs=$(realpath -m "$3")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/game_session.sh"
require_x "$0" "$@"
mkdir -p "$logs"

# expect NAME DAMAGE STATUS MESSAGE: damages a fresh copy with the shell
# command DAMAGE, skips the intro and checks how the game ends.
expect() {
    local name=$1 damage=$2 want=$3 message=$4 status
    prepare_game_dir "$assets"
    (cd "$work" && eval "$damage") || fail "$name: cannot damage the files"
    start_game "$game" 20 "$logs/$name-output.txt" "$logs/$name-errors.txt"
    sleep 1
    press Escape # the map is read right after the intro
    # Either the game ends, or the level loaded and it is left from the menu.
    reach_menu "$logs/$name-menu.png" && press Escape
    wait_for_game
    [ "$status" -eq "$want" ] || fail "$name: status $status, expected $want"
    if [ -n "$message" ] && ! grep -qxF "$message" "$logs/$name-errors.txt"; then
        fail "$name: no '$message' in: $(cat "$logs/$name-errors.txt")"
    fi
    echo "ok: $name ended with status $status"
}

expect missing-layer "rm map/map.map" 255 "map/map.map not found."
expect short-layer "head -c 100 map/map.map >short && mv short map/map.map" 255 \
    "Error reading from stream"
expect garbage-image "echo garbage >map/map.png" 255 "map/map.png is damaged or not a PNG picture."
expect missing-critters "rm map/map.critter" 0 ""
expect missing-settings "rm data/game.cfg data/stream.cfg" 0 ""
expect binary-settings "head -c 3000 map/map.png >data/game.cfg" 0 ""
# A non-routable address: connecting would hang until some time-out.
expect silent-stream "echo http://10.255.255.1:8000/stream >data/stream.cfg" 0 ""
echo "OK: damaged files end the game cleanly"
