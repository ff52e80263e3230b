#!/usr/bin/env bash
# The measure of the shipped islands: the planning player on SEEDS seeds per
# island (default 100), each game from the title picture to the victory screen
# within 20 000 passes. Prints one line per game and the win rate per island.
#
# usage: tests/bot/win_rate.sh [SEEDS] [--retry]   (--retry: a death restarts the island)
set -euo pipefail
cd "$(dirname "$0")/../.."
seeds=${1:-100}
retry=0
[ "${2:-}" = "--retry" ] && retry=1
cmake --preset default >/dev/null
cmake --build --preset default --target bot_tests >/dev/null
for island in map/map.png map/bucht.png; do
    PALMUT_BOT_ISLAND=$island PALMUT_BOT_SEEDS=$seeds PALMUT_BOT_RETRY=$retry \
        build/default/tests/bot_tests --gtest_also_run_disabled_tests \
        --gtest_filter=Bot.DISABLED_WinRate | grep -E '^(seed|map/)'
done
