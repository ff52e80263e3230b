#!/usr/bin/env bash
# Makes the software centre's screenshots (packaging/screenshots/) from the
# golden frames the render tests keep, doubled pixel for pixel so the 8-bit
# look stays sharp. Run it when a golden frame it uses changes.
set -euo pipefail
cd "$(dirname "$0")/.."
for frame in view_centre combine_first_pick menu; do
    # -strip: no time stamps, so an unchanged frame gives the same file.
    /usr/bin/convert "tests/golden/$frame.png" -filter point -resize 200% -strip \
        "packaging/screenshots/$frame.png"
done
