#!/usr/bin/env bash
# Installs what is missing, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")"
bash tools/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default --target palmut
exec ./build/default/palmut
