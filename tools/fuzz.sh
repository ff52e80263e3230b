#!/usr/bin/env bash
# Builds the fuzz targets with clang's libFuzzer (ASan + UBSan) and runs each
# for SECONDS over its stored corpus. New inputs go to build/fuzz/found/,
# crashes to build/fuzz/crashes/; the committed corpus stays as it is.
# Prints the executions per target; fails when any target found a crash.
#
# usage: tools/fuzz.sh [SECONDS] [TARGET...]   (default 60 s, every target)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for dir in tests/fuzz/corpus/*/; do targets+=("$(basename "$dir")"); done
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]/#/fuzz_}" >/dev/null

out=build/fuzz
mkdir -p "$out/crashes"
failed=0
for target in "${targets[@]}"; do
    mkdir -p "$out/found/$target"
    log="$out/fuzz_$target.log"
    status=0
    "$out/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
        -print_final_stats=1 -artifact_prefix="$out/crashes/$target-" \
        "$out/found/$target" "tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    if [ "$status" -eq 0 ]; then
        echo "$target: ${runs:-?} executions in ${seconds} s, nothing found"
    else
        echo "$target: FOUND a fault after ${runs:-?} executions (see $log)"
        # CI keeps only what is printed: the reason and the input, to replay it.
        grep -E -m 4 'oracle failed|ERROR:|SUMMARY:|^Base64:' "$log" | sed 's/^/    /' || true
        failed=1
    fi
done
exit "$failed"
