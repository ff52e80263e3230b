#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test.
# With --sanitize the same tests run in the AddressSanitizer + UBSan build,
# which also turns on the strict warnings; the layer check, which reads only
# the sources, is left out there.
set -euo pipefail
cd "$(dirname "$0")"
preset=default
skip=()
[ "${1:-}" = "--sanitize" ] && preset=asan skip=(-E '^layers$')
bash tools/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset"
# Tests that need a real X display (file dialog, black-box runs) get Xvfb;
# the rest draw offscreen with Mesa's software OpenGL.
run_tests() { xvfb-run -a -s "-screen 0 1280x1024x24" ctest --preset "$preset" -j2 "${skip[@]}" "$@"; }
if ! run_tests; then
  [ "$preset" = asan ] && bash tools/tracer_crash_only.sh build/asan || exit 1
  echo "Only LeakSanitizer's tracer crashed after passing tests; running those again."
  run_tests --rerun-failed
fi
