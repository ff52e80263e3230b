# Shared by the black-box scripts: a copy of the asset tree as the game's
# working directory, the game started in it under a time limit, its window,
# key presses and screenshots. Source it; it sets `work`, `pid` and `wid`.

title="Palmut - 8-bit-Adventure"
# The scripts compare German screens and titles: the game in the C locale,
# whatever the machine's desktop language.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=C

fail() {
    echo "FAIL: $*"
    exit 1
}

# require_x SCRIPT ARGS...: makes sure the script runs on an X display of its
# own, where no other program's window takes the keyboard focus: starts an
# Xvfb server for it when there is one, else uses $DISPLAY. Exits with 77
# (skipped) when there is no display or tool to play with.
require_x() {
    if ! command -v xdotool >/dev/null || [ ! -x /usr/bin/import ] ||
        [ ! -x /usr/bin/convert ] || ! command -v python3 >/dev/null; then
        echo "SKIP: needs xdotool, python3 and ImageMagick"
        exit 77
    fi
    if command -v Xvfb >/dev/null; then
        start_display
    elif [ -z "${DISPLAY:-}" ]; then
        echo "SKIP: needs an X display or Xvfb"
        exit 77
    fi
}

work="" pid="" xserver="" guard="" guard_file=$(mktemp)
# Everything started here ends with the script, on every path: the game
# (with the `timeout` above it, one process group), the X server and its guard.
cleanup() {
    if [ -n "$pid" ]; then
        kill -9 -- "-$pid" 2>/dev/null
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    fi
    [ -n "$xserver" ] && kill "$xserver" 2>/dev/null && wait "$xserver" 2>/dev/null
    [ -n "$guard" ] && kill "$guard" 2>/dev/null
    [ -n "$work" ] && rm -rf "$work"
    rm -f "$guard_file"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM HUP

# start_display: an Xvfb server of our own on a free display number. A guard
# ends it, and the game named in $guard_file, should this script be killed
# without a chance to clean up.
start_display() {
    local number_file number tries=0
    number_file=$(mktemp)
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$number_file" 2>/dev/null &
    xserver=$!
    while [ ! -s "$number_file" ] && [ $tries -lt 100 ]; do
        kill -0 "$xserver" 2>/dev/null || break
        sleep 0.1
        tries=$((tries + 1))
    done
    number=$(head -n 1 "$number_file")
    rm -f "$number_file"
    [ -n "$number" ] || fail "Xvfb did not start"
    export DISPLAY=":$number"
    local script=$$ server=$xserver file=$guard_file
    (
        trap '' HUP INT TERM
        while kill -0 "$script" 2>/dev/null; do sleep 0.5; done
        game=$(cat "$file" 2>/dev/null)
        [ -n "$game" ] && kill -9 -- "-$game" 2>/dev/null
        kill "$server" 2>/dev/null
        rm -f "$file"
    ) </dev/null >/dev/null 2>&1 &
    guard=$!
}

# prepare_game_dir ASSET_DIR: a fresh copy in $work.
prepare_game_dir() {
    [ -n "$work" ] && rm -rf "$work"
    work=$(mktemp -d)
    cp -r "$1"/. "$work"/ || fail "cannot copy $1"
}

# start_game PALMUT LIMIT OUT ERR: runs the game in $work, killed after LIMIT
# seconds (then its status is 137), and waits for its window. `timeout` leads
# a process group of its own, so the game goes with it. The game needs a
# real X window here, whatever the caller's environment prefers.
start_game() {
    # The player's own settings stay out of the way; a map dialog's folder lands in $work.
    (cd "$work" && XDG_CONFIG_HOME="$work/.user/config" XDG_DATA_HOME="$work/.user/data" \
        SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy exec timeout -s KILL "$2" "$1" >"$3" 2>"$4") &
    pid=$!
    echo "$pid" >"$guard_file"
    wid=$(timeout 20 xdotool search --sync --name "$title" | head -n 1)
    [ -n "$wid" ] || fail "no window named '$title'"
    xdotool windowfocus "$wid" 2>/dev/null
}

# The game reads its keys once per 60 ms pass: one press per 150 ms.
press() {
    for key in "$@"; do
        kill -0 "$pid" 2>/dev/null || fail "the game ended early, while pressing $key"
        send_key "$key"
    done
}

# One key without asking whether the game still runs: for callers that expect
# it may end at any moment and look themselves.
send_key() {
    # Another program's window may have taken the focus meanwhile.
    xdotool windowfocus "$wid" 2>/dev/null
    xdotool key "$1"
    sleep 0.15
}

# hold KEY SECONDS: keeps a key down long enough for the display to repeat it.
hold() {
    kill -0 "$pid" 2>/dev/null || fail "the game ended early, before holding $1"
    xdotool windowfocus "$wid" 2>/dev/null
    xdotool keydown "$1"
    sleep "$2"
    xdotool keyup "$1"
    sleep 0.15
}

# shot FILE: screenshot of the game window.
shot() {
    timeout 10 import -window "$wid" "$1" || fail "screenshot $1"
}

# looks FILE: mean red, green and blue of a screenshot, each 0 to 1.
looks() {
    /usr/bin/convert "$1" -format "%[fx:mean.r] %[fx:mean.g] %[fx:mean.b]" info:
}

# await FILE CONDITION SECONDS [KEY]: screenshots FILE until the awk CONDITION
# on r, g and b (the mean colours) holds, pressing KEY before each look if
# given. Fails when it never holds; returns 1 when the game has ended.
await() {
    local file=$1 condition=$2 seconds=$3 key=${4:-} r g b
    local end=$((SECONDS + seconds))
    while [ "$SECONDS" -le "$end" ]; do
        kill -0 "$pid" 2>/dev/null || return 1
        # The game may end between that look and the key (a damaged file ends
        # it after the intro): the next look returns then.
        [ -n "$key" ] && send_key "$key"
        sleep 0.2
        timeout 5 import -window "$wid" "$file" 2>/dev/null || continue
        read -r r g b <<<"$(looks "$file")"
        awk -v r="$r" -v g="$g" -v b="$b" "BEGIN { exit !($condition) }" && return 0
    done
    fail "$file never showed what was awaited ($condition; last r $r g $g b $b)"
}

# The menu is red and white text on black; the intro and the title picture
# are far brighter.
menu_look="r < 0.1 && g < 0.1 && b < 0.1 && r > g"

# reach_menu FILE: types a key until the title picture has given way to the
# menu (keys typed during the intro are ignored there). Returns 1 when the
# game ended instead.
reach_menu() {
    await "$1" "$menu_look" 20 x
}

# Waits for the game to end and sets `status` to its exit status. (Not in a
# command substitution: a subshell cannot wait for the game.)
wait_for_game() {
    wait "$pid"
    status=$?
    pid=""
}
