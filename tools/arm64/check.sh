#!/usr/bin/env bash
# The Raspberry Pi check on an x86-64 Debian 12 machine: cross-builds the game,
# its tools and its tests for arm64 with Debian's cross toolchain and the
# :arm64 build dependencies, then runs the test suite under qemu-aarch64-static
# and prints the results.
#
#   bash tools/arm64/check.sh          every test
#   bash tools/arm64/check.sh --ci     the build, then the rules, loader,
#                                      parser and tool tests only
#   bash tools/arm64/check.sh --build  the build only
#
# A few tests cannot work under user-mode emulation; they are skipped by name,
# each with its reason (emulated_skips below), and only here, where the
# script itself runs the emulator. On an arm64 machine run ./test.sh instead.
set -euo pipefail
cd "$(dirname "$0")/../.."
mode=full
case "${1:-}" in
--ci) mode=ci ;;
--build) mode=build ;;
"") ;;
*)
  echo "usage: $0 [--ci|--build]" >&2
  exit 2
  ;;
esac
if [ "$(uname -m)" != x86_64 ]; then
  echo "This check cross-builds on x86-64; on an arm64 machine run ./test.sh." >&2
  exit 2
fi
build=build/arm64
started=$SECONDS

# The build dependencies of tools/install-deps.sh that hold arm64 code.
arm64_packages=(
  libsdl2-dev libgl-dev libegl-dev libgles-dev libgl1-mesa-dri
  libpng-dev zlib1g-dev libfreetype-dev libvorbis-dev libogg-dev
  libcurl4-openssl-dev libmpg123-dev libdbus-1-dev libgtest-dev libgmock-dev
)

sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)

install_packages() {
  bash tools/install-deps.sh
  local wanted=(crossbuild-essential-arm64 qemu-user-static) missing=()
  for p in "${arm64_packages[@]}"; do wanted+=("$p:arm64"); done
  for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  dpkg --print-foreign-architectures | grep -qx arm64 || "${sudo_cmd[@]}" dpkg --add-architecture arm64
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends \
    "${missing[@]}"
}

# Tests that cannot work under user-mode emulation, with the reason.
emulated_skips=(
  "DialogProcess.OutputExitCodeAndMissingProgram|qemu-user's posix_spawn reports a missing program as started"
  "OpenUrl.OpenerRunsOnItsOwnAndOnlyACleanExitCountsAsSuccess|qemu-user's posix_spawn reports a missing program as started"
  "blackbox_writes_nothing|strace of an emulated game: the keys come faster than it starts"
  "blackbox_victory|xdotool keys at desktop pace: the emulated game is still on an earlier step when the script looks"
  "blackbox_victory_gl31|xdotool keys at desktop pace: the emulated game is still on an earlier step when the script looks"
  "blackbox_chosen|xdotool keys at desktop pace: the emulated game is still on an earlier step when the script looks"
  "blackbox_death|xdotool keys at desktop pace: the emulated game is still on an earlier step when the script looks"
  "blackbox_full_screen|xdotool keys at desktop pace: the step taken before the screenshot has not happened yet"
)

# The kernel starts arm64 programs through qemu (the tools tests and the
# black-box scripts start programs themselves); undone at exit if added here.
registered=
register_qemu() {
  local misc=/proc/sys/fs/binfmt_misc
  [ -e "$misc/register" ] || "${sudo_cmd[@]}" mount -t binfmt_misc binfmt_misc "$misc"
  [ -e "$misc/qemu-aarch64" ] && return 0
  grep -v '^#' /usr/lib/binfmt.d/qemu-aarch64.conf | "${sudo_cmd[@]}" tee "$misc/register" > /dev/null
  registered=$misc/qemu-aarch64
}
unregister_qemu() { [ -z "$registered" ] || echo -1 | "${sudo_cmd[@]}" tee "$registered" > /dev/null; }

# The logic, loader and parser tests, each program in one emulated process.
run_ci_tests() {
  local failed=0 program
  for program in world_tests player_tests assets_tests tools_tests; do
    echo "== $program"
    (cd "$build/tests" && xvfb-run -a -s "-screen 0 1280x1024x24" \
      qemu-aarch64-static "./$program" --gtest_brief=1) || failed=1
  done
  echo "== loader and parser corpora, golden replays"
  ctest --test-dir "$build" -R '^(fuzz_replay_|replay_)' -j2 --output-on-failure || failed=1
  return $failed
}

run_all_tests() {
  local entry name skip=
  echo "Emulating arm64 with qemu-aarch64-static; skipped here by name:"
  for entry in "${emulated_skips[@]}"; do
    name=${entry%%|*}
    echo "  $name: ${entry#*|}"
    skip+="${skip:+|}${name//./\\.}"
  done
  xvfb-run -a -s "-screen 0 1280x1024x24" \
    ctest --test-dir "$build" -j2 --output-on-failure -E "^($skip)\$"
}

# One check at a time on a machine: a second one would unregister the
# emulator under the first one's feet when it ends.
exec 9> "${TMPDIR:-/tmp}/palmut-arm64-check.lock"
if ! flock -n 9; then
  echo "Another arm64 check is running; waiting for it to end."
  flock 9
fi

install_packages
cmake --preset arm64 > /dev/null
cmake --build --preset arm64
echo "arm64 build: $((SECONDS - started)) s"
[ "$mode" = build ] && exit 0
trap unregister_qemu EXIT
register_qemu
status=0
if [ "$mode" = ci ]; then run_ci_tests || status=$?; else run_all_tests || status=$?; fi
echo "arm64 check ($mode): $((SECONDS - started)) s in all, exit $status"
exit $status
