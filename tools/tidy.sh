#!/usr/bin/env bash
# CI: clang-tidy over every .cpp the default build compiles, with the committed
# .clang-tidy files (naming, fault and size checks). Findings in the
# repository's own headers count too; any finding fails the run. Prints each
# finding once, however many files include the header it is in.
#   bash tools/tidy.sh [build dir] [file...]   (default build/default, all files)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
build=${1:-build/default}
shift || true
tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
if [ ! -f "$build/compile_commands.json" ]; then
    cmake --preset default >/dev/null
fi
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

if [ $# -gt 0 ]; then
    printf '%s\n' "$@" >"$out/files"
else
    # One run per source file: a file compiled into two targets is checked once.
    python3 -c 'import json, sys
print("\n".join(sorted({e["file"] for e in json.load(open(sys.argv[1]))})))' \
        "$build/compile_commands.json" >"$out/files"
fi

# Headers of the repository only, not the libraries' ones under /usr.
filter="^$(printf '%s' "$root" | sed 's/[.[\*^$+?(){}|]/\\&/g')/"
export tidy build filter out
start=$SECONDS
status=0
xargs -a "$out/files" -P 2 -I{} sh -c \
    '"$tidy" -p "$build" --quiet --header-filter="$filter" "$1" >"$out/$(printf %s "$1" | cksum | cut -d" " -f1).log" 2>&1' \
    _ {} || status=$?

cat "$out"/*.log | grep -E '^[^ ]+:[0-9]+:[0-9]+: (warning|error): ' | sed "s|^$root/||" |
    sort -u >"$out/findings" || true
count=$(wc -l <"$out/findings")
cat "$out/findings"
echo "clang-tidy: $(wc -l <"$out/files") files, $count findings, $((SECONDS - start)) s"
if [ "$count" -gt 0 ] || [ "$status" -ne 0 ]; then
    if [ "$count" -eq 0 ]; then cat "$out"/*.log; fi
    exit 1
fi
echo "clang-tidy: clean"
