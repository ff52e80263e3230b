#!/usr/bin/env bash
# The long soak: random keys for PASSES passes (default 200 000) in the
# AddressSanitizer + UBSan build, every pass checked, memory across restarts.
#
# usage: tests/soak/long_soak.sh [PASSES]
set -euo pipefail
cd "$(dirname "$0")/../.."
cmake --preset asan >/dev/null
cmake --build --preset asan --target soak_tests >/dev/null
PALMUT_SOAK_PASSES=${1:-200000} ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
    build/asan/tests/soak_tests --gtest_filter='Soak.*'
