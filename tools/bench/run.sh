#!/usr/bin/env bash
# Runs the whole benchmark suite and writes docs/performance.md and
# docs/performance.png. With --baseline REV the same suite is also built
# against that revision of the game and both are measured in one run,
# alternating, so the "before" and "after" columns come from the same machine
# under the same load.
#   tools/bench/run.sh [--baseline REV [--baseline-dir DIR]] [--quick] [--keep-results DIR]
# --baseline-dir keeps the baseline's work tree and build there for the next run.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
baseline="" basedir="" quick=0 keep=""
while [ $# -gt 0 ]; do
  case "$1" in
    --baseline) baseline=$2; shift 2 ;;
    --baseline-dir) basedir=$2; shift 2 ;;
    --quick) quick=1; shift ;;
    --keep-results) keep=$2; shift 2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
done

work=$(mktemp -d /tmp/palmut-bench-run.XXXXXX)
# The measured sessions are games, and the game records each: not into the user's folder.
export XDG_DATA_HOME="$work/data"
pids=()
cleanup() {
  for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done
  if [ -n "$baseline" ] && [ -z "$basedir" ] && [ -d "$work/baseline" ]; then
    git -C "$root" worktree remove --force "$work/baseline" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# --- builds -----------------------------------------------------------------
cmake --preset default >/dev/null
cmake --build --preset default --target palmut_bench >/dev/null
declare -A bin=([after]="$root/build/default/tools/bench/palmut_bench")
sides=(after)
if [ -n "$baseline" ]; then
  base=${basedir:-$work/baseline}
  if [ ! -d "$base" ]; then
    git -C "$root" worktree add --detach "$base" "$baseline" >/dev/null 2>&1
  fi
  rm -rf "$base/tools/bench"
  cp -r "$root/tools/bench" "$base/tools/bench"
  cmake -S "$base" -B "$base/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPALMUT_TESTS=OFF >/dev/null
  cmake --build "$base/build" --target palmut_bench -j2 >/dev/null
  bin[before]="$base/build/tools/bench/palmut_bench"
  sides=(before after)
fi

# --- X servers: a small screen (the game's window opens at 1x there), a 1080p
# desktop, a 2x screen and a 4K screen ---------------------------------------
start_x() { # size variable: starts an X server, sets the variable to its display
  local fifo="$work/xfd.$1" n
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "${1}x24" -nolisten tcp 3>"$fifo" >/dev/null 2>&1 &
  pids+=($!)
  read -r n <"$fifo"
  printf -v "$2" ':%s' "$n"
}
start_x 1024x768 x_small
start_x 1920x1080 x_desktop
start_x 1280x960 x_double
start_x 3840x2160 x_4k

# Asset copies with the configuration each run needs (no music stream).
for mode in window full; do
  cp -r "$root/assets" "$work/assets-$mode"
  if [ $mode = full ]; then printf 'true\ntrue\n'; else printf 'false\ntrue\n'; fi \
    >"$work/assets-$mode/data/game.cfg"
  printf '\n' >"$work/assets-$mode/data/stream.cfg"
done
mkdir -p "$work/islands"

if [ $quick = 1 ]; then
  frames=5 idle=1 settle=0.2 sizes=64,256 repeats=1 scale=0.05
else
  frames=300 idle=20 settle=1 sizes=64,256,1024,2048,4096 repeats=5 scale=1
fi

run() { # side display args... : appends the figures to results-side
  local side=$1 display=$2
  shift 2
  DISPLAY=$display SDL_AUDIODRIVER=dummy "${bin[$side]}" "$@" >>"$work/results-$side" ||
    echo "# failed: $*" >>"$work/results-$side"
}
now_ms() { date +%s%3N; }

for side in "${sides[@]}"; do : >"$work/results-$side"; done
for side in "${sides[@]}"; do
  echo "== $side: render" >&2
  run "$side" "$x_4k" render --frames $frames
done
for side in "${sides[@]}"; do
  echo "== $side: memory and idle CPU" >&2
  run "$side" "$x_small" empty-window
  run "$side" "$x_small" session --name session_1x --assets "$work/assets-window" \
    --menu-seconds $idle --play-seconds $idle --settle-seconds $settle --t0 "$(now_ms)"
  run "$side" "$x_double" session --name session_2x --assets "$work/assets-full" --skip-intro \
    --menu-seconds $settle --play-seconds $idle --settle-seconds $settle
  run "$side" "$x_4k" session --name session_4k --assets "$work/assets-full" --skip-intro \
    --menu-seconds $settle --play-seconds $idle --settle-seconds $settle
done
for ((i = 0; i < repeats; ++i)); do
  for side in "${sides[@]}"; do
    run "$side" "$x_small" session --first-frame-only --assets "$work/assets-window" \
      --t0 "$(now_ms)"
    run "$side" "$x_small" empty-window --t0 "$(now_ms)"
  done
done
for side in "${sides[@]}"; do
  echo "== $side: maps and logic" >&2
  run "$side" "$x_desktop" maps --sizes $sizes --dir "$work/islands"
  run "$side" "$x_small" logic --sizes $sizes --dir "$work/islands" --assets "$root/assets" \
    --scale $scale
done
[ -n "$keep" ] && mkdir -p "$keep" && cp "$work"/results-* "$keep"/

# --- report -------------------------------------------------------------------
mkdir -p docs
python3 - "$work" "$root/docs" "$quick" "${sides[@]}" <<'PY'
import os, statistics, subprocess, sys, platform
work, docs, quick, sides = sys.argv[1], sys.argv[2], sys.argv[3] == "1", sys.argv[4:]
res = {}
for side in sides:
    d = {}
    for line in open(os.path.join(work, "results-" + side)):
        parts = line.split()
        if len(parts) == 2 and not line.startswith("#"):
            d.setdefault(parts[0], []).append(float(parts[1]))
    res[side] = d

def v(side, key, how=min):
    vals = res.get(side, {}).get(key)
    return how(vals) if vals else None

def fmt(x, digits=2):
    return "—" if x is None else f"{x:.{digits}f}"

def mb(kb):
    return None if kb is None else kb / 1024.0

def diff(a, b):
    return None if a is None or b is None else a - b

rows = []  # (figure, before, after, goal, met)
def row(name, key_fn, goal_text, goal_ok, digits=2):
    vals = [key_fn(s) for s in ("before", "after")]
    after = vals[1]
    met = "—" if after is None else ("yes" if goal_ok(after) else "no")
    rows.append((name, fmt(vals[0], digits), fmt(after, digits), goal_text, met))

row("Play view presented 1x, CPU ms per frame, ours ÷ SDL_Renderer",
    lambda s: v(s, "render_1x_ratio_cpu"), "≤ 0.85", lambda x: x <= 0.85)
row("Play view presented 1x on the OpenGL ES 3.0 context, ours ÷ SDL_Renderer",
    lambda s: v(s, "render_1x_gles_ratio_cpu"), "(report)", lambda x: True)
row("Play view presented full screen (scaled), ours ÷ SDL_Renderer",
    lambda s: v(s, "render_full_ratio_cpu"), "≤ 0.85", lambda x: x <= 0.85)
row("Play view drawn, not presented, ours ÷ SDL_Renderer",
    lambda s: v(s, "render_drawn_ratio_cpu"), "(report)", lambda x: True)
row("Draw calls per play frame", lambda s: v(s, "render_1x_draw_calls"), "≤ 3",
    lambda x: x <= 3, 0)
row("Peak resident memory over a session minus empty GL window, MB",
    lambda s: mb(diff(v(s, "session_1x_peak_kb", max), v(s, "empty_window_peak_kb", max))),
    "≤ +48", lambda x: x <= 48, 1)
row("Peak during the intro (absolute), MB", lambda s: mb(v(s, "session_1x_intro_peak_kb", max)),
    "(report)", lambda x: True, 1)
row("Resident memory in play minus empty GL window, MB",
    lambda s: mb(diff(v(s, "session_1x_play_rss_kb", max), v(s, "empty_window_rss_kb", max))),
    "≤ +32", lambda x: x <= 32, 1)
row("Empty SDL window with GL 3.3 core context, resident MB",
    lambda s: mb(v(s, "empty_window_rss_kb", max)), "(reference)", lambda x: True, 1)
row("CPU share of one core, idle play, 640 × 480 window (1x), %",
    lambda s: v(s, "session_1x_play_cpu_pct"), "≤ 5", lambda x: x <= 5, 1)
row("CPU share, idle play, 1280 × 960 (2x), %",
    lambda s: v(s, "session_2x_play_cpu_pct"), "≤ 8", lambda x: x <= 8, 1)
row("CPU share, idle play, full screen 3840 × 2160, %",
    lambda s: v(s, "session_4k_play_cpu_pct"), "≤ 12", lambda x: x <= 12, 1)
row("CPU share, idle title menu, 1x, %",
    lambda s: v(s, "session_1x_menu_cpu_pct"), "(report)", lambda x: True, 1)
row("Process start to first intro frame, ms (median)",
    lambda s: v(s, "first_frame_ms", statistics.median), "≤ 120", lambda x: x <= 120, 0)
row("Empty SDL window with GL 3.3 core context, start to first frame, ms (median)",
    lambda s: v(s, "empty_window_first_frame_ms", statistics.median), "(reference)", lambda x: True, 0)
row("Process start to first intro frame, CPU ms of all threads (median)",
    lambda s: v(s, "first_frame_cpu_ms", statistics.median), "(report)", lambda x: True, 0)
for side_n, goal in ((64, 2), (1024, 30), (4096, 400)):
    row(f"Map load (image + layer + critters) {side_n}², ms",
        lambda s, n=side_n: v(s, f"map_{n}_load_ms"), f"≤ {goal}",
        lambda x, g=goal: x <= g, 2)
row("Regrowth run on 4096², ms", lambda s: v(s, "logic_4096_regrowth_ms"), "≤ 16",
    lambda x: x <= 16, 3)

sizes = sorted({int(k.split("_")[1]) for s in sides for k in res[s] if k.startswith("logic_")})
parts = ["input_us", "movement_us", "critter_sweep_us", "actions_us", "regrowth_ms",
         "victory_check_us", "frame_ms"]
logic = ["| Island | critters | " + " | ".join(parts) + " |",
         "|---|---|" + "---|" * len(parts)]
for n in sizes:
    for s in sides:
        cells = [fmt(v(s, f"logic_{n}_{p}"), 3) for p in parts]
        logic.append(f"| {n}² ({s}) | {fmt(v(s, f'logic_{n}_critters'), 0)} | " + " | ".join(cells) + " |")

# Plot data: frame time and per-pass logic (input + movement + actions + victory check).
with open(os.path.join(work, "plot.txt"), "w") as f:
    for si, s in enumerate(("before", "after")):
        if s not in res:
            continue
        for n in sizes:
            fr = v(s, f"logic_{n}_frame_ms")
            if fr is not None:
                f.write(f"0 {si} {n} {fr}\n")
            pass_us = [v(s, f"logic_{n}_{p}") for p in ("input_us", "movement_us", "actions_us", "victory_check_us")]
            if None not in pass_us:
                f.write(f"1 {si} {n} {sum(pass_us)}\n")

def sh(cmd):
    try:
        return subprocess.run(cmd, shell=True, capture_output=True, text=True).stdout.strip()
    except Exception:
        return ""
cpu = sh("grep -m1 'model name' /proc/cpuinfo | cut -d: -f2").strip()
mem = sh("free -g | awk '/Mem:/{print $2}'")
gl = sh("DISPLAY= SDL_VIDEODRIVER=offscreen glxinfo -B 2>/dev/null | grep -m1 renderer") or "Mesa llvmpipe (software)"
machine = [f"- CPU: {cpu}, {os.cpu_count()} cores; memory {mem} GiB",
           f"- System: {sh('. /etc/os-release; echo $PRETTY_NAME')}, kernel {platform.release()}",
           f"- GL: {gl}",
           f"- Load average at the end of the run: {os.getloadavg()[0]:.2f}",
           f"- Date: {sh('date -u +%Y-%m-%dT%H:%MZ')}"]
with open(os.path.join(work, "report.md"), "w") as out:
    out.write("# Performance\n\n")
    out.write("Generated by `tools/bench/run.sh" + (" --baseline …" if "before" in sides else "") +
              "`; do not edit by hand. " + ("QUICK RUN: figures are not meaningful. " if quick else "") +
              "“Before” is the baseline revision built with the same benchmark sources, "
              "measured in the same run, alternating with “after”. CPU figures count every thread of "
              "the process (the software rasteriser's and the audio thread too), not the X server.\n\n")
    out.write("## Machine\n\n" + "\n".join(machine) + "\n\n")
    out.write("## Figures\n\n| Figure | Before | After | Goal | Met |\n|---|---|---|---|---|\n")
    for r in rows:
        out.write("| " + " | ".join(r) + " |\n")
    out.write("\n## Per-pass cost against island size\n\n"
              "Microseconds per call unless marked ms; the critter sweep runs once per castaway step, "
              "regrowth once every 30 s, the victory check at most every 3 s; `frame_ms` draws and presents "
              "one play frame.\n\n" + "\n".join(logic) + "\n\n![frame time and per-pass cost](performance.png)\n")
    out.write("\n## Raw figures\n\n")
    for s in sides:
        out.write(f"<details><summary>{s}</summary>\n\n```\n" + open(os.path.join(work, "results-" + s)).read() + "```\n</details>\n\n")
PY
DISPLAY=$x_desktop "${bin[after]}" plot --data "$work/plot.txt" --out "$root/docs/performance.png" \
  --title0 "play frame drawn + presented, ms" --title1 "logic per pass (input+move+actions+victory), us" ||
  echo "plot failed" >&2
notes="$root/tools/bench/notes.md"
{ cat "$work/report.md"; [ -f "$notes" ] && { echo; cat "$notes"; }; } >"$root/docs/performance.md"
echo "wrote docs/performance.md" >&2
