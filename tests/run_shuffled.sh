#!/usr/bin/env bash
# Runs every test program once as a single process with its tests shuffled, so a
# test that leans on another's leftovers (state, files, drawing modes) fails.
# Usage: tests/run_shuffled.sh <build dir>   (run under a display, as test.sh does)
set -euo pipefail
build=$(realpath "${1:?build directory}")
status=0
for program in "$build"/tests/*_tests; do
  [ -x "$program" ] || continue
  echo "== $(basename "$program") (shuffled, one process)"
  if ! (cd "$build/tests" && "$program" --gtest_shuffle --gtest_brief=1); then
    status=1
  fi
done
exit $status
