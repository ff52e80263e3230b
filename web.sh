#!/bin/sh
# The game as a web page: installs what the browser build needs from Debian's
# packages, builds the page into build/web/ (index.html, palmut.js,
# palmut.wasm, palmut.data: a static folder any web host serves as it is).
#
#   ./web.sh            build
#   ./web.sh --serve    build, then serve it on 127.0.0.1 and print the address
#   ./web.sh --test     build, then run the browser tests in headless Chromium
#   ./web.sh --measure  build, then print its size, load time and frame cost
#                       (tests/web/measure.mjs; docs/performance.md has them)
set -eu
cd "$(dirname "$0")"
site=build/web
port=${PALMUT_WEB_PORT:-8640}

# Installs Debian packages that are missing (as root, or through sudo).
need() {
    missing=""
    for p in "$@"; do
        dpkg -s "$p" >/dev/null 2>&1 || missing="$missing $p"
    done
    [ -z "$missing" ] && return 0
    echo "web.sh: installing$missing"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
}

# Node.js and npm may come from elsewhere (NodeSource): only missing commands
# are installed from Debian.
command -v cmake >/dev/null || need cmake
command -v emcc >/dev/null || need emscripten
[ -d /usr/share/nodejs/acorn ] || need node-acorn
# Emscripten's optimiser needs acorn, which Debian puts where Node.js does not look.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}
cmake --preset web
cmake --build --preset web

case "${1:-}" in
--serve)
    echo "Palmut: http://127.0.0.1:$port/  (Ctrl+C ends the server)"
    exec python3 -m http.server "$port" --bind 127.0.0.1 --directory "$site"
    ;;
--test | --measure)
    command -v chromium >/dev/null || need chromium
    command -v npm >/dev/null || need npm
    (cd tests/web && npm ci --no-audit --no-fund)
    [ "$1" = --measure ] && exec node tests/web/measure.mjs "$site"
    exec node tests/web/browser_test.mjs "$site"
    ;;
"") ;;
*)
    echo "usage: $0 [--serve | --test | --measure]" >&2
    exit 2
    ;;
esac
