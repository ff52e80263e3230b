#!/usr/bin/env bash
# The game keeps nothing but the replays of its games: no saves, settings or
# logs. Played under strace from the intro through the menu into play and out
# with Escape, it must write, create, rename or remove no file but the one
# replay of that game in XDG_DATA_HOME/palmut/replays/. The GL driver's shader
# cache under XDG_CACHE_HOME is the one other thing allowed to appear.
#
# usage: writes_nothing.sh PALMUT ASSET_DIR OUT
# Exit 0 on success, 77 when strace or an X display to drive the game is missing.
set -u
game=$(realpath "$1") assets=$(realpath "$2") out=$(realpath -m "$3")
here=$(cd "$(dirname "$0")" && pwd)
. "$here/game_session.sh"
command -v strace >/dev/null || {
    echo "SKIP: needs strace"
    exit 77
}
require_x "$0" "$@"

prepare_game_dir "$assets"
mkdir -p "$out"
rm -rf "$out/home"
mkdir -p "$out/home/.cache" "$out/home/.config"
trace="$out/trace.txt"
rm -f "$trace" "$trace".*
touch "$out/before"

# The game's own home and caches, so that whatever it might leave is seen.
(cd "$work" && HOME="$out/home" XDG_CACHE_HOME="$out/home/.cache" \
    XDG_CONFIG_HOME="$out/home/.config" XDG_DATA_HOME="$out/home/.local/share" \
    SDL_AUDIODRIVER=dummy exec timeout -s KILL 60 \
    strace -f -ff -qq -o "$trace" \
    -e trace=open,openat,openat2,creat,truncate,mkdir,mkdirat,rename,renameat,renameat2,link,linkat,symlink,symlinkat,unlink,unlinkat \
    "$game" >"$out/output.txt" 2>"$out/errors.txt") &
pid=$!
wid=$(timeout 30 xdotool search --sync --name "$title" | head -n 1)
[ -n "$wid" ] || fail "no window named '$title'"
xdotool windowfocus "$wid" 2>/dev/null

sleep 1
press Escape # the intro ends within a second
await "$out/title.png" "r + g + b > 1.1" 20 || fail "the game ended after the intro"
reach_menu "$out/menu.png" || fail "the game ended on the title picture"
# Play a little: walk, take, open and leave the selections, then quit.
press Return d d s space c Escape Return Escape f Escape a w Escape
wait_for_game
[ "$status" -eq 0 ] || fail "the game ended with status $status"
# One trace file per thread: a call another thread interrupts would otherwise
# be split into "unfinished" and "resumed" lines, the latter without its path.
cat "$trace".* >"$trace"

# Calls that write: opening with a write mode, creating, truncating, renaming,
# linking or removing. Devices, /proc and the shader cache are not files kept.
writes=$(grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|creat\(|truncate\(|mkdir|rename|link|unlink' \
    "$trace" | grep -v -E '"/(dev|proc|sys)/' | grep -v -E "\"$out/home/.cache/mesa_shader_cache" |
    grep -v -E "\"$out/home/.local/share/palmut/replays/" |
    grep -v -E "mkdir.*\"$out/home/.local(/share(/palmut(/replays)?)?)?\"" | grep -v -E '= -1 E')
if [ -n "$writes" ]; then
    echo "$writes" | head -20
    fail "the game wrote to files (above)"
fi
opened=$(grep -c -E 'open' "$trace")
[ "$opened" -gt 20 ] || fail "strace saw only $opened opens: was the game traced at all?"
# Nothing new in the game's folder or its home, the shader cache aside.
left=$(find "$work" "$out/home" -newer "$out/before" -mindepth 1 \
    -not -path "$out/home/.cache" -not -path "$out/home/.cache/mesa_shader_cache*" \
    -not -path "$out/home/.config" -not -path "$out/home/.local/share/palmut/replays/*" -not -type d)
[ -z "$left" ] || fail "files appeared: $left"
replays=$(find "$out/home/.local/share/palmut/replays" -name '*.palmutreplay' | wc -l)
[ "$replays" -eq 1 ] || fail "$replays replays kept of the one game played"
echo "OK: $opened opens traced, none for writing"
