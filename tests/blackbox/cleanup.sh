#!/usr/bin/env bash
# A black-box run that fails half-way, and one that is killed outright, must
# leave neither the game nor its X server behind; and a caller's
# SDL_VIDEODRIVER must not keep the game from opening its X window.
#
# usage: cleanup.sh PALMUT ASSET_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)

if [ "${3:-}" = session ]; then
    # The session under test: game started, then the script ends badly.
    game=$(realpath "$1") assets=$(realpath "$2") record=$4 ending=$5
    . "$here/game_session.sh"
    require_x "$0" "$@"
    prepare_game_dir "$assets"
    start_game "$game" 60 /dev/null /dev/null
    echo "$pid $(pgrep -P "$pid") $xserver" >"$record"
    [ "$ending" = killed ] && kill -9 $$
    fail "on purpose, with the game running"
fi

command -v Xvfb >/dev/null && command -v xdotool >/dev/null || {
    echo "SKIP: needs Xvfb and xdotool"
    exit 77
}
record=$(mktemp)
trap 'rm -f "$record"' EXIT
for ending in failed killed; do
    : >"$record"
    { SDL_VIDEODRIVER=offscreen bash "$0" "$1" "$2" session "$record" "$ending"; } >/dev/null 2>&1
    read -r -a started <"$record"
    [ "${#started[@]}" -ge 3 ] || { echo "FAIL: $ending: the game never showed its window"; exit 1; }
    left=""
    for _ in $(seq 30); do
        left=""
        for p in "${started[@]}"; do kill -0 "$p" 2>/dev/null && left="$left $p"; done
        [ -z "$left" ] && break
        sleep 0.2
    done
    if [ -n "$left" ]; then
        kill -9 $left 2>/dev/null
        echo "FAIL: $ending: still running:$left"
        exit 1
    fi
    echo "ok: $ending run left nothing behind"
done
